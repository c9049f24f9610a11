#pragma once
// What any other program reads back from files Murovex makes: a shortcut's
// target and working folder through the shell-link object, and a text of a
// version resource. Shared by the adapter, end-to-end and package tests.
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

namespace mvx::testing {

struct ShortcutRead {
  std::string target, workingFolder;
};

inline ShortcutRead ReadShortcut(const std::string& path) {
  ShortcutRead read;
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      const std::wstring wide(path.begin(), path.end());
      if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
        char buffer[MAX_PATH] = {};
        if (SUCCEEDED(link->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH))) read.target = buffer;
        char folder[MAX_PATH] = {};
        if (SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH))) read.workingFolder = folder;
      }
      file->Release();
    }
    link->Release();
  }
  CoUninitialize();
  return read;
}

// A text of the file's version resource (US English, Windows Latin 1).
inline std::string VersionText(const std::string& file, const std::string& name) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
  std::string block(size, '\0');
  if (size == 0 || !GetFileVersionInfoA(file.c_str(), 0, size, block.data())) return {};
  void* value = nullptr;
  UINT length = 0;
  const std::string query = "\\StringFileInfo\\040904E4\\" + name;
  if (!VerQueryValueA(block.data(), query.c_str(), &value, &length) || value == nullptr || length == 0) return {};
  return static_cast<const char*>(value);
}

}  // namespace mvx::testing

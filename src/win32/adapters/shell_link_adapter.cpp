#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <windows.h>

#include "win32/adapters/com_objects.h"
#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

ShortcutSave Win32Shell::SaveShortcut(const std::string& linkPath, const std::string& target,
                                      const std::string& workingFolder) {
  ComScope com;
  ComRef<IShellLinkA> link;
  if (FAILED(late::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(link.put())))) {
    return ShortcutSave::NoLinkObject;
  }
  link->SetPath(target.c_str());
  link->SetWorkingDirectory(workingFolder.c_str());
  ComRef<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put())))) {
    return ShortcutSave::NoLinkObject;
  }
  return SUCCEEDED(file->Save(WideFromUtf8(linkPath).c_str(), FALSE)) ? ShortcutSave::Saved : ShortcutSave::Refused;
}

std::optional<std::string> Win32Shell::ShortcutTarget(const std::string& linkPath) {
  ComScope com;
  ComRef<IShellLinkA> link;
  if (FAILED(late::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(link.put())))) {
    return std::nullopt;
  }
  ComRef<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put())))) return std::nullopt;
  if (FAILED(file->Load(WideFromUtf8(linkPath).c_str(), STGM_READ))) return std::nullopt;
  char target[MAX_PATH + 1] = {};
  if (FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))) return std::nullopt;
  return std::string(target);
}

}  // namespace mvx::win32

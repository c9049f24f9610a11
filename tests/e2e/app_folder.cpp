#include "e2e/app_folder.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace mvx::e2e {

namespace {

std::string Error(const std::string& what) {
  return what + ": error " + std::to_string(GetLastError());
}

std::string ModuleFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of('\\'));
}

void MakeFolder(const std::string& path) {
  if (!CreateDirectoryA(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
    throw std::runtime_error(Error("cannot create " + path));
  }
}

template <typename Visit>
void ForEachEntry(const std::string& folder, Visit visit) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") visit(name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

void CopyTree(const std::string& from, const std::string& to) {
  MakeFolder(to);
  ForEachEntry(from, [&](const std::string& name, bool isFolder) {
    if (isFolder) {
      CopyTree(from + "\\" + name, to + "\\" + name);
    } else if (!CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE)) {
      throw std::runtime_error(Error("cannot copy " + from + "\\" + name));
    }
  });
}

void RemoveTree(const std::string& path) {
  ForEachEntry(path, [&](const std::string& name, bool isFolder) {
    const std::string child = path + "\\" + name;
    if (isFolder) {
      RemoveTree(child);
    } else {
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(child.c_str());
    }
  });
  RemoveDirectoryA(path.c_str());
}

// Creates a new, empty folder. Process ids come round again in a later run,
// and the folders of failed tests are kept, so a taken name is skipped.
std::string MakeUniqueTempFolder() {
  static std::atomic<int> counter{0};
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string base = std::string(temp) + "murovex-e2e-" + std::to_string(GetCurrentProcessId()) + "-";
  for (;;) {
    const std::string path = base + std::to_string(++counter);
    if (CreateDirectoryA(path.c_str(), nullptr)) return path;
    if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error(Error("cannot create " + path));
  }
}

}  // namespace

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string windows = "Z:" + path;
  for (char& c : windows) c = c == '/' ? '\\' : c;
  while (windows.size() > 3 && windows.back() == '\\') windows.pop_back();
  return windows;
}

std::string BuiltAppFolder() {
  const char* fromEnvironment = std::getenv("MUROVEX_APP_DIR");
  if (fromEnvironment != nullptr && *fromEnvironment != '\0') return WindowsPath(fromEnvironment);
  return ModuleFolder() + "\\app";
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error(Error("cannot create " + path));
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  if (!ok || written != bytes.size()) throw std::runtime_error(Error("cannot write " + path));
}

AppFolder::AppFolder(const AppSetup& setup) : path_(MakeUniqueTempFolder()) {
  const std::string built = BuiltAppFolder();
  try {
    if (!CopyFileA((built + "\\murovex.exe").c_str(), Exe().c_str(), FALSE)) {
      throw std::runtime_error(Error("cannot copy murovex.exe from " + built));
    }
    CopyTree(built + "\\help", path_ + "\\help");
    if (setup.settings) WriteWholeFile(SettingsFile(), *setup.settings);
    if (!setup.images.empty()) MakeFolder(ImagesFolder());
    for (const auto& [name, bytes] : setup.images) WriteWholeFile(ImagesFolder() + "\\" + name, bytes);
  } catch (...) {
    RemoveTree(path_);
    throw;
  }
}

AppFolder::~AppFolder() {
  if (!keep_) RemoveTree(path_);
}

std::optional<std::string> AppFolder::ReadSetting(const std::string& section, const std::string& key) const {
  // A default no settings file can hold tells a missing key from an empty value.
  const char* missing = "\x01missing\x01";
  char value[1024] = {};
  GetPrivateProfileStringA(section.c_str(), key.c_str(), missing, value, sizeof value, SettingsFile().c_str());
  if (std::string(value) == missing) return std::nullopt;
  return std::string(value);
}

}  // namespace mvx::e2e

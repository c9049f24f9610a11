#include <windows.h>

#include <commdlg.h>

#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

std::optional<std::string> Win32Dialogs::OpenFile(const OpenFileRequest& request) {
  std::string filter;
  for (const FileFilter& f : request.filters) {
    filter += f.description;
    filter.push_back('\0');
    filter += f.pattern;
    filter.push_back('\0');
  }
  filter.push_back('\0');
  std::string file = request.fileName;
  file.resize(32768, '\0');
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = reinterpret_cast<HWND>(owner);
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
  ofn.lpstrTitle = request.title.c_str();
  ofn.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | (request.mustExist ? OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST : 0u);
  if (!GetOpenFileNameA(&ofn)) return std::nullopt;
  return std::string(file.c_str());
}

}  // namespace mvx::win32

#include <windows.h>

#include <commdlg.h>

#include "win32/adapters/late_libraries.h"
#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

namespace {

// "Description\0pattern\0...\0\0", as the dialog takes its filter.
std::string FilterOf(const OpenFileRequest& request) {
  std::string filter;
  for (const FileFilter& f : request.filters) {
    filter += f.description;
    filter.push_back('\0');
    filter += f.pattern;
    filter.push_back('\0');
  }
  filter.push_back('\0');
  return filter;
}

// Runs the dialog; on success file holds what the dialog wrote.
bool RunOpenDialog(const OpenFileRequest& request, std::uintptr_t owner, DWORD flags, std::string& file) {
  const std::string filter = FilterOf(request);
  file = request.fileName;
  // Room for thousands of selected names, which come back in one buffer: a
  // selection that does not fit ends the dialog as a cancel would.
  file.resize(std::size_t{1} << 20, '\0');
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = reinterpret_cast<HWND>(owner);
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
  ofn.lpstrTitle = request.title.c_str();
  ofn.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
  ofn.Flags = flags | OFN_EXPLORER | (request.mustExist ? OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST : 0u);
  return late::GetOpenFileNameA(&ofn) != FALSE;
}

// A multiple selection arrives as "folder\0name\0name\0\0"; a single one
// as the full path alone.
std::vector<std::string> SplitSelection(const std::string& buffer) {
  std::vector<std::string> parts;
  for (std::size_t at = 0; at < buffer.size() && buffer[at] != '\0';) {
    const std::size_t end = buffer.find('\0', at);
    parts.push_back(buffer.substr(at, end - at));
    at = end + 1;
  }
  if (parts.size() <= 1) return parts;
  std::string folder = parts.front();
  if (folder.back() != '\\') folder.push_back('\\');
  std::vector<std::string> paths;
  for (std::size_t i = 1; i < parts.size(); ++i) paths.push_back(folder + parts[i]);
  return paths;
}

}  // namespace

std::optional<std::string> Win32Dialogs::OpenFile(const OpenFileRequest& request) {
  std::string file;
  if (!RunOpenDialog(request, owner, OFN_HIDEREADONLY, file)) return std::nullopt;
  return std::string(file.c_str());
}

std::optional<std::vector<std::string>> Win32Dialogs::OpenFiles(const OpenFileRequest& request) {
  const DWORD flags = OFN_ALLOWMULTISELECT | (request.hideReadOnly ? OFN_HIDEREADONLY : 0u) |
                      (request.noTestFileCreate ? OFN_NOTESTFILECREATE : 0u);
  std::string buffer;
  if (!RunOpenDialog(request, owner, flags, buffer)) return std::nullopt;
  return SplitSelection(buffer);
}

}  // namespace mvx::win32

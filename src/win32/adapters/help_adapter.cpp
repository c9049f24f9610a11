#include <windows.h>

#include <shellapi.h>

#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

void Win32Help::ShowContents() {
  Open("index.html");
}

void Win32Help::ShowTopic(int context) {
  Open("topic" + std::to_string(context) + ".html");
}

void Win32Help::Open(const std::string& page) {
  const std::string path = folder_ + "\\" + page;
  if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;  // never blocks the program
  ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace mvx::win32

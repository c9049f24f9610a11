#include <windows.h>

#include <shellapi.h>

#include <cstring>

#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

namespace {

HDROP Drop(std::uintptr_t drop) {
  return reinterpret_cast<HDROP>(drop);
}

}  // namespace

bool Win32Shell::ClipboardDib(std::string& dib) {
  if (!OpenClipboard(nullptr)) return false;
  bool read = false;
  // The system turns a bitmap put on the clipboard into this format on request.
  if (HANDLE data = GetClipboardData(CF_DIB)) {
    if (const void* bytes = GlobalLock(data)) {
      dib.assign(static_cast<const char*>(bytes), GlobalSize(data));
      GlobalUnlock(data);
      read = !dib.empty();
    }
  }
  CloseClipboard();
  return read;
}

std::uint32_t Win32Shell::DropFileCount(std::uintptr_t drop) {
  return DragQueryFileA(Drop(drop), 0xFFFFFFFF, nullptr, 0);
}

std::uint32_t Win32Shell::DropNameLength(std::uintptr_t drop, std::uint32_t index) {
  return DragQueryFileA(Drop(drop), index, nullptr, 0);
}

std::string Win32Shell::DropName(std::uintptr_t drop, std::uint32_t index, std::uint32_t bufferSize) {
  if (bufferSize == 0) return {};
  std::string name(bufferSize, '\0');
  DragQueryFileA(Drop(drop), index, name.data(), bufferSize);
  name.resize(std::strlen(name.c_str()));
  return name;
}

void Win32Shell::DropFinish(std::uintptr_t drop) {
  DragFinish(Drop(drop));
}

void Win32Shell::AcceptDrops(std::uintptr_t window, bool accept) {
  DragAcceptFiles(reinterpret_cast<HWND>(window), accept ? TRUE : FALSE);
}

}  // namespace mvx::win32

#include <windows.h>

#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

bool Win32Hotkeys::Register(std::uintptr_t window, int id, std::uint32_t modifiers, std::uint32_t key) {
  return RegisterHotKey(reinterpret_cast<HWND>(window), id, modifiers, key) != FALSE;
}

bool Win32Hotkeys::Unregister(std::uintptr_t window, int id) {
  return UnregisterHotKey(reinterpret_cast<HWND>(window), id) != FALSE;
}

}  // namespace mvx::win32

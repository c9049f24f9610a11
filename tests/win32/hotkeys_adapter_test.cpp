// A hotkey registered through the adapter, typed through the system's input.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "win32/adapters/win32_ports.h"

namespace mvx::testing {
namespace {

INPUT Key(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

TEST(Hotkeys, AKeyTypedAnywhereComesToTheWindowAsWmHotkeyWithItsIdOnce) {
  HWND window = CreateWindowExA(0, "STATIC", "hotkey probe", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  win32::Win32Hotkeys hotkeys;
  const auto handle = reinterpret_cast<std::uintptr_t>(window);
  ASSERT_TRUE(hotkeys.Register(handle, 41, kModControl | kModAlt | kModShift | kModNoRepeat, VK_F20));

  std::vector<INPUT> typed{Key(VK_CONTROL, false), Key(VK_MENU, false), Key(VK_SHIFT, false), Key(VK_F20, false),
                           Key(VK_F20, true),      Key(VK_SHIFT, true),  Key(VK_MENU, true),  Key(VK_CONTROL, true)};
  ASSERT_EQ(SendInput(static_cast<UINT>(typed.size()), typed.data(), sizeof(INPUT)), typed.size());
  std::vector<WPARAM> ids;
  const ULONGLONG start = GetTickCount64();
  MSG msg;
  while (GetTickCount64() - start < 1500) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_HOTKEY && msg.hwnd == window) ids.push_back(msg.wParam);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  EXPECT_EQ(ids, std::vector<WPARAM>{41});

  EXPECT_TRUE(hotkeys.Unregister(handle, 41));
  DestroyWindow(window);
}

}  // namespace
}  // namespace mvx::testing

#include <windows.h>

#include "win32/adapters/handle_waiter.h"
#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

Win32Watches::Win32Watches() : waiter_(std::make_unique<HandleWaiter>()) {}

Win32Watches::~Win32Watches() = default;

// A value set or deleted signals the event; the notification is asked for
// anew after each signal, and the key stays open for it.
WatchId Win32Watches::WatchKey(RegKey root, const std::string& subKey, std::function<void()> onChange) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(reinterpret_cast<HKEY>(root), subKey.c_str(), 0, KEY_NOTIFY, &key) != ERROR_SUCCESS) return 0;
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  auto arm = [key, event] {
    return RegNotifyChangeKeyValue(key, FALSE, REG_NOTIFY_CHANGE_LAST_SET, event, TRUE) == ERROR_SUCCESS;
  };
  auto release = [key, event] {
    RegCloseKey(key);
    if (event != nullptr) CloseHandle(event);
  };
  if (event == nullptr || !arm()) {
    release();
    return 0;
  }
  return waiter_->Add(event, arm, std::move(onChange), release);
}

WatchId Win32Watches::WatchFolder(const std::string& folder, std::function<void()> onChange) {
  HANDLE change = FindFirstChangeNotificationA(
      folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
  if (change == INVALID_HANDLE_VALUE) return 0;
  return waiter_->Add(
      change, [change] { FindNextChangeNotification(change); }, std::move(onChange),
      [change] { FindCloseChangeNotification(change); });
}

void Win32Watches::StopWatch(WatchId id) {
  waiter_->Remove(id);
}

}  // namespace mvx::win32

#include "win32/views/shared_images.h"

#include <mutex>
#include <unordered_map>

namespace mvx::win32 {

HCURSOR SystemCursor(LPCSTR id) {
  static std::mutex guard;
  static std::unordered_map<ULONG_PTR, HCURSOR> loaded;
  const auto key = reinterpret_cast<ULONG_PTR>(id);
  std::lock_guard lock(guard);
  auto it = loaded.find(key);
  if (it != loaded.end()) return it->second;
  HCURSOR cursor = LoadCursor(nullptr, id);
  if (cursor != nullptr) loaded.emplace(key, cursor);
  return cursor;
}

HICON ProgramIcon(int width, int height) {
  static std::mutex guard;
  static std::unordered_map<ULONG_PTR, HICON> loaded;
  const auto key = (static_cast<ULONG_PTR>(static_cast<unsigned>(width)) << 16) | static_cast<unsigned>(height);
  std::lock_guard lock(guard);
  auto it = loaded.find(key);
  if (it != loaded.end()) return it->second;
  auto icon = static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
  if (icon != nullptr) loaded.emplace(key, icon);
  return icon;
}

}  // namespace mvx::win32

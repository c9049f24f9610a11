#include <windows.h>

#include <cstdlib>

#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

std::optional<PictureSize> Win32Pictures::Measure(const std::string& path) {
  HANDLE image = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
  if (image == nullptr) return std::nullopt;
  BITMAP info{};
  const int got = GetObjectA(image, sizeof info, &info);
  DeleteObject(image);
  if (got == 0) return std::nullopt;
  return PictureSize{info.bmWidth, std::abs(info.bmHeight)};
}

}  // namespace mvx::win32

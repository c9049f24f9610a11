#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "win32/adapters/win32_picture.h"
#include "win32/adapters/win32_ports.h"
#include "win32/views/scene_bitmaps.h"

namespace mvx::win32 {

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return TRUE;
  const RECT& r = info.rcMonitor;
  reinterpret_cast<std::vector<Monitor>*>(list)->push_back(
      {{r.left, r.top, r.right, r.bottom}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  return TRUE;
}

// The bytes of a 24-bit bottom-up bitmap file of the DIB section's pixels.
std::string BitmapFile(HBITMAP dib, int width, int height) {
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  const std::size_t pixels = stride * static_cast<std::size_t>(height);
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels);
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(pixels);
  std::string bytes(file.bfOffBits + pixels, '\0');
  std::memcpy(bytes.data(), &file, sizeof file);
  std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
  HDC dc = CreateCompatibleDC(nullptr);
  BITMAPINFO get{};
  get.bmiHeader = info;
  const int rows =
      GetDIBits(dc, dib, 0, static_cast<UINT>(height), bytes.data() + file.bfOffBits, &get, DIB_RGB_COLORS);
  DeleteDC(dc);
  return rows == height ? bytes : std::string();
}

}  // namespace

std::vector<Monitor> Win32Monitors::Monitors() {
  std::vector<Monitor> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  std::stable_partition(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.primary; });
  return monitors;
}

std::size_t Win32Monitors::MonitorOfWindow(std::uintptr_t window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(MonitorFromWindow(reinterpret_cast<HWND>(window), MONITOR_DEFAULTTOPRIMARY), &info)) return 0;
  const std::vector<Monitor> monitors = Monitors();
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const PixelRect& r = monitors[i].rect;
    if (r.left == info.rcMonitor.left && r.top == info.rcMonitor.top) return i;
  }
  return 0;
}

// One picture decoded at a time, drawn and let go: the memory held is the
// desktop's picture and one decoded picture.
std::optional<std::string> Win32Monitors::ComposeDesktop(const DesktopComposition& composition) {
  if (composition.width <= 0 || composition.height <= 0) return std::nullopt;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = composition.width;
  info.bmiHeader.biHeight = composition.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP desktop = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (desktop == nullptr) return std::nullopt;
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, desktop);
  HBRUSH background = CreateSolidBrush(static_cast<COLORREF>(composition.color));
  const RECT whole{0, 0, composition.width, composition.height};
  FillRect(dc, &whole, background);
  DeleteObject(background);
  bool drawn = true;
  for (const MonitorPiece& piece : composition.pieces) {
    const auto picture = DecodePictureFile(piece.path, piece.decodeSize);
    if (!picture) {
      drawn = false;
      break;
    }
    DrawSceneAt(dc, piece.place, piece.scene, picture->Bitmap());
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  std::string bytes = drawn ? BitmapFile(desktop, composition.width, composition.height) : std::string();
  DeleteObject(desktop);
  if (bytes.empty()) return std::nullopt;
  return bytes;
}

}  // namespace mvx::win32

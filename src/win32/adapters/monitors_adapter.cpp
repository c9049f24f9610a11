#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
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

// A file of the composed picture: a 24-bit bottom-up bitmap's two headers,
// then its rows. Its pixels are a DIB section's bits at a multiple of four
// bytes into the section, as the system requires: two bytes that are no part
// of the file lead the section, so that the headers end where the rows begin.
constexpr DWORD kLead = 2;
constexpr DWORD kHeaders = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);

void PutHeaders(char* file, const BITMAPINFOHEADER& info) {
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = kHeaders;
  header.bfSize = kHeaders + info.biSizeImage;
  std::memcpy(file, &header, sizeof header);
  std::memcpy(file + sizeof header, &info, sizeof info);
}

// The desktop's colour, then each piece decoded and drawn in its place, one
// picture held at a time.
bool Draw(HBITMAP desktop, const DesktopComposition& composition) {
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
  GdiFlush();
  SelectObject(dc, old);
  DeleteDC(dc);
  return drawn;
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

// The file's bytes are the section's: drawn into through the DIB section,
// whose view is let go before the whole file is viewed, so that the pixels
// are held once.
std::optional<ByteBlock> Win32Monitors::ComposeDesktop(const DesktopComposition& composition) {
  if (composition.width <= 0 || composition.height <= 0) return std::nullopt;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = composition.width;
  info.bmiHeader.biHeight = composition.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const std::uint64_t stride = (static_cast<std::uint64_t>(composition.width) * 3 + 3) & ~std::uint64_t{3};
  const std::uint64_t pixels = stride * static_cast<std::uint64_t>(composition.height);
  if (pixels > MAXDWORD - kHeaders) return std::nullopt;  // beyond what a bitmap file can say
  info.bmiHeader.biSizeImage = static_cast<DWORD>(pixels);
  const std::uint64_t total = kLead + kHeaders + pixels;
  HANDLE section = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, static_cast<DWORD>(total >> 32),
                                      static_cast<DWORD>(total), nullptr);
  if (section == nullptr) return std::nullopt;
  void* bits = nullptr;
  HBITMAP desktop = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, section, kLead + kHeaders);
  const bool drawn = desktop != nullptr && Draw(desktop, composition);
  if (desktop != nullptr) DeleteObject(desktop);
  void* view = drawn ? MapViewOfFile(section, FILE_MAP_WRITE, 0, 0, static_cast<SIZE_T>(total)) : nullptr;
  CloseHandle(section);
  if (view == nullptr) return std::nullopt;
  char* file = static_cast<char*>(view) + kLead;
  PutHeaders(file, info.bmiHeader);
  return ByteBlock(file, static_cast<std::size_t>(kHeaders + pixels),
                   std::shared_ptr<void>(view, [](void* v) { UnmapViewOfFile(v); }));
}

}  // namespace mvx::win32

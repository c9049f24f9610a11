#include "e2e/screenshot.h"

#include <windows.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "e2e/app_folder.h"

namespace mvx::e2e {

namespace {

struct ScreenImage {
  LONG width = 0;
  LONG height = 0;
  std::string pixels;  // bottom-up rows of BGR, each padded to 4 bytes
};

DWORD RowBytes(LONG width) {
  return (static_cast<DWORD>(width) * 3 + 3) & ~3u;
}

bool CaptureScreen(ScreenImage& image) {
  image.width = GetSystemMetrics(SM_CXSCREEN);
  image.height = GetSystemMetrics(SM_CYSCREEN);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = image.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    ok = BitBlt(memory, 0, 0, image.width, image.height, screen, 0, 0, SRCCOPY) != FALSE;
    GdiFlush();
    if (ok)
      image.pixels.assign(static_cast<const char*>(bits), RowBytes(image.width) * static_cast<DWORD>(image.height));
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

std::string EncodeBmp(const ScreenImage& image) {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(image.pixels.size());
  header.biSize = sizeof header;
  header.biWidth = image.width;
  header.biHeight = image.height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(image.pixels.size());
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
  return bytes + image.pixels;
}

}  // namespace

std::string SaveScreenshot(const std::string& name, const std::string& fallbackFolder) {
  const char* shotDir = std::getenv("MUROVEX_SHOT_DIR");
  const std::string folder = shotDir != nullptr && *shotDir != '\0' ? WindowsPath(shotDir) : fallbackFolder;
  ScreenImage image;
  if (!CaptureScreen(image)) return {};
  const std::string path = folder + "\\" + name + ".bmp";
  try {
    WriteWholeFile(path, EncodeBmp(image));
  } catch (const std::runtime_error&) {
    return {};
  }
  return path;
}

}  // namespace mvx::e2e

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "win32/adapters/win32_ports.h"
#include "win32/drop_handle.h"

namespace mvx::testing {
namespace {

// Puts a bitmap of the screen's format on the clipboard, as a paint program
// copies a picture: each pixel (x, y) gets its own colour.
void PutBitmapOnClipboard(int width, int height, COLORREF (*colourAt)(int, int)) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(dc, bitmap);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) SetPixel(dc, x, y, colourAt(x, y));
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  SetClipboardData(CF_BITMAP, bitmap);  // the clipboard owns it now
  CloseClipboard();
}

void EmptyTheClipboard() {
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
}

COLORREF Pattern(int x, int y) {
  return RGB(40 * x + 10, 60 * y + 20, 200);
}

// The colour of pixel (x, y) of a packed DIB of 24 or 32 bits without a colour table.
COLORREF PixelOf(const std::string& dib, int x, int y) {
  BITMAPINFOHEADER header;
  std::memcpy(&header, dib.data(), sizeof header);
  std::size_t offset = header.biSize + (header.biCompression == BI_BITFIELDS ? 12 : 0);
  const int bytesPerPixel = header.biBitCount / 8;
  const int stride = (header.biWidth * bytesPerPixel + 3) & ~3;
  const int row = header.biHeight > 0 ? header.biHeight - 1 - y : y;
  offset += static_cast<std::size_t>(row * stride + x * bytesPerPixel);
  const auto* p = reinterpret_cast<const unsigned char*>(dib.data() + offset);
  return RGB(p[2], p[1], p[0]);
}

TEST(Win32ShellClipboard, ACopiedBitmapReadsBackAsAPackedDibWithItsPixels) {
  win32::Win32Shell shell;
  PutBitmapOnClipboard(5, 3, Pattern);
  EXPECT_TRUE(shell.ClipboardHasBitmap());
  std::string dib;
  ASSERT_TRUE(shell.ClipboardDib(dib));
  ASSERT_GE(dib.size(), sizeof(BITMAPINFOHEADER));
  BITMAPINFOHEADER header;
  std::memcpy(&header, dib.data(), sizeof header);
  EXPECT_EQ(header.biSize, sizeof(BITMAPINFOHEADER));
  EXPECT_EQ(header.biWidth, 5);
  EXPECT_EQ(std::abs(header.biHeight), 3);
  ASSERT_TRUE(header.biBitCount == 24 || header.biBitCount == 32) << header.biBitCount;
  const std::size_t stride = (5u * header.biBitCount / 8 + 3) & ~3u;
  ASSERT_GE(dib.size(), header.biSize + 3 * stride);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(PixelOf(dib, x, y), Pattern(x, y)) << x << "," << y;
  }
  EmptyTheClipboard();
}

TEST(Win32ShellClipboard, AnEmptyClipboardHoldsNoBitmapAndLeavesTheBufferAlone) {
  win32::Win32Shell shell;
  EmptyTheClipboard();
  EXPECT_FALSE(shell.ClipboardHasBitmap());
  std::string dib = "kept";
  EXPECT_FALSE(shell.ClipboardDib(dib));
  EXPECT_EQ(dib, "kept");
}

TEST(Win32ShellDrop, ANameFromAWideDropArrivesInUtf8) {
  win32::Win32Shell shell;
  HGLOBAL handle = MakeDropHandle<wchar_t>({L"C:\\Bilder\\Br\u00FCcke.bmp"});
  const auto drop = reinterpret_cast<std::uintptr_t>(handle);
  const std::string utf8 =
      "C:\\Bilder\\Br\xC3\xBC"
      "cke.bmp";
  EXPECT_EQ(shell.DropNameLength(drop, 0), utf8.size());
  EXPECT_EQ(shell.DropName(drop, 0, 127), utf8);
  shell.DropFinish(drop);
}

TEST(Win32ShellDrop, FinishingADropFreesItsHandle) {
  win32::Win32Shell shell;
  HGLOBAL handle = MakeDropHandle<char>({"C:\\a.bmp"});
  EXPECT_NE(GlobalSize(handle), 0u);
  shell.DropFinish(reinterpret_cast<std::uintptr_t>(handle));
  EXPECT_EQ(GlobalFlags(handle), static_cast<UINT>(GMEM_INVALID_HANDLE));
}

TEST(Win32ShellDrop, AWindowAcceptsDropsUntilItSaysNoMore) {
  win32::Win32Shell shell;
  HWND window = CreateWindowExA(0, "STATIC", "drop target", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  shell.AcceptDrops(reinterpret_cast<std::uintptr_t>(window), true);
  EXPECT_NE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
  shell.AcceptDrops(reinterpret_cast<std::uintptr_t>(window), false);
  EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
  DestroyWindow(window);
}

}  // namespace
}  // namespace mvx::testing

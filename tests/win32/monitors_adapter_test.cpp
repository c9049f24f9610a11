// The monitor adapter under Wine: the monitors as the system lists them, and
// a composed desktop picture whose pixels show each monitor its own picture.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>

#include "monitors/monitor_layout.h"
#include "shared/bitmap_bytes.h"
#include "win32/adapters/win32_ports.h"

namespace mvx::testing {
namespace {

// A bitmap file of one colour (red, green, blue).
std::string Coloured(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  std::string bytes = BitmapBytes(width, height);
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::size_t at = 54 + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 3;
      bytes[at] = static_cast<char>(b);
      bytes[at + 1] = static_cast<char>(g);
      bytes[at + 2] = static_cast<char>(r);
    }
  }
  return bytes;
}

std::string Written(const std::string& bytes) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  static int made = 0;
  const std::string path = std::string(temp) + "murovex-monitor-" + std::to_string(GetCurrentProcessId()) + "-" +
                           std::to_string(++made) + ".bmp";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

// The colour (0xRRGGBB) at x, y of a 24-bit bottom-up bitmap file.
std::uint32_t PixelAt(const std::string& file, int x, int y) {
  const auto width = *reinterpret_cast<const std::int32_t*>(file.data() + 18);
  const auto height = *reinterpret_cast<const std::int32_t*>(file.data() + 22);
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  const std::size_t at = 54 + static_cast<std::size_t>(height - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
  const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(file[at + i])); };
  return byte(2) << 16 | byte(1) << 8 | byte(0);
}

TEST(MonitorsAdapter, TheMonitorsComePrimaryFirstAndTheComposedPictureShowsEachItsOwn) {
  win32::Win32Monitors monitors;
  const std::vector<Monitor> listed = monitors.Monitors();
  ASSERT_FALSE(listed.empty());
  EXPECT_TRUE(listed.front().primary);
  EXPECT_EQ(listed.front().rect.left, 0) << "the primary monitor holds the origin";

  // A monitor left of the primary, at negative coordinates, portrait.
  const std::vector<Monitor> layout = {{{0, 0, 320, 200}, true}, {{-120, -40, 0, 160}, false}};
  const std::string red = Written(Coloured(64, 48, 0xE0, 0x10, 0x10));
  const std::string blue = Written(Coloured(90, 30, 0x10, 0x20, 0xD0));
  const DesktopComposition composition = ComposeDesktop(
      layout, {{red, {64, 48}, 1, DisplayMode::Stretch}, {blue, {90, 30}, 1, DisplayMode::Fit}}, 0x00336699);
  const std::optional<ByteBlock> composed = monitors.ComposeDesktop(composition);
  ASSERT_TRUE(composed);
  const std::string bytes(composed->View());
  const std::string* file = &bytes;
  ASSERT_EQ(file->substr(0, 2), "BM");
  EXPECT_EQ(*reinterpret_cast<const std::int32_t*>(file->data() + 18), 440);
  EXPECT_EQ(*reinterpret_cast<const std::int32_t*>(file->data() + 22), 240);
  EXPECT_EQ(PixelAt(*file, 120 + 160, 40 + 100), 0xE01010u) << "the primary's centre: red, stretched";
  EXPECT_EQ(PixelAt(*file, 60, 100), 0x1020D0u) << "the left monitor's centre: blue, fitted";
  EXPECT_EQ(PixelAt(*file, 60, 5), 0x996633u) << "a bar above the fitted picture: the desktop's colour";
  EXPECT_EQ(PixelAt(*file, 200, 5), 0x996633u) << "above the primary, on no monitor";

  DesktopComposition missing = composition;
  missing.pieces[1].path += ".gone";
  EXPECT_FALSE(monitors.ComposeDesktop(missing)) << "a picture that cannot be read fails the whole";
  DeleteFileA(red.c_str());
  DeleteFileA(blue.c_str());
}

}  // namespace
}  // namespace mvx::testing

// The slideshow on two monitors side by side: each shows a picture of its
// own, drawn into one desktop picture that the desktop names. Run on a
// nested X server with two heads by tests/e2e/two_monitors.sh (the
// e2e_two_monitors test); on one monitor it is skipped.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "app/paths.h"
#include "e2e/desktop_registry.h"
#include "e2e/e2e_fixture.h"
#include "e2e/picture_files.h"
#include "e2e/running_app.h"
#include "inventory/data_file.h"

namespace mvx::e2e {
namespace {

using namespace std::chrono_literals;

constexpr const char* kSelected = "FrmMain.GetNextSlideInfo: Selected ";
constexpr std::size_t kTicks = 3;
constexpr auto kInterval = 2s;

// Each its own grey (PutPictures gives 40, 100, 160, 220 in turn) and mode.
const std::vector<Picture> kPictures = {{"Alps.bmp", DisplayMode::Fill},
                                        {"Beach.bmp", DisplayMode::Fit},
                                        {"Canyon.bmp", DisplayMode::Stretch},
                                        {"Dunes.bmp", DisplayMode::Tile}};
constexpr std::uint8_t kGreys[] = {40, 100, 160, 220};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) {
    auto* monitors = reinterpret_cast<std::vector<MONITORINFO>*>(list);
    monitors->insert((info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? monitors->begin() : monitors->end(), info);
  }
  return TRUE;
}

// The monitors, the primary one first.
std::vector<MONITORINFO> Monitors() {
  std::vector<MONITORINFO> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

std::int32_t Int32At(const std::string& file, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(file[at + i])) << (8 * i);
  return static_cast<std::int32_t>(v);
}

// The grey at x, y of a 24-bit bottom-up bitmap file; -1 when the pixel is
// not grey or lies outside.
int GreyAt(const std::string& file, int x, int y) {
  const std::int32_t width = Int32At(file, 18), height = Int32At(file, 22);
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  const std::size_t at = static_cast<std::size_t>(Int32At(file, 10)) +
                         static_cast<std::size_t>(height - 1 - y) * stride + static_cast<std::size_t>(x) * 3;
  if (x < 0 || y < 0 || x >= width || y >= height || at + 3 > file.size()) return -1;
  const auto b = static_cast<unsigned char>(file[at]), g = static_cast<unsigned char>(file[at + 1]),
             r = static_cast<unsigned char>(file[at + 2]);
  return b == g && g == r ? b : -1;
}

std::string SlideshowSettings() {
  return std::string("[General]\r\nStartWithWindows=0\r\nVerbose=0\r\n[Slideshow]\r\nAutoChange=1\r\n") +
         "SlideHrs=0\r\nSlideMins=0\r\nSlideSecs=" + std::to_string(kInterval.count()) +
         "\r\nRandom=1\r\nChangeOnStartup=0\r\n";
}

std::size_t Ticks(const TraceListener& traces) {
  const std::vector<TraceEntry> entries = traces.Entries();
  return static_cast<std::size_t>(std::count_if(entries.begin(), entries.end(), [](const TraceEntry& e) {
    return e.text.rfind(kSelected, 0) == 0;
  }));
}

using TwoMonitors = E2eTest;

TEST_F(TwoMonitors, AfterAFewTicksEachMonitorShowsADifferentListedPictureFromOneComposedFile) {
  const std::vector<MONITORINFO> monitors = Monitors();
  if (monitors.size() < 2) {
    if (std::getenv("MUROVEX_TWO_MONITORS") != nullptr) FAIL() << "Wine shows one monitor: Xinerama is not read";
    GTEST_SKIP() << "one monitor: run through tests/e2e/two_monitors.sh";
  }
  Driver& app = Prepare({SlideshowSettings(), {}});
  const std::string images = app.Folder().ImagesFolder();
  PutPictures(images, kPictures);
  const std::string listed = ReadWholeFile(images + "\\GDB.CDS");
  Process* murovex = StartReady(app);
  ASSERT_NE(murovex, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return Ticks(app.Traces()) >= kTicks; }, kTicks * kInterval + 5s))
      << "the slideshow changed " << Ticks(app.Traces()) << " times";
  ASSERT_TRUE(BroadcastRegistered("ShutdownMurovex"));
  ASSERT_TRUE(murovex->WaitForExit(kExitTimeout));

  const std::string composed = images + "\\Murovex Desktop.bmp";
  EXPECT_EQ(ReadDesktopValue("Wallpaper"), LowerAZ(composed)) << "the desktop names the composed file at exit too";
  EXPECT_EQ(ReadDesktopValue("WallpaperStyle"), "22") << "spanned";
  const std::string file = ReadWholeFile(composed);
  ASSERT_GT(file.size(), 54u);
  ASSERT_EQ(file.substr(0, 2), "BM");
  RECT bounds = monitors.front().rcMonitor;
  for (const MONITORINFO& m : monitors) UnionRect(&bounds, &bounds, &m.rcMonitor);
  EXPECT_EQ(Int32At(file, 18), bounds.right - bounds.left);
  EXPECT_EQ(Int32At(file, 22), bounds.bottom - bounds.top);

  // Each monitor's centre shows the picture the settings keep for it.
  const std::string kept = app.Folder().ReadSetting("Monitors", "Pictures").value_or("");
  std::set<int> shown;
  std::size_t start = 0;
  for (const MONITORINFO& m : monitors) {
    const RECT& r = m.rcMonitor;
    const int grey = GreyAt(file, (r.left + r.right) / 2 - bounds.left, (r.top + r.bottom) / 2 - bounds.top);
    const auto at = std::find(std::begin(kGreys), std::end(kGreys), grey);
    ASSERT_NE(at, std::end(kGreys)) << "no listed picture at the centre of the monitor at " << r.left << "," << r.top;
    const std::size_t end = std::min(kept.find('|', start), kept.size());
    EXPECT_EQ(kept.substr(start, end - start), SlidePath(images, kPictures[at - std::begin(kGreys)].name));
    start = end + 1;
    shown.insert(grey);
  }
  EXPECT_EQ(shown.size(), monitors.size()) << "every monitor its own picture";
  EXPECT_EQ(ReadWholeFile(images + "\\GDB.CDS"), listed) << "the list is unchanged";
  if (const char* shots = std::getenv("MUROVEX_SHOT_DIR")) {
    CopyFileA(composed.c_str(), (std::string(shots) + "\\two-monitors.bmp").c_str(), FALSE);
  }
}

}  // namespace
}  // namespace mvx::e2e

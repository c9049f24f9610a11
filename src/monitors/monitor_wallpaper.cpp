#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/atomic_file.h"
#include "app/paths.h"
#include "app/picture_header.h"
#include "app/settings_file.h"
#include "app/trace.h"
#include "monitors/monitor_layout.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

// How many candidates a monitor looks at for one of its own orientation.
constexpr int kOrientationTries = 4;

constexpr const char* kSection = "Monitors";

}  // namespace

bool TFrmMain::IsOwnPicture(const std::string& path) {
  desk_.SetFolder(dataDir_);
  return LowerAZ(path) == folders_.workingBitmapPath || desk_.IsComposed(path);
}

std::vector<std::string> TFrmMain::PicksForMonitors(const std::string& primary) {
  std::vector<std::string> picks{LowerAZ(primary)};
  const std::vector<Monitor>& monitors = desk_.Monitors();
  for (std::size_t i = 1; i < monitors.size(); ++i) {
    const PictureSize monitor{monitors[i].rect.Width(), monitors[i].rect.Height()};
    SlideRules rules = CurrentSlideRules();
    // Pictures turned the other way are passed over (and stay on the deck's
    // top); none of its orientation among the few looked at: the first of them.
    std::vector<std::string> passed;
    rules.accepts = [&](const InventoryEntry& e) {
      const std::string path = e.LCLocation + "\\" + e.LCFilename;
      if (std::find(picks.begin(), picks.end(), path) != picks.end()) return false;
      if (passed.size() >= static_cast<std::size_t>(kOrientationTries)) return path == passed.front();
      if (std::find(passed.begin(), passed.end(), path) != passed.end()) return false;
      std::string head;
      const auto header =
          ports_.files.ReadHead(path, kPictureHeadBytes, head) ? ParsePictureHeader(head) : std::nullopt;
      if (!header || OrientationsFit(ShownSize(*header), monitor)) return true;
      passed.push_back(path);
      return false;
    };
    bool away = false;
    const std::optional<SlideChoice> choice = PickSlide(rules, away);
    std::optional<std::string> chosen;
    if (choice) chosen = choice->path;
    // Too few pictures for every monitor: one shown twice.
    if (!chosen && !passed.empty()) chosen = passed.front();
    picks.push_back(chosen ? *chosen : picks[(i - 1) % picks.size()]);
  }
  return picks;
}

void TFrmMain::SetMonitorPictures(std::vector<std::string> pictures, bool save) {
  desk_.SetFolder(dataDir_);
  const std::vector<Monitor>& monitors = desk_.Monitors();
  if (pictures.empty()) return;
  for (std::string& p : pictures) p = LowerAZ(p);
  while (pictures.size() < monitors.size()) pictures.push_back(pictures[pictures.size() - 1]);
  pictures.resize(monitors.size());
  std::vector<MonitorPicture> shown;
  for (const std::string& path : pictures) {
    MonitorPicture picture;
    picture.path = path;
    if (cdtData.FindKey(LowerAZ(ExtractFileName(path)), LowerAZ(StripTrailingBackslashes(ExtractFileDir(path))))) {
      picture.mode = cdtData.Fields().Display;
    }
    std::string head;
    if (ports_.files.ReadHead(path, kPictureHeadBytes, head)) {
      if (const auto header = ParsePictureHeader(head)) {
        picture.stored = {header->width, header->height};
        picture.orientation = header->orientation;
      }
    }
    shown.push_back(picture);
  }
  const DesktopComposition composition = ComposeDesktop(monitors, shown, ports_.system.DesktopColor());
  Status written = Status::Fail(0, "compose the desktop picture");
  if (const std::optional<ByteBlock> bytes = ports_.monitors.ComposeDesktop(composition)) {
    written = ReplaceFileAtomically(ports_.files, desk_.ComposedPath(), bytes->View());
  }
  if (!written) {
    // The primary monitor keeps a picture whatever went wrong.
    SendTrace(ports_.trace, "FrmMain.SetMonitorPictures: " + written.Describe(), Handle);
    SetWallpaper(pictures.front(), shown.front().mode, save);
    return;
  }
  desk_.SetPictures(pictures);
  SetWallpaper(desk_.ComposedPath(), shown.front().mode, save);
  ShowWallpaperName(desk_.Names());
  try {
    SettingsFile(ports_.profile, settingsFile_, &ports_.files).WriteString(kSection, "Pictures", desk_.Stored());
  } catch (const std::exception& e) {
    SendTrace(ports_.trace, std::string("FrmMain.SetMonitorPictures: ") + e.what(), Handle);
  }
}

void TFrmMain::SetOnWindowMonitor(const std::string& path) {
  std::vector<std::string> pictures = desk_.Pictures();
  const std::size_t at = Visible() ? ports_.monitors.MonitorOfWindow(Handle) : 0;
  if (pictures.size() < desk_.Monitors().size()) {
    // Monitors without a picture yet get the slideshow's next ones.
    std::vector<std::string> picks = PicksForMonitors(path);
    for (std::size_t i = pictures.size(); i < picks.size(); ++i) pictures.push_back(picks[i]);
  }
  pictures[std::min(at, pictures.size() - 1)] = LowerAZ(path);
  SetMonitorPictures(pictures, true);
}

void TFrmMain::UpdateMonitorOption() {
  chkPicturePerMonitor.SetEnabled(desk_.Monitors().size() > 1);
}

// Off, the primary monitor's picture covers the desktop again; on, the
// other monitors get pictures of their own at once.
void TFrmMain::chkPicturePerMonitorClick(TObject* sender) {
  GenericSettingsChange(sender);
  if (booSettingsIO) return;
  const bool wasSpanning = desk_.Spans();
  desk_.enabled = chkPicturePerMonitor.Checked();
  const std::string primary = desk_.Primary().empty() ? LastSetWallpaper : desk_.Primary();
  if (primary.empty() || IsOwnPicture(primary) || wasSpanning == desk_.Spans()) return;
  if (desk_.Spans()) {
    SetMonitorPictures(PicksForMonitors(primary), true);
  } else {
    DisplayMode mode = DisplayMode::Tile;
    if (cdtData.FindKey(LowerAZ(ExtractFileName(primary)),
                        LowerAZ(StripTrailingBackslashes(ExtractFileDir(primary))))) {
      mode = cdtData.Fields().Display;
    }
    SetWallpaper(primary, mode, true);
  }
}

void TFrmMain::WMDisplayChange() {
  if (!desk_.ReadLayout()) return;
  UpdateMonitorOption();
  if (!desk_.Spans() || desk_.Pictures().empty()) return;
  SetMonitorPictures(desk_.Pictures(), true);
}

}  // namespace mvx

#include <string>
#include <utility>
#include <vector>

#include "adding/scoped_flag.h"
#include "app/paths.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

// A picture of the history can be shown again while it is listed, enabled
// and its file is there.
WallpaperHistory::Usable UsableIn(TClientDataSet& data, FilePort& files) {
  return [&data, &files](const std::string& path) {
    if (!data.FindKey(LowerAZ(ExtractFileName(path)), LowerAZ(StripTrailingBackslashes(ExtractFileDir(path))))) {
      return false;
    }
    return data.Fields().Enabled && files.FileExists(path);
  };
}

}  // namespace

bool TFrmMain::StepNextWallpaper() {
  if (booHoldTimers || booChangingSlide) return false;
  fullScreenWait_.Drop();
  history_.Open(dataDir_);
  if (history_.HasAhead()) {
    if (const auto item = history_.Forward(UsableIn(cdtData, ports_.files))) return ShowHistoryItem(*item);
  }
  return ShowNextSlide();
}

bool TFrmMain::StepPreviousWallpaper() {
  if (booHoldTimers || booChangingSlide) return false;
  fullScreenWait_.Drop();
  history_.Open(dataDir_);
  const auto item = history_.Back(UsableIn(cdtData, ports_.files));
  return item && ShowHistoryItem(*item);
}

bool TFrmMain::CanStepPrevious() {
  history_.Open(dataDir_);
  return history_.HasBehind();
}

bool TFrmMain::ShowHistoryItem(const WallpaperHistory::Item& item) {
  ScopedFlag stepping(steppingHistory_);
  ScopedFlag changing(booChangingSlide);
  RestartSlideTimer();
  if (desk_.Spans()) {
    std::vector<std::string> pictures = item;
    // Monitors added since get the slideshow's next pictures.
    if (pictures.size() < desk_.Monitors().size()) {
      const std::vector<std::string> picks = PicksForMonitors(item.front());
      for (std::size_t i = pictures.size(); i < picks.size(); ++i) pictures.push_back(picks[i]);
    }
    SetMonitorPictures(pictures, chkSaveEachChange.Checked());
  } else {
    const std::string& path = item.front();
    DisplayMode mode = DisplayMode::Tile;
    if (cdtData.FindKey(LowerAZ(ExtractFileName(path)), LowerAZ(StripTrailingBackslashes(ExtractFileDir(path))))) {
      mode = cdtData.Fields().Display;
    }
    SetWallpaper(path, mode, chkSaveEachChange.Checked());
  }
  return true;
}

void TFrmMain::RecordShown(const std::string& path) {
  if (steppingHistory_ || path.empty()) return;
  history_.Open(dataDir_);
  history_.Record(desk_.IsComposed(path) ? desk_.Pictures() : WallpaperHistory::Item{LowerAZ(path)});
}

void TFrmMain::FollowMovedEntries(const std::vector<std::pair<std::string, std::string>>& moves) {
  if (moves.empty()) return;
  deck_.Open(dataDir_);
  deck_.Follow(moves);
  history_.Open(dataDir_);
  history_.Follow(moves);
}

}  // namespace mvx

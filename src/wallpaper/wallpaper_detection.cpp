#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "adding/scoped_flag.h"
#include "app/file_info.h"
#include "app/paths.h"
#include "app/trace.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

// What a rewrite of the file changes: its last-write time and its size (-1
// when it cannot be opened). Throws when the time cannot be read.
std::string StampOf(FilePort& files, const std::string& path) {
  return FormatDateTime(FileDateTimeOf(files, path)) + " - " + std::to_string(FileSizeOf(files, path));
}

// The stamp remembered for a path in the "path=stamp" list. The whole path
// is matched, so a name holding "=" still finds its own entry.
std::vector<std::string>::iterator FindStamp(std::vector<std::string>& stamps, const std::string& path) {
  const std::string prefix = path + "=";
  for (auto it = stamps.begin(); it != stamps.end(); ++it) {
    if (it->size() >= prefix.size() && it->compare(0, prefix.size(), prefix) == 0) return it;
  }
  return stamps.end();
}

void StoreStamp(std::vector<std::string>& stamps, const std::string& path, const std::string& stamp) {
  const auto it = FindStamp(stamps, path);
  if (it != stamps.end()) stamps.erase(it);
  stamps.push_back(path + "=" + stamp);
}

// What the detection compares of the desktop: its wallpaper and the mode.
std::string DesktopStamp(const std::string& path, DisplayMode mode) {
  return path + " - " + std::to_string(static_cast<int>(mode));
}

}  // namespace

void TFrmMain::WMSettingChange(const std::string& section) {
  SendTrace(ports_.trace, "FrmMain: WMSettingChange", Handle);
  // Start-up may show a box while the settings load, before the inventory
  // is open: there is nothing yet to examine the wallpaper against. Once it
  // is open, a wallpaper set while a start-up message waits is offered.
  if (booCreating && !cdtInventory.Active()) return;
  // A detection or a batch runs, or an addition waits for the user in a
  // modal box: this broadcast must not start a second dialog inside it.
  if (booBusy || adding_) return;
  const ScopedFlag busy(booBusy);
  // A named section is some other setting (regional, policy...), never the wallpaper.
  if (!section.empty()) return;
  std::string path;
  DisplayMode mode = DisplayMode::Tile;
  ReadDesktopWallpaper(path, mode);
  desktopSeen_ = DesktopStamp(path, mode);
  OfferDesktopWallpaper(path, mode);
}

// The wallpaper the desktop names, offered unless it is known or gone.
void TFrmMain::OfferDesktopWallpaper(const std::string& path, DisplayMode mode) {
  // The program's own saved changes come back as this message: they are listed with that mode.
  if (IsKnownPictureWithMode(path, mode)) return;
  if (path.empty()) return;
  // A file moved away since it was set (a browser's file taken in) is no new wallpaper.
  if (!ports_.files.FileExists(path)) return;
  frmItemInfo.BeginAddBatch(false);
  AddDetectedWallpaper(path, mode);
  RememberPolledStamp(path);
}

bool TFrmMain::ExamineChanges(const WatchedChanges& changes) {
  if (booHoldTimers || booBusy || adding_) return false;
  const ScopedFlag busy(booBusy);
  SendTrace(ports_.trace,
            std::string("FrmMain: Changes:") + (changes.desktopKey ? " desktop key" : "") +
                (changes.folder ? " Windows folder" : ""),
            Handle);
  // The desktop key first: a browser that saved its file as the wallpaper
  // has it offered as its broadcast would, and the pass over the watched
  // files then finds its stamp known. Background work: a failure ends the
  // examination silently, and what it did not reach waits for the next change.
  try {
    if (changes.desktopKey) ExamineDesktopKey();
    if (changes.folder) PollForWallpaper(folders_.windowsDir, PollFiles);
  } catch (const std::exception& e) {
    SendTrace(ports_.trace, std::string("FrmMain: Changes not examined: ") + e.what(), Handle);
  }
  return true;
}

// A change of the desktop key is examined as the broadcast without a
// section is, unless the wallpaper and its mode are as last examined (some
// other desktop setting changed, or the broadcast of the same change came
// first), or the wallpaper is the program's own: it writes the mode before
// the system writes the path, and an unsaved change writes the mode alone.
void TFrmMain::ExamineDesktopKey() {
  const std::string own = LastSavedWallpaper;  // the reading below adopts the desktop's when none is kept
  std::string path;
  DisplayMode mode = DisplayMode::Tile;
  ReadDesktopWallpaper(path, mode);
  const std::string stamp = DesktopStamp(path, mode);
  if (std::exchange(desktopSeen_, stamp) == stamp) return;
  if (!own.empty() && path == own) return;
  OfferDesktopWallpaper(path, mode);
}

// A browser's file just offered through the broadcast is not offered by the
// next poll a second time: the poll sees its stamp as already known.
void TFrmMain::RememberPolledStamp(const std::string& path) {
  for (const std::string& name : PollFiles) {
    const std::string full = folders_.windowsDir + "\\" + name;
    if (name.empty() || !SameTextAZ(full, path)) continue;
    try {
      if (ports_.files.FileExists(full)) StoreStamp(PollStamps, full, StampOf(ports_.files, full));
    } catch (const std::exception&) {
      // Unreadable now: the poll examines it on its next tick.
    }
    return;
  }
}

void TFrmMain::PollForWallpaper(const std::string& folder, const std::vector<std::string>& names) {
  // A copy: the list may be rebuilt while a dialog of this pass is open.
  const std::vector<std::string> polled = names;
  for (const std::string& raw : polled) {
    const std::string name = TrimBlanks(raw);
    if (name.empty()) continue;
    const std::string full = LowerAZ(folder) + "\\" + name;
    try {
      if (!ports_.files.FileExists(full)) continue;
      const std::string stamp = StampOf(ports_.files, full);
      const auto known = FindStamp(PollStamps, full);
      if (known != PollStamps.end() && known->substr(full.size() + 1) == stamp) continue;
      std::string wallpaper;
      DisplayMode mode = DisplayMode::Tile;
      ReadDesktopWallpaper(wallpaper, mode);
      // Only a rewrite of the file that is the wallpaper now is offered.
      if (LowerAZ(wallpaper) == LowerAZ(full)) {
        frmItemInfo.BeginAddBatch(false);
        AddDetectedWallpaper(full, mode);
      }
      StoreStamp(PollStamps, full, stamp);
    } catch (...) {
      // Background work fails silently; the name is examined again next tick.
    }
  }
}

}  // namespace mvx

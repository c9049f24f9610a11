#include <cstddef>
#include <optional>
#include <string>

#include "app/error.h"
#include "app/paths.h"
#include "app/registry_path.h"
#include "app/trace.h"
#include "ui/busy_cursor.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

// The system copies the path into a buffer of this many characters plus the
// terminating zero; anything longer must never reach it.
constexpr std::size_t kWallpaperPathCapacity = 256;

constexpr const char* kWallpaperValue = "WALLPAPER";
constexpr const char* kTileValue = "TILEWALLPAPER";

// HKCU\Control Panel\Desktop, opened in two steps and never created; closed
// when the holder goes, also when a read fails.
class DesktopKey {
 public:
  explicit DesktopKey(RegistryPort& registry)
      : registry_(registry), key_(OpenKeyPath(registry, kHkeyCurrentUser, {"Control Panel", "Desktop"})) {}
  ~DesktopKey() {
    if (key_) registry_.CloseKey(*key_);
  }
  DesktopKey(const DesktopKey&) = delete;
  DesktopKey& operator=(const DesktopKey&) = delete;

  explicit operator bool() const { return key_.has_value(); }
  RegKey Get() const { return *key_; }

 private:
  RegistryPort& registry_;
  std::optional<RegKey> key_;
};

// A string value of the desktop key; missing reads as empty. Another type is
// an error: a DWORD read as text would be garbage.
std::string ReadDesktopString(RegistryPort& registry, const DesktopKey& key, const char* name) {
  const std::optional<RegValue> value = registry.QueryValue(key.Get(), name);
  if (!value) return {};
  if (value->type != kRegSz && value->type != kRegExpandSz) {
    throw AppError(std::string("Invalid data type for '") + name + "'");
  }
  // The text ends at the first zero, as the system's string does.
  return value->data.substr(0, value->data.find('\0'));
}

// The inventory view's current entry set as wallpaper, saved; the slideshow
// goes on after it when asked to.
void SetSelectedAsWallpaper(TFrmMain& form, bool moveSlidePosition) {
  const TClientDataSet& view = form.cdtInventory;
  if (!view.Active() || view.IsEmpty()) return;
  if (moveSlidePosition) form.SyncSlideCursor();
  form.RestartSlideTimer();
  const InventoryEntry& entry = form.cdtInventory.Fields();
  form.SetWallpaper(entry.LCLocation + "\\" + entry.LCFilename, entry.Tile, true);
}

}  // namespace

void TFrmMain::SetWallpaper(const std::string& path, bool tile, bool save) {
  if (path.size() > kWallpaperPathCapacity) {
    SendTrace(ports_.trace,
              "FrmMain.SetWallpaper: Path too long (" + std::to_string(path.size()) + " characters): " + path, Handle);
    return;
  }
  BusyCursor busy(ports_.shell);
  ports_.shell.ProcessMessages();
  {
    DesktopKey key(ports_.registry);
    // The tile mode goes first: the system reads it while it sets the picture.
    if (key) ports_.registry.SetValue(key.Get(), kTileValue, RegValue{kRegSz, tile ? "1" : "0"});
  }
  ports_.shell.ProcessMessages();
  std::uint32_t flags = 0;
  if (save) {
    flags = kSpifUpdateIniFile | (chkSendChangeNotification.Checked() ? kSpifSendWinIniChange : 0u);
  }
  ports_.desktop.SetDeskWallpaper(path, flags);
  if (save) {
    LastSavedWallpaper = LowerAZ(path);
    LastSavedTile = tile;
  }
  LastSetWallpaper = LowerAZ(path);
  ShowWallpaperName(path.empty() ? "(none)" : ExtractFileName(path));
  LastSetTile = tile;
}

void TFrmMain::ReadDesktopWallpaper(std::string& path, bool& tile) {
  path.clear();
  DesktopKey key(ports_.registry);
  if (!key) return;
  path = LowerAZ(ReadDesktopString(ports_.registry, key, kWallpaperValue));
  // Only "0" means centred; a missing or odd value leaves the picture tiled.
  tile = ReadDesktopString(ports_.registry, key, kTileValue) != "0";
  if (LastSavedWallpaper.empty()) {
    LastSavedWallpaper = path;
    LastSavedTile = tile;
  }
}

void TFrmMain::GetCurrentWallpaper(std::string& path, bool& tile) {
  ReadDesktopWallpaper(path, tile);
  if (path == LastSavedWallpaper) {
    // The desktop settings hold our last saved change; an unsaved change made
    // since is what the screen shows.
    if (!LastSetWallpaper.empty()) {
      path = LastSetWallpaper;
      tile = LastSetTile;
    } else {
      path = LastSavedWallpaper;
      tile = LastSavedTile;
    }
  }
  ShowWallpaperName(ExtractFileName(path));
}

void TFrmMain::ShowWallpaperName(const std::string& name) {
  const std::string caption = name.empty() ? BaseCaption : BaseCaption + " - " + name;
  SetCaption(caption);
  app_.SetTitle(caption);
  tray_.TrayIcon1.SetHint(caption);
}

void TFrmMain::RestartSlideTimer() {
  if (!tmrSlide.Enabled()) return;
  tmrSlide.SetEnabled(false);
  tmrSlide.SetEnabled(true);
}

void TFrmMain::tbnSetWallpaperClick(TObject*) {
  SetSelectedAsWallpaper(*this, true);
}

void TFrmMain::mnuSetWallpaper1Click(TObject*) {
  SetSelectedAsWallpaper(*this, chkSyncWithManualChange.Checked());
}

void TFrmMain::imgDesktopClick(TObject*) {
  SetSelectedAsWallpaper(*this, chkSyncWithManualChange.Checked());
}

void TFrmMain::dbgrdInventoryDblClick(TObject*) {
  SetSelectedAsWallpaper(*this, chkSyncWithManualChange.Checked());
}

void TFrmMain::tbnNoneClick(TObject*) {
  chkAutoChange.SetChecked(false);
  SetWallpaper("", true, true);
}

bool TFrmMain::FindCurrentInList() {
  std::string path;
  bool tile = true;
  GetCurrentWallpaper(path, tile);
  // A browser's file that detection took in lives on under its new name.
  if (!path.empty() && path == LastDetectedSource) path = LastDetectedTarget;
  return LocateInInventory(LowerAZ(path));
}

}  // namespace mvx

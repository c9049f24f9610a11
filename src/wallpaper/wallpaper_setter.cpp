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
constexpr const char* kStyleValue = "WallpaperStyle";

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

// A value that says how the picture is shown: read as text when it is text,
// and as missing otherwise, so that an odd value never stops a reading.
std::optional<std::string> ReadModeValue(RegistryPort& registry, const DesktopKey& key, const char* name) {
  const std::optional<RegValue> value = registry.QueryValue(key.Get(), name);
  if (!value || (value->type != kRegSz && value->type != kRegExpandSz)) return std::nullopt;
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
  const std::string path = entry.LCLocation + "\\" + entry.LCFilename;
  if (form.Desk().Spans()) {
    form.SetOnWindowMonitor(path);
  } else {
    form.SetWallpaper(path, entry.Display, true);
  }
}

}  // namespace

// The composed desktop picture is spanned over the monitors; any other
// picture is shown in its own mode.
void TFrmMain::SetWallpaper(const std::string& path, DisplayMode mode, bool save) {
  desk_.SetFolder(dataDir_);
  SetWallpaperStyled(path, desk_.IsComposed(path) ? kSpanStyle : DesktopStyleOf(mode), mode, save);
}

void TFrmMain::SetWallpaperStyled(const std::string& path, DesktopStyle style, DisplayMode mode, bool save) {
  if (path.size() > kWallpaperPathCapacity) {
    SendTrace(ports_.trace,
              "FrmMain.SetWallpaper: Path too long (" + std::to_string(path.size()) + " characters): " + path, Handle);
    return;
  }
  BusyCursor busy(ports_.shell);
  ports_.shell.ProcessMessages();
  {
    DesktopKey key(ports_.registry);
    // The display mode goes first: the system reads both values while it sets
    // the picture.
    if (key) {
      ports_.registry.SetValue(key.Get(), kStyleValue, RegValue{kRegSz, std::string(style.wallpaperStyle)});
      ports_.registry.SetValue(key.Get(), kTileValue, RegValue{kRegSz, std::string(style.tileWallpaper)});
    }
  }
  ports_.shell.ProcessMessages();
  std::uint32_t flags = 0;
  if (save) {
    flags = kSpifUpdateIniFile | (chkSendChangeNotification.Checked() ? kSpifSendWinIniChange : 0u);
  }
  ports_.desktop.SetDeskWallpaper(path, flags);
  if (save) {
    LastSavedWallpaper = LowerAZ(path);
    LastSavedDisplay = mode;
  }
  LastSetWallpaper = LowerAZ(path);
  ShowWallpaperName(path.empty() ? "(none)" : ExtractFileName(path));
  LastSetDisplay = mode;
  RecordShown(path);
}

void TFrmMain::ReadDesktopWallpaper(std::string& path, DisplayMode& mode) {
  path.clear();
  DesktopKey key(ports_.registry);
  if (!key) return;
  path = LowerAZ(ReadDesktopString(ports_.registry, key, kWallpaperValue));
  mode = DisplayModeFromDesktop(ReadModeValue(ports_.registry, key, kStyleValue),
                                ReadModeValue(ports_.registry, key, kTileValue));
  if (LastSavedWallpaper.empty()) {
    LastSavedWallpaper = path;
    LastSavedDisplay = mode;
  }
}

void TFrmMain::GetCurrentWallpaper(std::string& path, DisplayMode& mode) {
  ReadDesktopWallpaper(path, mode);
  if (path == LastSavedWallpaper) {
    // The desktop settings hold our last saved change; an unsaved change made
    // since is what the screen shows.
    if (!LastSetWallpaper.empty()) {
      path = LastSetWallpaper;
      mode = LastSetDisplay;
    } else {
      path = LastSavedWallpaper;
      mode = LastSavedDisplay;
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
  // A change made by hand stands for the slideshow's held one too.
  fullScreenWait_.Drop();
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
  SetWallpaper("", DisplayMode::Tile, true);
}

bool TFrmMain::FindCurrentInList() {
  std::string path;
  DisplayMode mode = DisplayMode::Tile;
  GetCurrentWallpaper(path, mode);
  // A browser's file that detection took in lives on under its new name.
  if (!path.empty() && path == LastDetectedSource) path = LastDetectedTarget;
  // The composed picture stands for the primary monitor's.
  if (IsOwnPicture(path) && !desk_.Primary().empty()) path = desk_.Primary();
  return LocateInInventory(LowerAZ(path));
}

}  // namespace mvx

#pragma once
#include <string>
#include <vector>

namespace mvx::testing {

struct SettingValue {
  std::string section;
  std::string key;
  std::string value;
};

// Every key of the settings file in the order the program writes them, with
// the value a new installation writes; the two folders depend on where the
// program is.
inline std::vector<SettingValue> DefaultSettings(const std::string& dataDir, const std::string& importDir) {
  return {
      {"Directories", "DataDir", dataDir},
      {"Directories", "ImportDir", importDir},
      {"Directories", "DBFileName", "GDB.CDS"},
      {"Preview", "PreviewPanelHeight", "185"},
      {"General", "StartWithWindows", "1"},
      {"General", "Verbose", "1"},
      {"General", "LimitImageSize", "0"},
      {"General", "MaxImageSize", "1500"},
      {"General", "LimitPreviewSize", "1"},
      {"General", "MaxPreviewSize", "250"},
      {"General", "ToolbarHints", "1"},
      {"General", "UseDefaultEditor", "1"},
      {"General", "SelectedEditor", "pbrush.exe"},
      {"Positions", "MainTop", "0"},
      {"Positions", "MainLeft", "0"},
      {"Confirmation", "ConfirmExit", "1"},
      {"Confirmation", "ConfirmDeleteDisk", "1"},
      {"Confirmation", "ConfirmRemoveList", "1"},
      {"Slideshow", "AutoChange", "1"},
      {"Slideshow", "SlideHrs", "0"},
      {"Slideshow", "SlideMins", "5"},
      {"Slideshow", "SlideSecs", "0"},
      {"Slideshow", "Random", "1"},
      {"Slideshow", "ChangeOnStartup", "1"},
      {"Slideshow", "WaitFullScreen", "1"},
      {"AutoDetect", "Polling", "1"},
      {"AutoDetect", "Poll File Name", "Netscape Wallpaper.bmp"},
      {"AutoDetect", "PollInterval", "5"},
      {"AutoDetect", "PromptForName", "1"},
      {"AddWallpaper", "Display", ""},
      {"AddWallpaper", "CopyOption", ""},
      {"Monitors", "PicturePerMonitor", "1"},
      {"Keys", "Next", "Ctrl+Alt+Shift+Right"},
      {"Keys", "Previous", "Ctrl+Alt+Shift+Left"},
      {"Keys", "PauseResume", "Ctrl+Alt+Shift+P"},
      {"Keys", "Disable", ""},
  };
}

}  // namespace mvx::testing

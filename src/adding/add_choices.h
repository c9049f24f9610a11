#pragma once
#include "adding/frm_item_info.h"
#include "app/settings_file.h"

namespace mvx {

// The copy-option dialog's remembered choices in the settings file, section
// "AddWallpaper": "Display" names the mode ("Tile", "Centre", "Fill", "Fit",
// "Stretch"; empty while none was chosen) and "CopyOption" the copy option
// ("Leave", "Move", "Copy"). An unknown name reads as no choice.
void LoadOrSaveAddChoices(SettingsFile& ini, TfrmItemInfo& dialog, bool loading);

}  // namespace mvx

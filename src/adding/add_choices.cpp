#include "adding/add_choices.h"

#include <exception>
#include <string>

#include "app/trace.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

constexpr const char* kSection = "AddWallpaper";

std::string CopyOptionName(int option) {
  switch (option) {
    case kCopyLeave:
      return "Leave";
    case kCopyMove:
      return "Move";
    case kCopyCopy:
      return "Copy";
    default:
      return "";
  }
}

int CopyOptionFromName(const std::string& name) {
  for (int option : {kCopyLeave, kCopyMove, kCopyCopy}) {
    if (CopyOptionName(option) == name) return option;
  }
  return 0;
}

}  // namespace

void LoadOrSaveAddChoices(SettingsFile& ini, TfrmItemInfo& dialog, bool loading) {
  if (loading) {
    dialog.RememberedMode = DisplayModeFromName(ini.ReadString(kSection, "Display", ""));
    dialog.RememberedCopyOption = CopyOptionFromName(ini.ReadString(kSection, "CopyOption", ""));
    return;
  }
  ini.WriteString(kSection, "Display",
                  dialog.RememberedMode ? std::string(DisplayModeName(*dialog.RememberedMode)) : "");
  ini.WriteString(kSection, "CopyOption", CopyOptionName(dialog.RememberedCopyOption));
}

void TFrmMain::SaveAddChoices() {
  try {
    SettingsFile ini(ports_.profile, settingsFile_, &ports_.files);
    LoadOrSaveAddChoices(ini, frmItemInfo, false);
  } catch (const std::exception& e) {
    SendTrace(ports_.trace, std::string("FrmMain.SaveAddChoices: ") + e.what(), Handle);
  }
}

}  // namespace mvx

#include "ui/frm_main.h"

// Handlers whose files are being written; each moves to its own file.
namespace mvx {

// app/main_lifecycle.cpp
void TFrmMain::FormCreate() {}
bool TFrmMain::WndProc(std::uint32_t) { return false; }
void TFrmMain::mnuClose1Click(TObject*) {}
bool TFrmMain::Close() { return false; }
void TFrmMain::FormCloseQuery(bool&) {}
void TFrmMain::FormClose() {}
bool TFrmMain::WMQueryEndSession(std::uint32_t) { return true; }
void TFrmMain::CloseProcessing() {}
void TFrmMain::FormDestroy() {}
void TFrmMain::FormHide() {}
void TFrmMain::ShowMurovex1Click(TObject*) {}
void TFrmMain::EnterDataDirectory(const std::string&) {}
void TFrmMain::FinalStage() {}
void TFrmMain::HideToTray(TObject*) {}

// app/settings.cpp
void TFrmMain::LoadOrSaveSettings(bool, bool) {}
void TFrmMain::SaveSettings() {}
void TFrmMain::SlideTimerSettingsChanged(TObject*) {}
std::string TFrmMain::ReadLastWallpaper() { return {}; }
void TFrmMain::SaveLastWallpaper(const std::string&) {}
void TFrmMain::ClampMainPosition() {}
void TFrmMain::UpdateEditorControls() {}
void TFrmMain::GenericSettingsChange(TObject*) {}
void TFrmMain::chkToolbarHintsClick(TObject*) {}
void TFrmMain::rdoDefaultEditorClick(TObject*) {}
void TFrmMain::StartupSettingsChange(TObject*) {}
void TFrmMain::chkLimitImageSizeClick(TObject*) {}
void TFrmMain::edtMaxImageSizeChange(TObject*) {}
void TFrmMain::edtMaxPreviewSizeChange(TObject*) {}
void TFrmMain::updImageSizeClick(TObject*) {}
void TFrmMain::updPreviewSizeClick(TObject*) {}
void TFrmMain::edtPollFileNameChange(TObject*) {}
void TFrmMain::btnSelectEditorClick(TObject*) {}
void TFrmMain::btnOKClick(TObject*) {}

// inventory/inventory_ops.cpp
void TFrmMain::LoadInventory() {}
void TFrmMain::SaveInventory() {}
void TFrmMain::ScheduleInventorySave(TObject*) {}
void TFrmMain::RelocateDataDirEntries(const std::string&) {}
bool TFrmMain::LocateInInventory(const std::string&) { return false; }
bool TFrmMain::IsKnownPicture(const std::string&) { return false; }
bool TFrmMain::IsKnownPictureWithTile(const std::string&, bool) { return false; }
void TFrmMain::SyncSlideCursor() {}
void TFrmMain::ShowPictureCount() {}
std::string TFrmMain::DataFilePath() const { return {}; }

// wallpaper/wallpaper_setter.cpp
void TFrmMain::SetWallpaper(const std::string&, bool, bool) {}
void TFrmMain::ReadDesktopWallpaper(std::string&, bool&) {}
void TFrmMain::GetCurrentWallpaper(std::string&, bool&) {}
void TFrmMain::ShowWallpaperName(const std::string&) {}
void TFrmMain::RestartSlideTimer() {}
void TFrmMain::tbnSetWallpaperClick(TObject*) {}
void TFrmMain::mnuSetWallpaper1Click(TObject*) {}
void TFrmMain::imgDesktopClick(TObject*) {}
void TFrmMain::dbgrdInventoryDblClick(TObject*) {}
void TFrmMain::tbnNoneClick(TObject*) {}
bool TFrmMain::FindCurrentInList() { return false; }

// slideshow/slide_selection.cpp
void TFrmMain::ShowNextSlide() {}
void TFrmMain::GetNextSlideInfo(std::string&, bool&, bool&) {}
bool TFrmMain::PassesTileFilter(bool) const { return true; }

// slideshow/slide_timer.cpp
void TFrmMain::ApplySlideInterval() {}
void TFrmMain::chkAutoChangeClick(TObject*) {}
void TFrmMain::tmrSlideTimer(TObject*) {}
void TFrmMain::GenericSlideTimerChange(TObject*) {}
void TFrmMain::edtHrsEnter(TObject*) {}
void TFrmMain::edtHrsExit(TObject*) {}
void TFrmMain::updHrsClick(TObject*) {}
void TFrmMain::gbxIntervalExit(TObject*) {}
void TFrmMain::RunSlideshow1Click(TObject*) {}
std::string TFrmMain::SlideIntervalText() const { return {}; }

}  // namespace mvx

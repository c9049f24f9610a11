#include "ui/frm_main.h"

// Handlers whose files are being written; each moves to its own file.
namespace mvx {

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

}  // namespace mvx

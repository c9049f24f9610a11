#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "app/application.h"
#include "app/system_folders.h"
#include "fakes/fake_ports.h"
#include "shared/bitmap_bytes.h"
#include "ui/frm_main.h"
#include "ui/frm_tray.h"
#include "unit/entry_builder.h"

namespace mvx::testing {

// Records when a window was brought to the front.
struct ForegroundSpy : FormObserver {
  void ControlChanged(TControl&, ControlProp) override {}
  void FormChanged(TForm&) override {}
  void FocusChanged(TForm&, TControl*) override {}
  void BringToForeground(TForm&) override { ++raised; }
  int raised = 0;
};

// The main window over fakes, as the entry builds it: the program stored as
// C:\Apps\Murovex\Murovex.exe, the Windows folder C:\WINDOWS.
class MainFixture : public ::testing::Test {
 protected:
  MainFixture() {
    fakes.files.AddDir("C:\\Apps\\Murovex");
    fakes.files.AddDir("C:\\WINDOWS");
  }
  // Builds the tray form and the main window; create runs FormCreate.
  void Build(bool create = true) {
    folders = ComputeSystemFolders(fakes.system);
    tray = std::make_unique<TFrmTray>(fakes.ports);
    tray->FormCreate();
    main = std::make_unique<TFrmMain>(fakes.ports, app, folders, *tray);
    if (create) main->FormCreate();
  }
  // Appends the entry to the main data set, as taking a file in does.
  void ListEntry(const InventoryEntry& e) {
    main->cdtData.Append();
    main->cdtData.EditFields() = e;
    main->cdtData.Post();
  }
  // One picture on disk and in the list, so that the slideshow can run.
  void ListOnePicture() {
    fakes.files.AddDir("C:\\Pics");
    fakes.files.Put("C:\\Pics\\a.bmp", BitmapBytes(2, 2));
    ListEntry(InventoryEntry{true, DisplayMode::Tile, "a.bmp", "C:\\Pics", 1000, 0, "", 0, "c:\\pics", "a.bmp"});
  }
  std::string IniPath() const { return "C:\\Apps\\Murovex\\Murovex.INI"; }
  std::string Ini(const std::string& section, const std::string& key) {
    return fakes.profile.GetString(IniPath(), section, key, "<missing>");
  }
  std::string ImagesDir() const { return "C:\\Apps\\Murovex\\Images"; }

  fakes::FakePorts fakes;
  TApplication app{fakes.ports};
  SystemFolders folders;
  std::unique_ptr<TFrmTray> tray;
  std::unique_ptr<TFrmMain> main;
};

}  // namespace mvx::testing

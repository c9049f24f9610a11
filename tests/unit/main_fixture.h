#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "app/application.h"
#include "app/system_folders.h"
#include "fakes/fake_ports.h"
#include "ui/frm_main.h"
#include "ui/frm_tray.h"

namespace mvx::testing {

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

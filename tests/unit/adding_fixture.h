#pragma once
#include <functional>
#include <string>
#include <vector>

#include "app/paths.h"
#include "unit/main_fixture.h"

namespace mvx::testing {

// What the user saw when a copy-option dialog came up.
struct DialogSeen {
  std::string caption, from, name;
  bool tiled, leave, move, copy;
  bool leaveEnabled, moveEnabled, copyEnabled, groupEnabled, applyEnabled;
};

// The main window with its inventory open on C:\Apps\Murovex\Images, and a
// scripted user for the copy-option dialog.
class AddingFixture : public MainFixture {
 protected:
  AddingFixture() {
    fakes.files.AddDir(ImagesDir());
    app.SetTitle("Murovex");
    Build(false);
    main->SetDataDir(ImagesDir());
    main->cdtData.CreateDataSet();
    main->LoadInventory();
    main->cdtSlideShow.CloneCursor(main->cdtData);
    main->cdtInventory.CloneCursor(main->cdtData);
  }

  // The next dialog: the user acts on it, then ends it with the result.
  void User(std::function<void(TfrmItemInfo&)> act, ModalResult result = ModalResult::Ok) {
    fakes.prompts.ScriptModal([this, act, result](TForm& form) {
      auto& d = static_cast<TfrmItemInfo&>(form);
      seen.push_back({d.Caption(), d.edtFromDir.Text(), d.edtFileName.Text(), d.rdoTiled.Checked(),
                      d.rdoLeave.Checked(), d.rdoMove.Checked(), d.rdoCopy.Checked(), d.rdoLeave.Enabled(),
                      d.rdoMove.Enabled(), d.rdoCopy.Enabled(), d.gbxCopyMode.Enabled(), d.chkApplyToAll.Enabled()});
      if (act) act(d);
      return result;
    });
  }
  void Accept() { User(nullptr); }
  void TypeName(const std::string& name) {
    User([name](TfrmItemInfo& d) { d.edtFileName.SetText(name); });
  }

  // The entry of the file, by its key; nullptr when there is none.
  const InventoryEntry* Find(const std::string& path) {
    for (const InventoryEntry& e : (records = main->cdtData.AllRecords())) {
      if (SameTextAZ(e.Location + "\\" + e.FileName, path)) return &e;
    }
    return nullptr;
  }
  std::string Img(const std::string& name) const { return ImagesDir() + "\\" + name; }

  std::vector<DialogSeen> seen;
  std::vector<InventoryEntry> records;
};

}  // namespace mvx::testing

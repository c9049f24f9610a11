#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/paths.h"
#include "shared/bitmap_bytes.h"
#include "unit/main_fixture.h"

namespace mvx::testing {

// The main window without its start-up, over an inventory of pictures in
// C:\Pics made by the test; the slideshow on, every 5 minutes.
class SlideFixture : public MainFixture {
 protected:
  struct Pic {
    Pic(const char* n, bool e = true, bool t = true, std::int32_t s = 1000, bool disk = true)
        : name(n), enabled(e), tile(t), size(s), onDisk(disk) {}
    std::string name;
    bool enabled, tile;
    std::int32_t size;
    bool onDisk;
  };

  SlideFixture() {
    fakes.files.AddDir("C:\\Pics");
    Build(false);
    main->BaseCaption = "Murovex";
    main->cdtData.CreateDataSet();
    main->cdtSlideShow.CloneCursor(main->cdtData);
    main->cdtInventory.CloneCursor(main->cdtData);
  }

  void Add(const Pic& pic) {
    if (pic.onDisk) fakes.files.Put("C:\\Pics\\" + pic.name, BitmapBytes(2, 2));
    TClientDataSet& data = main->cdtData;
    data.Append();
    InventoryEntry& e = data.EditFields();
    e.Enabled = pic.enabled;
    e.Display = pic.tile ? DisplayMode::Tile : DisplayMode::Centre;
    e.FileName = pic.name;
    e.Location = "C:\\Pics";
    e.Size = pic.size;
    e.LCFilename = LowerAZ(pic.name);
    e.LCLocation = "c:\\pics";
    data.Post();
  }
  void Add(std::initializer_list<Pic> pics) {
    for (const Pic& p : pics) Add(p);
  }
  void SlideOn(const std::string& name) { ASSERT_TRUE(main->cdtSlideShow.FindKey(LowerAZ(name), "c:\\pics")); }
  void ViewOn(const std::string& name) { ASSERT_TRUE(main->cdtInventory.FindKey(LowerAZ(name), "c:\\pics")); }

  // The paths handed to the system, in order.
  std::vector<std::string> WallpapersSet() const {
    std::vector<std::string> out;
    for (const auto& c : fakes.desktop.wallpaperCalls) out.push_back(c.path);
    return out;
  }
  static std::string Pics(const std::string& lcName) { return "c:\\pics\\" + lcName; }
};

}  // namespace mvx::testing

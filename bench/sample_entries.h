#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "inventory/dataset.h"

namespace mvx {

// Pictures as a user's collection names them: fifty folders, every third
// one left out of the slideshow.
inline std::vector<InventoryEntry> MakeEntries(int count) {
  std::vector<InventoryEntry> entries(static_cast<std::size_t>(count));
  char name[32];
  for (int i = 0; i < count; ++i) {
    InventoryEntry& e = entries[static_cast<std::size_t>(i)];
    std::snprintf(name, sizeof name, "Picture%06d.bmp", i);
    e.FileName = name;
    e.Location = "C:\\Users\\Someone\\Pictures\\Wallpapers\\Set" + std::to_string(i % 50);
    e.LCFilename = "picture" + std::string(name + 7);
    e.LCLocation = "c:\\users\\someone\\pictures\\wallpapers\\set" + std::to_string(i % 50);
    e.Enabled = i % 3 != 0;
    e.Size = 1000 + i;
    e.Timestamp = 45000.0 + i / 1000.0;
  }
  return entries;
}

}  // namespace mvx

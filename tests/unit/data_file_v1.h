#pragma once
#include <bit>
#include <string>
#include <vector>

#include "inventory/crc32.h"
#include "inventory/dataset.h"

namespace mvx::testing {

// A data file of version 1 as older programs wrote it (docs/data-file.md),
// holding the entries as they are, in their order.
inline std::string Version1File(const std::vector<InventoryEntry>& entries) {
  std::string out;
  auto put = [&out](std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) out += static_cast<char>(v >> (8 * i));
  };
  auto text = [&out](const std::string& s) { out += static_cast<char>(s.size()) + s; };
  out = "MVXINV\r\n";
  put(0x000A0001, 4);  // version 1, ten fields
  put(entries.size(), 4);
  put(0, 4);  // the body's length, once known
  for (std::string f : {"\1\1Enabled", "\1\1Tile",
                        "\4\xFF"
                        "FileName",
                        "\4\xFF"
                        "Location",
                        "\2\4Size", "\3\x08Timestamp", "\4\x0AGroup", "\2\4Order",
                        "\4\xFF"
                        "LCLocation",
                        "\4\xFF"
                        "LCFilename"}) {
    out += f.substr(0, 2) + '\0';
    text(f.substr(2));
  }
  for (const InventoryEntry& e : entries) {
    out += static_cast<char>(e.Enabled) + std::string(1, e.Display == DisplayMode::Tile);
    text(e.FileName);
    text(e.Location);
    put(static_cast<std::uint32_t>(e.Size), 4);
    put(std::bit_cast<std::uint64_t>(e.Timestamp), 8);
    text(e.Group);
    put(static_cast<std::uint32_t>(e.Order), 4);
    text(e.LCLocation);
    text(e.LCFilename);
  }
  for (int i = 0; i < 4; ++i) out[16 + i] = static_cast<char>((out.size() - 20) >> (8 * i));
  put(Crc32(out), 4);
  return out;
}

}  // namespace mvx::testing

#pragma once
#include <cstdint>
#include <string>

#include "app/paths.h"
#include "inventory/dataset.h"

namespace mvx::testing {

// An entry whose names are already in lower case, as the tests of the table
// want them: the key is the names as given.
inline InventoryEntry Entry(const std::string& file, const std::string& folder, std::int32_t size = 0) {
  InventoryEntry e;
  e.FileName = file;
  e.LCFilename = file;
  e.Location = folder;
  e.LCLocation = folder;
  e.Size = size;
  return e;
}

// An entry as the program lists a file: the key is the names in lower case.
inline InventoryEntry KeyedEntry(const std::string& file, const std::string& folder, std::int32_t size = 0) {
  InventoryEntry e = Entry(file, folder, size);
  e.LCFilename = LowerAZ(file);
  e.LCLocation = LowerAZ(folder);
  return e;
}

}  // namespace mvx::testing

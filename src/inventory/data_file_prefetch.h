#pragma once
#include <optional>
#include <string>

#include "inventory/data_file.h"
#include "platform/file_port.h"
#include "platform/status.h"

namespace mvx {

// The picture list's file, mapped and checked ahead of start-up's own load:
// on a thread of its own while the first windows are made, which keep the
// program waiting on the windowing system rather than computing.
struct PrefetchedDataFile {
  std::string path;
  Status read;              // the mapping of the file
  PackedDataFile contents;  // checked; only when read is ok
};

// Maps the file at path (as start-up does) and checks it; never throws.
PrefetchedDataFile PrefetchDataFile(FilePort& files, const std::string& path);

// A look ahead under way. Start-up takes its result when its load comes to
// the same file; any other load, and a failed look ahead, loads as before.
class DataFilePrefetch {
 public:
  virtual ~DataFilePrefetch() = default;
  // Waits for the look ahead; its result when it was for path (in any
  // letter case) and not taken yet, else nothing.
  std::optional<PrefetchedDataFile> Take(const std::string& path);
  // Waits for the look ahead and lets its result go (the file with it).
  void Drop() { (void)Finish(); }

 protected:
  // Waits until the look ahead is done and hands its result over, once.
  virtual std::optional<PrefetchedDataFile> Finish() = 0;
};

}  // namespace mvx

#include "inventory/data_file_prefetch.h"

#include "app/paths.h"

namespace mvx {

PrefetchedDataFile PrefetchDataFile(FilePort& files, const std::string& path) {
  PrefetchedDataFile ahead;
  ahead.path = path;
  try {
    ByteBlock bytes;
    ahead.read = files.MapBlock(path, bytes);
    if (ahead.read) ahead.contents = DecodePackedDataFile(std::move(bytes));
  } catch (...) {
    ahead.read = Status::Fail(winerr::kNotEnoughMemory, "map " + path);
    ahead.contents = {};
  }
  return ahead;
}

std::optional<PrefetchedDataFile> DataFilePrefetch::Take(const std::string& path) {
  std::optional<PrefetchedDataFile> ahead = Finish();
  if (!ahead || LowerAZ(ahead->path) != LowerAZ(path)) return std::nullopt;
  return ahead;
}

}  // namespace mvx

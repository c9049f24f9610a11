#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "inventory/data_file.h"

// Any bytes may be decoded; what decodes must encode back to the same bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const mvx::DataFileContents contents = mvx::DecodeDataFile(bytes);
  if (!contents.ok()) {
    if (!contents.records.empty() || contents.reason.empty()) std::abort();
    return 0;
  }
  if (mvx::EncodeDataFile(contents.records) != bytes) std::abort();
  return 0;
}

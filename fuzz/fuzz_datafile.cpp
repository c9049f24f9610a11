#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "inventory/crc32.h"
#include "inventory/data_file.h"

namespace {

void PutU32(std::string& bytes, std::size_t at, std::uint32_t v) {
  for (std::size_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Any bytes may be decoded. What decodes encodes again without a refusal: a
// file of version 2 to the same bytes, one of version 1 to a file of version
// 2 that decodes to the same records (compared as bytes, since a timestamp
// may be NaN).
void Check(std::string_view bytes) {
  const mvx::DataFileContents contents = mvx::DecodeDataFile(bytes);
  if (!contents.ok()) {
    if (!contents.records.empty() || contents.reason.empty()) std::abort();
    return;
  }
  const std::string written = mvx::EncodeDataFile(contents.records);
  if (contents.version == mvx::kDataFileVersion) {
    if (written != bytes) std::abort();
    return;
  }
  if (contents.version != 1) std::abort();
  const mvx::DataFileContents again = mvx::DecodeDataFile(written);
  if (!again.ok() || again.version != mvx::kDataFileVersion || again.records.size() != contents.records.size() ||
      mvx::EncodeDataFile(again.records) != written) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Check(bytes);
  // The same bytes with a body length and checksum that fit, so the search
  // reaches the field list and the records behind the checksum.
  if (size >= 24) {
    std::string sealed(bytes);
    PutU32(sealed, 16, static_cast<std::uint32_t>(size - 24));
    PutU32(sealed, size - 4, mvx::Crc32(std::string_view(sealed).substr(0, size - 4)));
    Check(sealed);
  }
  return 0;
}

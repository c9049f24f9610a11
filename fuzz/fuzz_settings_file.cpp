#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/settings_file.h"

// Any settings file is either listed whole or left to the system. A listed
// file has no quote, no line without "=" and no key twice in a section, and
// written out again from its listings it lists the same, unless the file
// written out grew past the size that is listed at all (CR LF for LF): that
// one is left to the system, as any file of its size.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto listings = mvx::PlainSectionListings(text);
  if (!listings) return 0;
  std::string again;
  for (const auto& [name, block] : *listings) {
    if (block.find_first_of("\"'") != std::string::npos) std::abort();
    again += "[" + name + "]\r\n";
    std::size_t start = 0;
    while (start < block.size()) {
      const std::size_t end = block.find('\0', start);
      if (end == std::string::npos) std::abort();  // every line ends with a zero byte
      const std::string_view line(block.data() + start, end - start);
      if (line.find('=') == std::string_view::npos) std::abort();
      again.append(line).append("\r\n");
      start = end + 1;
    }
  }
  const auto relisted = mvx::PlainSectionListings(again);
  if (!relisted && again.size() > mvx::kLargestPlainSettingsFile) return 0;
  if (!relisted || *relisted != *listings) std::abort();
  return 0;
}

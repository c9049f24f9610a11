#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/profile_values.h"

// Any text in the settings file reads as a number or as nothing; a number
// read back from its decimal form is the same number.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto value = mvx::ParseProfileInteger(text);
  if (value) {
    const auto again = mvx::ParseProfileInteger(std::to_string(*value));
    if (!again || *again != *value) std::abort();
  }
  return 0;
}

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "adding/file_name_rules.h"
#include "app/paths.h"
#include "inventory/entry_rules.h"

// Any name may be typed for a picture. A name the rules accept holds no
// separator, colon, wildcard, quote or control character, becomes unusable
// with a trailing dot or blank, is accepted whatever the case of its
// letters, makes a usable folder under a usable one, and with that folder
// makes a picture path that is refused only for its length.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string name(reinterpret_cast<const char*>(data), size);
  (void)mvx::IsUsableFolder(name);
  (void)mvx::PathRefusal(name);
  if (!mvx::IsUsableFileName(name)) return 0;
  if (name.empty() || name.find_first_of("\\/:*?\"<>|") != std::string::npos) std::abort();
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20) std::abort();
  }
  if (mvx::IsUsableFileName(name + ".") || mvx::IsUsableFileName(name + " ")) std::abort();
  std::string upper = name;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (!mvx::IsUsableFileName(upper)) std::abort();
  const std::string folder = "C:\\Pictures\\" + name;
  if (!mvx::IsUsableFolder(folder)) std::abort();
  const std::string path = folder + "\\" + name;
  const bool fits = mvx::Utf16Length(path) <= mvx::kLongestPath;
  if (fits != mvx::PathRefusal(path).empty()) std::abort();
  return 0;
}

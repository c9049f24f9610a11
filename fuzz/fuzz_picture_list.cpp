#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "adding/picture_list.h"

// Any bytes read as a picture list give lines that hold no line end or
// quote, that write back and read again as the same lines, and whose names
// count as pictures only when they are plain names of the list's folder.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string again;
  const auto items = mvx::ParsePictureList(text);
  for (const mvx::PictureListItem& item : items) {
    if (item.name.find_first_of("\r\n\"") != std::string::npos) std::abort();
    if (mvx::ClassifyListedName(item.name) == mvx::ListedName::Picture) {
      if (item.name.find_first_of("\\/:") != std::string::npos || item.name == "..") std::abort();
    }
    again += mvx::PictureListLine(item.name, item.mode);
  }
  if (mvx::ParsePictureList(again) != items) std::abort();
  return 0;
}

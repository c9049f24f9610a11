#include "adding/picture_list.h"

#include "adding/file_name_rules.h"
#include "app/paths.h"

namespace mvx {

namespace {

// The text between the quote at `from` and the next one; npos when either is missing.
std::string_view Quoted(std::string_view line, std::size_t& from) {
  const std::size_t open = line.find('"', from);
  if (open == std::string_view::npos) return {};
  const std::size_t close = line.find('"', open + 1);
  if (close == std::string_view::npos) {
    from = std::string_view::npos;
    return {};
  }
  from = close + 1;
  return line.substr(open + 1, close - open - 1);
}

PictureListItem ParseLine(std::string_view line) {
  std::size_t at = 0;
  PictureListItem item;
  item.name = std::string(Quoted(line, at));
  item.mode = DisplayModeFromLetter(Quoted(line, at));
  return item;
}

}  // namespace

std::string PictureListLine(std::string_view fileName, DisplayMode mode) {
  std::string line;
  line.reserve(fileName.size() + 8);
  line += '"';
  line += fileName;
  line += "\",\"";
  line += DisplayModeLetter(mode);
  line += "\"\r\n";
  return line;
}

std::vector<PictureListItem> ParsePictureList(std::string_view text) {
  std::vector<PictureListItem> items;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) items.push_back(ParseLine(text.substr(start, end - start)));
    start = end;
    if (start < text.size() && text[start] == '\r') ++start;
    if (start < text.size() && text[start] == '\n') ++start;
  }
  return items;
}

ListedName ClassifyListedName(std::string_view name) {
  if (!IsUsableFileName(name)) return ListedName::OutsideFolder;
  return IsPictureFile(name) ? ListedName::Picture : ListedName::NotAPicture;
}

}  // namespace mvx

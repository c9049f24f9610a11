#include "adding/picture_list.h"

#include <array>

#include "app/paths.h"

namespace mvx {

namespace {

// The longest file name the file system keeps, in bytes.
constexpr std::size_t kLongestName = 255;

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

bool ForbiddenByte(unsigned char c) {
  return c < 0x20 || c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
         c == '|';
}

// CON, NUL, COM1 and their kin name devices in every folder, whatever
// extension follows.
bool NamesADevice(std::string_view name) {
  std::string base = LowerAZ(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  static constexpr std::array<std::string_view, 4> kPlain = {"con", "prn", "aux", "nul"};
  for (std::string_view device : kPlain) {
    if (base == device) return true;
  }
  return base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) && base[3] >= '0' && base[3] <= '9';
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
  if (name.empty() || name.size() > kLongestName) return ListedName::OutsideFolder;
  bool onlyDotsAndBlanks = true;
  for (const char c : name) {
    if (ForbiddenByte(static_cast<unsigned char>(c))) return ListedName::OutsideFolder;
    if (c != '.' && c != ' ') onlyDotsAndBlanks = false;
  }
  if (onlyDotsAndBlanks || NamesADevice(name)) return ListedName::OutsideFolder;
  return IsPictureFile(name) ? ListedName::Picture : ListedName::NotAPicture;
}

}  // namespace mvx

#include "adding/file_name_rules.h"

#include <array>

#include "app/paths.h"
#include "inventory/entry_rules.h"

namespace mvx {

namespace {

bool ForbiddenByte(unsigned char c) {
  return c < 0x20 || c == '\\' || c == '/' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
         c == '|';
}

// CON, NUL, COM1 and their kin name devices in every folder, whatever
// extension follows; the system takes the superscript digits ¹, ² and ³ for
// ports too.
bool NamesADevice(std::string_view name) {
  std::string base = LowerAZ(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  static constexpr std::array<std::string_view, 4> kPlain = {"con", "prn", "aux", "nul"};
  for (std::string_view device : kPlain) {
    if (base == device) return true;
  }
  if (!base.starts_with("com") && !base.starts_with("lpt")) return false;
  const std::string_view number = std::string_view(base).substr(3);
  static constexpr std::array<std::string_view, 3> kSuperscripts = {"\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
  for (std::string_view digit : kSuperscripts) {
    if (number == digit) return true;
  }
  return number.size() == 1 && number[0] >= '0' && number[0] <= '9';
}

}  // namespace

bool IsUsableFileName(std::string_view name) {
  if (name.empty() || Utf16Length(name) > kLongestFileName) return false;
  for (const char c : name) {
    if (ForbiddenByte(static_cast<unsigned char>(c))) return false;
  }
  // The system drops trailing dots and blanks: the file would get another name.
  if (name.back() == '.' || name.back() == ' ') return false;
  return !NamesADevice(name);
}

bool IsUsableFolder(std::string_view folder) {
  if (!IsAbsoluteFolder(folder)) return false;
  // Each part follows a backslash: after "X:", or the server's after the first of "\\".
  std::string_view rest = folder.substr(folder[1] == ':' ? 2 : 1);
  while (!rest.empty()) {
    rest.remove_prefix(1);
    const std::string_view part = rest.substr(0, rest.find('\\'));
    if (!IsUsableFileName(part)) return false;
    rest.remove_prefix(part.size());
  }
  return true;
}

std::string PathRefusal(std::string_view path) {
  switch (CheckPicturePath(path)) {
    case EntryFault::None:
      return {};
    case EntryFault::PathTooLong:
      return "Error: the path " + std::string(path) + " is too long (at most " + std::to_string(kLongestPath) +
             " characters).";
    case EntryFault::NameTooLong:
      return "Error: the name " + ExtractFileName(path) + " is too long (at most " + std::to_string(kLongestFileName) +
             " characters).";
    default:
      return "Error: " + std::string(path) + " is not the full path of a file.";
  }
}

}  // namespace mvx

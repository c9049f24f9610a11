#include "inventory/entry_rules.h"

namespace mvx {

namespace {

unsigned char At(std::string_view s, std::size_t i) {
  return static_cast<unsigned char>(s[i]);
}

bool Continues(std::string_view s, std::size_t i, unsigned char low = 0x80, unsigned char high = 0xBF) {
  return i < s.size() && At(s, i) >= low && At(s, i) <= high;
}

// Bytes of the well-formed UTF-8 character at i; 0 when there is none.
std::size_t CharacterLength(std::string_view s, std::size_t i) {
  const unsigned char lead = At(s, i);
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return Continues(s, i + 1) ? 2 : 0;
  if (lead >= 0xE0 && lead <= 0xEF) {
    // No overlong forms (E0 80..9F) and no surrogates (ED A0..BF).
    const bool second = lead == 0xE0   ? Continues(s, i + 1, 0xA0)
                        : lead == 0xED ? Continues(s, i + 1, 0x80, 0x9F)
                                       : Continues(s, i + 1);
    return second && Continues(s, i + 2) ? 3 : 0;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    const bool second = lead == 0xF0   ? Continues(s, i + 1, 0x90)
                        : lead == 0xF4 ? Continues(s, i + 1, 0x80, 0x8F)
                                       : Continues(s, i + 1);
    return second && Continues(s, i + 2) && Continues(s, i + 3) ? 4 : 0;
  }
  return 0;
}

bool IsLetterAZ(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsPlainPart(std::string_view part) {
  return !part.empty() && part != "." && part != ".." && part.find_first_of("/:") == std::string_view::npos;
}

// The parts of "\a\b..." (each after a backslash); -1 when one is not plain.
int CountParts(std::string_view rest) {
  int parts = 0;
  while (!rest.empty()) {
    if (rest.front() != '\\') return -1;
    rest.remove_prefix(1);
    const std::string_view part = rest.substr(0, rest.find('\\'));
    if (!IsPlainPart(part)) return -1;
    rest.remove_prefix(part.size());
    ++parts;
  }
  return parts;
}

bool IsLoweredAZ(std::string_view shown, std::string_view lowered) {
  if (shown.size() != lowered.size()) return false;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const char c = shown[i];
    if (lowered[i] != ((c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c)) return false;
  }
  return true;
}

}  // namespace

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const std::size_t n = CharacterLength(utf8, i);
    units += n == 4 ? 2 : 1;
    i += n == 0 ? 1 : n;
  }
  return units;
}

bool IsAbsoluteFolder(std::string_view folder) {
  if (folder.size() >= 2 && IsLetterAZ(folder[0]) && folder[1] == ':') return CountParts(folder.substr(2)) >= 0;
  // "\\server\share": the first backslash opens the server's name as a part.
  return folder.starts_with("\\\\") && CountParts(folder.substr(1)) >= 2;
}

EntryFault CheckPlace(std::string_view fileName, std::string_view location) {
  if (!IsPlainPart(fileName) || fileName.find('\\') != std::string_view::npos) return EntryFault::BadName;
  const std::size_t nameUnits = Utf16Length(fileName);
  if (nameUnits > kLongestFileName) return EntryFault::NameTooLong;
  if (!IsAbsoluteFolder(location)) return EntryFault::BadFolder;
  // Most paths are short: the folder is counted only when the bytes could be too many.
  if (location.size() + 1 + fileName.size() > kLongestPath && Utf16Length(location) + 1 + nameUnits > kLongestPath) {
    return EntryFault::PathTooLong;
  }
  return EntryFault::None;
}

EntryFault CheckEntryFields(std::string_view fileName, std::string_view location, std::string_view lcFilename,
                            std::string_view lcLocation) {
  const EntryFault place = CheckPlace(fileName, location);
  if (place != EntryFault::None) return place;
  if (!IsLoweredAZ(fileName, lcFilename)) return EntryFault::BadNameKey;
  if (!IsLoweredAZ(location, lcLocation)) return EntryFault::BadFolderKey;
  return EntryFault::None;
}

EntryFault CheckPicturePath(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  if (slash == std::string_view::npos) return EntryFault::BadName;
  std::string_view folder = path.substr(0, slash);
  while (!folder.empty() && folder.back() == '\\') folder.remove_suffix(1);
  return CheckPlace(path.substr(slash + 1), folder);
}

}  // namespace mvx

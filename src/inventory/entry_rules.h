#pragma once
#include <cstddef>
#include <string_view>

namespace mvx {

// What the system allows of a path, counted as the system counts: in UTF-16
// units (a character beyond U+FFFF takes two).
inline constexpr std::size_t kLongestFileName = 255;
inline constexpr std::size_t kLongestPath = 259;  // folder, "\" and name

// The UTF-16 units of UTF-8 text; a byte that is not part of a well-formed
// character counts as one.
std::size_t Utf16Length(std::string_view utf8);

// A folder as an entry names it: "X:", "X:\..." or "\\server\share\...",
// without a trailing backslash; no part of it empty, "." or "..", or
// holding "/" or ":".
bool IsAbsoluteFolder(std::string_view folder);

// Why an entry could not be listed; the data file holds none of these, so
// that every entry names the file its key finds.
enum class EntryFault {
  None,
  BadName,       // empty, ".", "..", or holding "\", "/" or ":"
  NameTooLong,   // more than kLongestFileName units
  BadFolder,     // not IsAbsoluteFolder
  PathTooLong,   // folder, "\" and name: more than kLongestPath units
  BadNameKey,    // LCFilename is not FileName with A to Z lowered
  BadFolderKey,  // LCLocation is not Location with A to Z lowered
};

// The shown fields, checked in the order of the faults above.
EntryFault CheckPlace(std::string_view fileName, std::string_view location);
// The same, then the key fields.
EntryFault CheckEntryFields(std::string_view fileName, std::string_view location, std::string_view lcFilename,
                            std::string_view lcLocation);
// A path as the adding road takes it: the name after its last "\", the
// folder before it (trailing backslashes dropped), as an entry keeps them.
EntryFault CheckPicturePath(std::string_view path);

}  // namespace mvx

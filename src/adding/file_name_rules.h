#pragma once
#include <string>
#include <string_view>

namespace mvx {

// A name a file can have in a folder, and keep as written: not empty, at
// most 255 UTF-16 units, no separator, colon, wildcard, quote, "<", ">",
// "|" or control character, no trailing dot or blank, and no device's name
// (CON, PRN, AUX, NUL, COM0 to COM9 and LPT0 to LPT9, with ¹, ² and ³ too),
// whatever extension follows. Names read from a picture list and names
// typed in the copy-option dialog are held to it.
bool IsUsableFileName(std::string_view name);

// A folder typed for a picture: its full path ("X:", "X:\..." or
// "\\server\share\..."), each of its parts a usable name.
bool IsUsableFolder(std::string_view folder);

// What the user is told about a picture whose path no entry can hold (a
// path longer than the system allows, or not the full path of a file);
// empty when it can be listed.
std::string PathRefusal(std::string_view path);

}  // namespace mvx

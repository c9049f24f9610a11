#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "wallpaper/display_mode.h"

namespace mvx {

// The picture list (".mvl"): one line per picture, the file's name and its
// display mode, each in double quotes, separated by a comma, ended by CR LF:
//   "sunset.bmp","T"
// The modes are "T" tile, "C" centre, "F" fill, "P" fit and "S" stretch.
// The names carry no folder: they are files of the list's own folder.
// docs/picture-list.md describes the format for other programs.

inline constexpr const char* kPictureListExtension = ".mvl";
inline constexpr const char* kDefaultPictureListName = "mvx.mvl";

// One line of a list as read: the text between its first and second double
// quote, and the display mode named by the text between the third and fourth
// (DisplayModeFromLetter).
struct PictureListItem {
  std::string name;
  DisplayMode mode = DisplayMode::Centre;
  bool operator==(const PictureListItem&) const = default;
};

// The line of one picture, its CR LF included.
std::string PictureListLine(std::string_view fileName, DisplayMode mode);

// Every line that is not empty, in order. Lines end with CR LF, CR or LF;
// a field without its closing quote, or missing, is empty.
std::vector<PictureListItem> ParsePictureList(std::string_view text);

// What a name read from a list may stand for.
enum class ListedName {
  Picture,        // a picture file of the list's folder
  NotAPicture,    // a file of the list's folder of a type the program does not take
  OutsideFolder,  // not a usable file name (IsUsableFileName): a folder part, a drive, "..", a device
};
ListedName ClassifyListedName(std::string_view name);

}  // namespace mvx

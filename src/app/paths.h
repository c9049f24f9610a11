#pragma once
#include <string>
#include <string_view>

namespace mvx {

// Lower case of the letters A to Z only; every other byte is kept.
std::string LowerAZ(std::string_view text);
// Comparison without regard to the letters' case (A to Z).
bool SameTextAZ(std::string_view a, std::string_view b);
// Without the blanks and control characters (every byte up to " ") at both ends.
std::string TrimBlanks(std::string_view text);

std::string StripTrailingBackslashes(std::string_view text);
// The part after the last "\" (or ":"), and the part before it.
std::string ExtractFileName(std::string_view path);
std::string ExtractFileDir(std::string_view path);
// The extension from the last "." of the file name on ("" when none).
std::string ExtractFileExt(std::string_view path);
std::string ChangeFileExt(std::string_view path, std::string_view ext);
// A Windows bitmap by its extension: for what must be a bitmap (the
// clipboard's file, the program's own working bitmap).
bool IsBitmapFile(std::string_view path);
// A picture the program accepts, by its extension in any letter case: a
// bitmap, JPEG, PNG, GIF or TIFF file. Wherever a file is taken in.
bool IsPictureFile(std::string_view path);
// The same pictures as a pattern of the open dialog ("*.bmp;*.jpg;...").
std::string PictureFilePattern();
// The longest start of text of at most maxBytes that does not split a UTF-8 character.
std::string_view Utf8Prefix(std::string_view text, std::size_t maxBytes);

}  // namespace mvx

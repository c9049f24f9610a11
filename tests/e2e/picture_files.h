#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "wallpaper/display_mode.h"

namespace mvx::e2e {

// A picture a test puts into the program's Images folder before it starts.
struct Picture {
  std::string name;  // the file name, letter case as the program finds it
  DisplayMode mode = DisplayMode::Tile;
  bool enabled = true;
};

// A 2x2 picture in the 24-bit bitmap format, its pixels all of one grey.
std::string SmallBitmap(std::uint8_t grey);

// Writes each picture as a small bitmap into `imagesFolder` (made when
// missing) and the data file "GDB.CDS" listing them all.
void PutPictures(const std::string& imagesFolder, const std::vector<Picture>& pictures);
// The same, the data file also listing `away` in awayFolder, whose files are
// not written: pictures on a drive that is away.
void PutPictures(const std::string& imagesFolder, const std::vector<Picture>& pictures, const std::string& awayFolder,
                 const std::vector<Picture>& away);

// Puts a side x side 32-bit picture of one grey on the clipboard (CF_DIB),
// as another program copying a picture does.
bool CopyPictureToClipboard(int side, std::uint8_t grey);

// The path by which the program sets a picture of `imagesFolder`: all lower case.
std::string SlidePath(const std::string& imagesFolder, const std::string& name);

}  // namespace mvx::e2e

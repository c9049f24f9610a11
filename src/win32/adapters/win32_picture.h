#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "platform/picture_port.h"

namespace mvx::win32 {

// A decoded picture as the window draws it: a top-down bitmap of 32 bits a
// pixel, freed with the object. A picture larger than kMaxHeldSide either
// way is held scaled down to it, keeping its proportions: no preview is
// drawn larger, and a photograph of many million pixels would otherwise
// hold hundreds of megabytes for a few thousand pixels on screen.
class Win32Picture : public LoadedPicture {
 public:
  static constexpr int kMaxHeldSide = 2048;
  Win32Picture(HBITMAP bitmap, PictureSize natural) : bitmap_(bitmap), natural_(natural) {}
  ~Win32Picture() override { DeleteObject(bitmap_); }
  Win32Picture(const Win32Picture&) = delete;
  Win32Picture& operator=(const Win32Picture&) = delete;
  PictureSize Size() const override { return natural_; }
  HBITMAP Bitmap() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
  PictureSize natural_;
};

// Decodes the first frame of a picture file through the Windows Imaging
// Component, whichever of its formats the file holds; nullptr when the file
// cannot be opened or decoded, or claims more than kMaxPixels pixels.
std::shared_ptr<const Win32Picture> DecodePictureFile(const std::string& path);
// The same, decoded scaled to size when that is no larger than the picture.
std::shared_ptr<const Win32Picture> DecodePictureFile(const std::string& path, PictureSize size);
inline constexpr unsigned long long kMaxPixels = 250ull * 1000 * 1000;

}  // namespace mvx::win32

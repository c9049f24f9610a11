#pragma once
#include <windows.h>

#include <functional>
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

struct DecodedPicture {
  std::shared_ptr<const Win32Picture> picture;
  PictureLoadFault fault = PictureLoadFault::None;
};

// Decodes the first frame of a picture file through the Windows Imaging
// Component, whichever of its formats the file holds, scaled to size when
// that is no larger than the picture (else held as Win32Picture says). The
// file is read sharing everything. Nothing, and why, when the file cannot be
// opened or decoded, claims more than kMaxPixels pixels, or `abandoned`
// turns true while its rows are copied.
DecodedPicture DecodePictureFile(const std::string& path, PictureSize size, const std::function<bool()>& abandoned);
// The same, nullptr for any fault.
std::shared_ptr<const Win32Picture> DecodePictureFile(const std::string& path);
// The same, decoded scaled to size when that is no larger than the picture.
std::shared_ptr<const Win32Picture> DecodePictureFile(const std::string& path, PictureSize size);
// The most pixels the program shows (about 15,800 x 15,800): a picture whose
// header claims more is not decoded, as its decoding alone could take more
// memory than the machine has.
inline constexpr unsigned long long kMaxPixels = 250ull * 1000 * 1000;

}  // namespace mvx::win32

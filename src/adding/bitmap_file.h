#pragma once
#include <string>
#include <string_view>

namespace mvx {

// A .bmp file made from a packed device-independent bitmap, as the clipboard
// hands it over: the 14-byte "BM" file header, then the bitmap's own header,
// its masks and colour table, and its pixels.
struct BitmapFile {
  std::string bytes;
  std::string reason;  // why the bitmap cannot be written, empty when bytes hold the file
  bool ok() const { return reason.empty(); }
};

// Accepts a bitmap header of 40 bytes or one of the larger header versions,
// uncompressed pixels or pixels with colour masks. Reads nothing outside dib;
// a bitmap that is cut short or whose fields disagree gives no bytes.
BitmapFile BitmapFileFromDib(std::string_view dib);

}  // namespace mvx

#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "forms/dpi_scaling.h"
#include "forms/picture_controls.h"
#include "platform/byte_block.h"

namespace mvx {

// One monitor of the desktop, in physical pixels of the virtual screen (its
// left or top may be negative).
struct Monitor {
  PixelRect rect;
  bool primary = false;
  friend bool operator==(const Monitor&, const Monitor&) = default;
};

// One monitor's part of a composed desktop picture: the place of the
// monitor within the picture, the file shown there, and how (the scene's
// places are in the monitor's own pixels, from its top left corner).
struct MonitorPiece {
  PixelRect place;
  std::string path;
  PictureScene scene;
  // The size to decode the file at, as stored (before its turn): no larger
  // than it is drawn, so that a photograph of many million pixels is never
  // held whole.
  PictureSize decodeSize;
};

// The whole desktop as one picture: width x height pixels of color
// (0x00BBGGRR), each piece drawn in its place.
struct DesktopComposition {
  int width = 0;
  int height = 0;
  std::uint32_t color = 0;
  std::vector<MonitorPiece> pieces;
};

// The monitors, and the drawing of one picture across them.
class MonitorPort {
 public:
  virtual ~MonitorPort() = default;
  // Every monitor, the primary one first.
  virtual std::vector<Monitor> Monitors() = 0;
  // The monitor that holds most of the window, as an index into Monitors();
  // 0 when the window is on none.
  virtual std::size_t MonitorOfWindow(std::uintptr_t window) = 0;
  // The composition drawn and encoded as a picture file's bytes; each piece's
  // file decoded scaled towards the size it is drawn at. The pixels are drawn
  // straight into the file's bytes: the memory held is the file and one
  // decoded picture at a time. Nothing when a piece cannot be decoded or the
  // picture cannot be made.
  virtual std::optional<ByteBlock> ComposeDesktop(const DesktopComposition& composition) = 0;
};

}  // namespace mvx

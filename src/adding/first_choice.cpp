#include "adding/first_choice.h"

#include <cstdint>

#include "app/paths.h"
#include "app/picture_header.h"
#include "ui/frm_main.h"

namespace mvx {

DisplayMode ModeForPictureSize(PictureSize picture, PictureSize screen) {
  if (picture.width <= 0 || picture.height <= 0) return DisplayMode::Tile;
  const bool wide = std::int64_t{picture.width} * 2 >= screen.width;
  const bool tall = std::int64_t{picture.height} * 2 >= screen.height;
  return wide && tall ? DisplayMode::Fill : DisplayMode::Tile;
}

DisplayMode TFrmMain::ModeBySize(const std::string& path) {
  std::string head;
  if (!ports_.files.ReadHead(path, kPictureHeadBytes, head)) return DisplayMode::Tile;
  const std::optional<PictureHeader> header = ParsePictureHeader(head);
  if (!header) return DisplayMode::Tile;
  return ModeForPictureSize(ShownSize(*header), {ports_.system.ScreenWidth(), ports_.system.ScreenHeight()});
}

}  // namespace mvx

#include "inventory/inventory_grid.h"

namespace mvx {

int EnabledImageIndex(bool enabled, bool tooBig) {
  if (enabled) return tooBig ? grid_images::EnabledTooBig : grid_images::Enabled;
  return tooBig ? grid_images::DisabledTooBig : grid_images::Disabled;
}

int DisplayImageIndex(DisplayMode mode) {
  switch (mode) {
    case DisplayMode::Tile:
      return grid_images::Tiled;
    case DisplayMode::Centre:
      return grid_images::Centred;
    case DisplayMode::Fill:
      return grid_images::Filled;
    case DisplayMode::Fit:
      return grid_images::Fitted;
    case DisplayMode::Stretch:
      return grid_images::Stretched;
  }
  return grid_images::Tiled;
}

std::string DisplayImageHint(int imageIndex) {
  for (DisplayMode mode : kDisplayModes) {
    if (DisplayImageIndex(mode) == imageIndex) return std::string(DisplayModeName(mode));
  }
  return {};
}

std::vector<TGridColumn> InventoryGridColumns() {
  return {{"Enabled", "Enabled", 20}, {"Display", " Display Mode ", 20}, {"FileName", "Wallpaper File", 250}};
}

void InventoryGridSource::MoveToRow(int row) {
  if (!view_.Active()) return;
  view_.SetRecNo(row + 1);
}

GridCell InventoryGridSource::Cell(int row, std::size_t column) const {
  if (!view_.Active()) return {};
  // The current record may be under edit: the grid shows what is being changed.
  const InventoryEntry entry = row == CurrentRow() ? view_.Fields() : view_.RecordAt(row + 1);
  switch (column) {
    case kEnabledColumn:
      return {{}, EnabledImageIndex(entry.Enabled, view_.OnCalcFields && view_.OnCalcFields(entry)), {}};
    case kDisplayColumn:
      return {{}, DisplayImageIndex(entry.Display), std::string(DisplayModeName(entry.Display))};
    case kFileNameColumn:
      return {entry.FileName, -1, {}};
    default:
      return {};
  }
}

}  // namespace mvx

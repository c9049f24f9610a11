#include "inventory/inventory_grid.h"

namespace mvx {

int EnabledImageIndex(bool enabled, bool tooBig) {
  if (enabled) return tooBig ? grid_images::EnabledTooBig : grid_images::Enabled;
  return tooBig ? grid_images::DisabledTooBig : grid_images::Disabled;
}

int TileImageIndex(bool tile) {
  return tile ? grid_images::Tiled : grid_images::Centred;
}

std::vector<TGridColumn> InventoryGridColumns() {
  return {{"Enabled", "Enabled", 20}, {"Tile", " Tile Mode ", 20}, {"FileName", "Wallpaper File", 250}};
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
      return {{}, EnabledImageIndex(entry.Enabled, view_.OnCalcFields && view_.OnCalcFields(entry))};
    case kTileColumn:
      return {{}, TileImageIndex(entry.Tile)};
    case kFileNameColumn:
      return {entry.FileName, -1};
    default:
      return {};
  }
}

}  // namespace mvx

#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "forms/data_grid.h"
#include "inventory/dataset.h"

namespace mvx {

// Pictures of the grid's status image list; index 4 is not used. The display
// modes follow in the order of their stored values' names.
namespace grid_images {
inline constexpr int Disabled = 0;
inline constexpr int Enabled = 1;
inline constexpr int EnabledTooBig = 2;
inline constexpr int DisabledTooBig = 3;
inline constexpr int Tiled = 5;
inline constexpr int Centred = 6;
inline constexpr int Filled = 7;
inline constexpr int Fitted = 8;
inline constexpr int Stretched = 9;
inline constexpr int Count = 10;
}  // namespace grid_images

int EnabledImageIndex(bool enabled, bool tooBig);
int DisplayImageIndex(DisplayMode mode);
// The tooltip of a display mode's picture: the mode's name.
std::string DisplayImageHint(int imageIndex);

// The grid's columns: Enabled and Display as pictures, the file name as text.
enum InventoryColumn : std::size_t { kEnabledColumn, kDisplayColumn, kFileNameColumn };
std::vector<TGridColumn> InventoryGridColumns();

// The inventory's grid view as a grid's rows: row n is record n + 1 of the
// view, the current row its current record. A row is read without moving
// the view, and its size mark is worked out as the view's own.
class InventoryGridSource : public GridSource {
 public:
  explicit InventoryGridSource(TClientDataSet& view) : view_(view) {}

  int RowCount() const override { return view_.Active() ? view_.RecordCount() : 0; }
  int CurrentRow() const override { return view_.RecNo() - 1; }
  void MoveToRow(int row) override;
  GridCell Cell(int row, std::size_t column) const override;

 private:
  TClientDataSet& view_;
};

}  // namespace mvx

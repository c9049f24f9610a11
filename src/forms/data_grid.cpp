#include "forms/data_grid.h"

#include <utility>

namespace mvx {

TDBGrid::TDBGrid(TForm& form, TControl* parent, std::string name)
    : TControl(form, parent, ControlKind::DataGrid, std::move(name)) {}

void TDBGrid::SetColumns(std::vector<TGridColumn> columns) {
  columns_ = std::move(columns);
  ++columnsVersion_;
  DataChanged();
}

int TDBGrid::ColumnOf(const std::string& fieldName) const {
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    if (columns_[i].fieldName == fieldName) return static_cast<int>(i);
  }
  return -1;
}

void TDBGrid::SetColumnWidth(std::size_t column, int width) {
  if (column >= columns_.size() || columns_[column].width == width) return;
  columns_[column].width = width;
  ++columnsVersion_;
  DataChanged();
}

void TDBGrid::SetSource(GridSource* source) {
  source_ = source;
  DataChanged();
}

GridCell TDBGrid::Cell(int row, std::size_t column) const {
  if (source_ == nullptr || row < 0 || row >= source_->RowCount() || column >= columns_.size()) return {};
  return source_->Cell(row, column);
}

void TDBGrid::SelectRow(int row) {
  if (source_ == nullptr || row < 0 || row >= source_->RowCount() || row == source_->CurrentRow()) return;
  source_->MoveToRow(row);
}

void TDBGrid::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TDBGrid::ContextPopup() {
  if (OnContextPopup) OnContextPopup(this);
}

}  // namespace mvx

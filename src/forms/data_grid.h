#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "forms/control.h"

namespace mvx {

// One cell as a grid shows it: a text, or a picture of the grid's image list.
struct GridCell {
  std::string text;
  int imageIndex = -1;  // -1: the text is shown
  std::string hint;     // shown as a tooltip while the mouse is over the cell
};

// What a data grid shows, read a cell at a time so that a long list costs
// what one screen of it costs.
class GridSource {
 public:
  virtual ~GridSource() = default;
  virtual int RowCount() const = 0;
  // 0-based; -1 when there is no row.
  virtual int CurrentRow() const = 0;
  virtual void MoveToRow(int row) = 0;
  virtual GridCell Cell(int row, std::size_t column) const = 0;
};

struct TGridColumn {
  std::string fieldName;
  std::string title;
  int width = 64;
};

// A grid of rows and titled columns over a source, one row current. The
// grid fills its parent inside a border, so it follows the parent's size.
class TDBGrid : public TControl {
 public:
  TDBGrid(TForm& form, TControl* parent, std::string name);

  static constexpr int kBorder = 4;
  // The width inside the grid's sunken edge.
  int ClientWidth() const { return Width() - 4; }

  void SetColumns(std::vector<TGridColumn> columns);
  const std::vector<TGridColumn>& Columns() const { return columns_; }
  // Counts the program's changes of the columns, so that a view applies
  // them once and keeps the widths the user gave the columns meanwhile.
  int ColumnsVersion() const { return columnsVersion_; }
  // Index of the column of a field; -1 when none shows it.
  int ColumnOf(const std::string& fieldName) const;
  void SetColumnWidth(std::size_t column, int width);

  void SetSource(GridSource* source);
  int RowCount() const { return source_ != nullptr ? source_->RowCount() : 0; }
  int CurrentRow() const { return source_ != nullptr ? source_->CurrentRow() : -1; }
  GridCell Cell(int row, std::size_t column) const;

  // The user chose a row.
  void SelectRow(int row);
  // The rows or their values changed: the view reads them afresh.
  void DataChanged() { Changed(ControlProp::Items); }
  // The current row moved without the user: the view selects it.
  void CurrentChanged() { Changed(ControlProp::Position); }

  TNotifyEvent OnDblClick;
  TNotifyEvent OnContextPopup;
  void DblClick();
  void ContextPopup();

 private:
  std::vector<TGridColumn> columns_;
  GridSource* source_ = nullptr;
  int columnsVersion_ = 0;
};

}  // namespace mvx

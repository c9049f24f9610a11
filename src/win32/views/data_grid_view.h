#pragma once
#include "win32/views/common_controls.h"

#include "forms/data_grid.h"

namespace mvx::win32 {

// The window class and styles of a data grid: a report list that asks for
// its rows as it draws them.
inline constexpr DWORD kDataGridStyle =
    LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_TABSTOP | WS_CLIPSIBLINGS;

// A grid fills its parent window (parentWindow) inside the grid's border,
// at dpi.
RECT DataGridPlace(const TDBGrid& grid, HWND parentWindow, int dpi);
// The same within an area of its parent window: the place of a panel,
// which has no window of its own.
RECT DataGridPlaceIn(const RECT& area, int dpi);
// Gives a new list its columns, whole-row selection and the status
// pictures, sized for dpi.
void SetUpDataGrid(const TDBGrid& grid, HWND window, int dpi);
// Shows the model's state: the row count, the columns when the program
// changed them, the current row selected and in sight, the cells redrawn.
void ApplyDataGrid(const TDBGrid& grid, HWND window, int dpi);
// The window moved to a monitor of another DPI: new status pictures, and
// every column's width (the user's own included) in proportion.
void ScaleDataGrid(HWND window, int oldDpi, int newDpi);
// The list's notifications: cells asked for, the user's selection, double
// and right clicks, and the drawing of the picture cells. applying: the
// program is changing the list, so a selection is no input.
bool DataGridNotify(TDBGrid& grid, const NMHDR& header, bool applying, LRESULT& result);

// The hint of the cell under the point (the list's client coordinates);
// empty when there is none.
std::string DataGridHintAt(const TDBGrid& grid, HWND window, POINT at);
// Watches the mouse over the list and, when it moves to another cell, sends
// its top-level window kDataGridCellChanged (wParam: the list) so that the tooltip asks
// for the new cell's hint.
void WatchDataGridCells(HWND window);
inline constexpr UINT kDataGridCellChanged = WM_APP + 0x31;

// The grid's status pictures, size x size (drawn for 16, 20, 24 or 32), in
// the order of their indexes; the caller (or the list it is given to) frees
// them.
HIMAGELIST CreateGridStatusImages(int size);

}  // namespace mvx::win32

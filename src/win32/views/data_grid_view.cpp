#include "win32/views/data_grid_view.h"

#include <windowsx.h>

#include <string>

#include "forms/dpi_scaling.h"

namespace mvx::win32 {

namespace {

int ListCount(HWND window) {
  return static_cast<int>(SendMessageA(window, LVM_GETITEMCOUNT, 0, 0));
}

// Whether `row` is the one selected row (none selected for -1). Asked of the
// row itself: a search for the selected row looks at every row of the list,
// which for a list of 100,000 pictures takes longer than the whole start.
bool IsTheSelectedRow(HWND window, int row) {
  const auto selected = SendMessageA(window, LVM_GETSELECTEDCOUNT, 0, 0);
  if (row < 0) return selected == 0;
  return selected == 1 &&
         (SendMessageA(window, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

void SetRowState(HWND window, int row, UINT state, UINT mask) {
  LVITEMA item{};
  item.state = state;
  item.stateMask = mask;
  SendMessageA(window, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int HeaderCount(HWND window) {
  HWND header = reinterpret_cast<HWND>(SendMessageA(window, LVM_GETHEADER, 0, 0));
  return header != nullptr ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

// The columns as the program set them last; the widths the user dragged
// stay until the program changes the columns again.
void ApplyColumns(const TDBGrid& grid, HWND window, int dpi) {
  const LONG_PTR applied = grid.ColumnsVersion() + 1;
  if (GetWindowLongPtrA(window, GWLP_USERDATA) == applied) return;
  SetWindowLongPtrA(window, GWLP_USERDATA, applied);
  const auto& columns = grid.Columns();
  while (HeaderCount(window) > static_cast<int>(columns.size())) {
    SendMessageA(window, LVM_DELETECOLUMN, static_cast<WPARAM>(HeaderCount(window) - 1), 0);
  }
  for (std::size_t i = 0; i < columns.size(); ++i) {
    std::string title = columns[i].title;
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = ScaleToDpi(columns[i].width, dpi);
    column.pszText = title.data();
    const auto index = static_cast<WPARAM>(i);
    const UINT message = static_cast<int>(i) < HeaderCount(window) ? LVM_SETCOLUMNA : LVM_INSERTCOLUMNA;
    SendMessageA(window, message, index, reinterpret_cast<LPARAM>(&column));
  }
}

void SelectRow(HWND window, int row) {
  if (IsTheSelectedRow(window, row)) return;
  if (row < 0) {
    SetRowState(window, -1, 0, LVIS_SELECTED);
    return;
  }
  SetRowState(window, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  SendMessageA(window, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

template <class DispInfo, class Copy>
void AnswerCell(const TDBGrid& grid, DispInfo& info, Copy copy) {
  auto& item = info.item;
  const GridCell cell = grid.Cell(item.iItem, static_cast<std::size_t>(item.iSubItem));
  if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
    copy(cell.text, item.pszText, item.cchTextMax);
  }
  if ((item.mask & LVIF_IMAGE) != 0) item.iImage = cell.imageIndex >= 0 ? cell.imageIndex : I_IMAGENONE;
}

void CopyText(const std::string& text, char* buffer, int size) {
  lstrcpynA(buffer, text.c_str(), size);
}

void CopyText(const std::string& text, wchar_t* buffer, int size) {
  if (MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, buffer, size) == 0) buffer[0] = L'\0';
  buffer[size - 1] = L'\0';
}

// A picture cell: filled with the list's background, its picture centred
// across the cell at the cell's top.
LRESULT DrawCell(const TDBGrid& grid, NMLVCUSTOMDRAW& draw) {
  const auto row = static_cast<int>(draw.nmcd.dwItemSpec);
  const GridCell cell = grid.Cell(row, static_cast<std::size_t>(draw.iSubItem));
  if (cell.imageIndex < 0) return CDRF_DODEFAULT;
  HWND window = draw.nmcd.hdr.hwndFrom;
  HWND header = reinterpret_cast<HWND>(SendMessageA(window, LVM_GETHEADER, 0, 0));
  RECT rowRect{};
  rowRect.left = LVIR_BOUNDS;
  RECT columnRect{};
  if (SendMessageA(window, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rowRect)) == 0 ||
      SendMessageA(header, HDM_GETITEMRECT, static_cast<WPARAM>(draw.iSubItem),
                   reinterpret_cast<LPARAM>(&columnRect)) == 0) {
    return CDRF_DODEFAULT;
  }
  const RECT rc{rowRect.left + columnRect.left, rowRect.top, rowRect.left + columnRect.right, rowRect.bottom};
  HBRUSH background = CreateSolidBrush(static_cast<COLORREF>(SendMessageA(window, LVM_GETBKCOLOR, 0, 0)));
  FillRect(draw.nmcd.hdc, &rc, background);
  DeleteObject(background);
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(window, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  int size = 0, unused = 0;
  ImageList_GetIconSize(images, &size, &unused);
  const int left = rc.left + (rc.right - rc.left - size) / 2;
  ImageList_Draw(images, cell.imageIndex, draw.nmcd.hdc, left, rc.top, ILD_TRANSPARENT);
  return CDRF_SKIPDEFAULT;
}

LRESULT CustomDraw(const TDBGrid& grid, NMLVCUSTOMDRAW& draw) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
      return DrawCell(grid, draw);
    default:
      return CDRF_DODEFAULT;
  }
}

}  // namespace

RECT DataGridPlace(const TDBGrid& grid, HWND parentWindow, int dpi) {
  RECT parent{};
  if (grid.Parent() == nullptr || parentWindow == nullptr || !GetClientRect(parentWindow, &parent)) {
    const PixelRect rc = ScaleRect(grid.Left(), grid.Top(), grid.Width(), grid.Height(), dpi);
    return RECT{rc.left, rc.top, rc.right, rc.bottom};
  }
  return DataGridPlaceIn(parent, dpi);
}

RECT DataGridPlaceIn(const RECT& area, int dpi) {
  const int border = ScaleToDpi(TDBGrid::kBorder, dpi);
  return RECT{area.left + border, area.top + border, area.right - border, area.bottom - border};
}

void SetUpDataGrid(const TDBGrid& grid, HWND window, int dpi) {
  const DWORD extended = LVS_EX_FULLROWSELECT;
  SendMessageA(window, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  // The list frees its pictures when it goes.
  SendMessageA(window, LVM_SETIMAGELIST, LVSIL_SMALL,
               reinterpret_cast<LPARAM>(CreateGridStatusImages(PictureSizeForDpi(dpi))));
  ApplyColumns(grid, window, dpi);
}

std::string DataGridHintAt(const TDBGrid& grid, HWND window, POINT at) {
  LVHITTESTINFO hit{};
  hit.pt = at;
  if (SendMessageA(window, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) < 0 || hit.iItem < 0) return {};
  if (hit.iItem >= grid.RowCount() || hit.iSubItem < 0) return {};
  return grid.Cell(hit.iItem, static_cast<std::size_t>(hit.iSubItem)).hint;
}

namespace {

LRESULT CALLBACK CellWatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR last) {
  if (message == WM_MOUSEMOVE) {
    LVHITTESTINFO hit{};
    hit.pt = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    SendMessageA(window, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    const auto cell = static_cast<DWORD_PTR>(MAKELONG(hit.iItem + 1, hit.iSubItem + 1));
    if (cell != last) {
      SetWindowSubclass(window, CellWatch, 1, cell);
      SendMessageA(GetAncestor(window, GA_ROOT), kDataGridCellChanged, reinterpret_cast<WPARAM>(window), 0);
    }
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, CellWatch, 1);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void WatchDataGridCells(HWND window) {
  SetWindowSubclass(window, CellWatch, 1, 0);
}

void ScaleDataGrid(HWND window, int oldDpi, int newDpi) {
  // The list frees only the pictures it holds when it goes: the old ones are ours.
  auto old = reinterpret_cast<HIMAGELIST>(
      SendMessageA(window, LVM_SETIMAGELIST, LVSIL_SMALL,
                   reinterpret_cast<LPARAM>(CreateGridStatusImages(PictureSizeForDpi(newDpi)))));
  if (old != nullptr) ImageList_Destroy(old);
  for (int i = 0; i < HeaderCount(window); ++i) {
    const auto width = static_cast<int>(SendMessageA(window, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(i), 0));
    const int scaled = MulDiv(width, newDpi, oldDpi > 0 ? oldDpi : kDesignDpi);
    SendMessageA(window, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i), MAKELPARAM(scaled, 0));
  }
}

void ApplyDataGrid(const TDBGrid& grid, HWND window, int dpi) {
  ApplyColumns(grid, window, dpi);
  const int count = grid.RowCount();
  if (ListCount(window) != count) {
    SendMessageA(window, LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL);
  }
  SelectRow(window, grid.CurrentRow());
  InvalidateRect(window, nullptr, FALSE);
}

bool DataGridNotify(TDBGrid& grid, const NMHDR& header, bool applying, LRESULT& result) {
  // The list hands over structures of its own to be filled in, behind the common header.
  switch (header.code) {
    case LVN_GETDISPINFOA:
      AnswerCell(grid, *reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(&header)),
                 [](const std::string& t, char* b, int n) { CopyText(t, b, n); });
      return true;
    case LVN_GETDISPINFOW:
      AnswerCell(grid, *reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)),
                 [](const std::string& t, wchar_t* b, int n) { CopyText(t, b, n); });
      return true;
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      const bool selected = (change.uNewState & LVIS_SELECTED) != 0 && (change.uOldState & LVIS_SELECTED) == 0;
      if (!applying && selected && change.iItem >= 0) grid.SelectRow(change.iItem);
      return true;
    }
    case NM_DBLCLK:
      if (!applying && reinterpret_cast<const NMITEMACTIVATE&>(header).iItem >= 0) grid.DblClick();
      return true;
    case NM_RCLICK:
      if (!applying) grid.ContextPopup();
      result = TRUE;
      return true;
    case NM_CUSTOMDRAW:
      result = CustomDraw(grid, *reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
      return true;
    default:
      return false;
  }
}

}  // namespace mvx::win32

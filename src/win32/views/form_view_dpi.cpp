#include "forms/standard_controls.h"
#include "win32/views/common_controls.h"
#include "win32/views/data_grid_view.h"
#include "win32/views/form_view.h"
#include "win32/views/toolbar_view.h"

namespace mvx::win32 {

namespace {

// Fixed-width tabs keep the height they were given; it follows the font.
void ScaleTabs(HWND tabs, int oldDpi, int newDpi) {
  RECT first{};
  if (!SendMessageA(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first))) return;
  const int width = MulDiv(first.right - first.left, newDpi, oldDpi);
  const int height = MulDiv(first.bottom - first.top, newDpi, oldDpi);
  SendMessageA(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(width, height));
}

}  // namespace

// The window went to a monitor of another DPI (or that monitor's scale
// changed): fonts, pictures and places are made anew from the design, and
// the window takes the rectangle the system suggests.
void FormView::OnDpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0 || hwnd_ == nullptr) return;
  const int oldDpi = dpi_;
  dpi_ = dpi;
  // The old fonts go only once no control uses them.
  ViewFonts oldFonts;
  oldFonts.Swap(fonts_);
  {
    ApplyScope scope(*this);
    for (const auto& [control, window] : windows_) {
      ApplyFont(*control, window);
      if (control->Kind() == ControlKind::PageControl) ScaleTabs(window, oldDpi, dpi_);
      if (control->Kind() == ControlKind::ToolBar) ScaleToolBar(window, dpi_);
      if (control->Kind() == ControlKind::DataGrid) ScaleDataGrid(window, oldDpi, dpi_);
    }
  }
  // Outside the scope: the model hears where the window went.
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyScope scope(*this);
  // The suggestion keeps the client area in proportion only roughly: the
  // design decides.
  ApplyFormSize();
  RECT frame{};
  GetWindowRect(hwnd_, &frame);
  form_.SetFrameSize(frame.right - frame.left, frame.bottom - frame.top);
  for (TControl* control : form_.Controls()) {
    if (control->Parent() == nullptr) ApplyTree(*control, ControlProp::Bounds);
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
}

}  // namespace mvx::win32

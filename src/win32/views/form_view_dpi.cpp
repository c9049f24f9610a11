#include "forms/standard_controls.h"
#include "win32/views/common_controls.h"
#include "win32/views/data_grid_view.h"
#include "win32/views/form_view.h"
#include "win32/views/toolbar_view.h"

namespace mvx::win32 {

// The window went to a monitor of another DPI (or that monitor's scale
// changed): fonts, pictures and places are made anew from the design, and
// the window takes the rectangle the system suggests.
void FormView::OnDpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0 || hwnd_ == nullptr) return;
  const int oldDpi = dpi_;
  dpi_ = dpi;
  // Tabs wider than their control get scroll arrows that stay: the tabs
  // shrink before their control does and grow after it.
  const bool growing = dpi_ > oldDpi;
  // The old fonts go only once no control uses them.
  ViewFonts oldFonts;
  oldFonts.Swap(fonts_);
  {
    ApplyScope scope(*this);
    for (const auto& [control, window] : windows_) {
      if (control->Kind() != ControlKind::PageControl) ApplyFont(*control, window);
    }
    if (!growing) ScaleInnerSizes(oldDpi);
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
  PlaceTopLevelControls();
  if (growing) {
    ScaleInnerSizes(oldDpi);
    PlaceTopLevelControls();  // the pages follow the tabs' new height
  }
  InvalidateRect(hwnd_, nullptr, TRUE);
}

// What a control holds inside it: tabs (with their font), toolbar buttons
// and pictures, columns and the grid's pictures.
void FormView::ScaleInnerSizes(int oldDpi) {
  for (const auto& [control, window] : windows_) {
    if (control->Kind() == ControlKind::PageControl) {
      ApplyFont(*control, window);
      SizeTabs(window);
    }
    if (control->Kind() == ControlKind::ToolBar) ScaleToolBar(window, dpi_);
    if (control->Kind() == ControlKind::DataGrid) ScaleDataGrid(window, oldDpi, dpi_);
  }
}

void FormView::PlaceTopLevelControls() {
  for (TControl* control : form_.Controls()) {
    if (control->Parent() == nullptr) ApplyTree(*control, ControlProp::Bounds);
  }
}

}  // namespace mvx::win32

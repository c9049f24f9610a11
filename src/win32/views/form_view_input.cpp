#include "forms/standard_controls.h"
#include "win32/views/common_controls.h"
#include "win32/views/data_grid_view.h"
#include "win32/views/form_view.h"
#include "win32/views/hotkey_field.h"
#include "win32/views/picture_view.h"
#include "win32/views/toolbar_view.h"

namespace mvx::win32 {

namespace {

bool IsChecked(HWND window) {
  return SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

}  // namespace

// A control's notification: the user changed it, so the model takes the
// new value and runs its handlers. Notifications of changes the program is
// applying are not input.
bool FormView::OnCommand(WPARAM wParam, LPARAM lParam) {
  const int id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  if (id == IDOK || id == IDCANCEL) {  // Enter and Escape, from the keyboard navigation
    if (applying_ == 0) ClickDialogButton(id == IDOK);
    return true;
  }
  HWND window = reinterpret_cast<HWND>(lParam);
  TControl* control = ControlOf(window);
  if (control == nullptr) return false;
  if (applying_ != 0) return true;
  switch (control->Kind()) {
    case ControlKind::Button:
      if (code == BN_CLICKED) control->Click();
      break;
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
      if (code == BN_CLICKED || code == BN_DOUBLECLICKED) OnCheckClicked(*control, window);
      break;
    case ControlKind::Edit:
      if (code == EN_CHANGE) static_cast<TEdit*>(control)->SetText(WindowText(window));
      break;
    case ControlKind::HotKey:
      if (code == EN_CHANGE) static_cast<THotKey*>(control)->SetCombo(ReadHotKeyField(window));
      return true;
    case ControlKind::Label:
    case ControlKind::MessagePanel:
    case ControlKind::Image:
      if (code == STN_CLICKED) control->Click();
      return true;
    case ControlKind::Splitter:
      if (code == kSplitterDragged) {
        // The model moves in design units; what is left over stays with the pointer.
        static_cast<TSplitter&>(*control).DragBy(ToDesignUnits(TakeSplitterDrag(window), dpi_));
      }
      return true;
    case ControlKind::ToolBar:
      ToolBarCommand(static_cast<TToolBar&>(*control), id);
      return true;
    default:
      break;
  }
  if (code == BN_SETFOCUS || code == EN_SETFOCUS || code == LBN_SETFOCUS) {
    if (control->Kind() != ControlKind::Label) form_.SetActiveControl(control);
  } else if (code == BN_KILLFOCUS || code == EN_KILLFOCUS || code == LBN_KILLFOCUS) {
    PostMessageA(hwnd_, kSyncFocus, 0, 0);
  }
  return true;
}

void FormView::OnCheckClicked(TControl& control, HWND window) {
  const bool checked = IsChecked(window);
  if (control.Kind() == ControlKind::CheckBox) {
    static_cast<TCheckBox&>(control).SetChecked(checked);
  } else if (checked) {
    static_cast<TRadioButton&>(control).SetChecked(true);
  }
}

bool FormView::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.code == TTN_GETDISPINFOA) {
    const auto tippedWindow = reinterpret_cast<HWND>(header.idFrom);
    const TControl* tipped = ControlOf(tippedWindow);
    if (tipped != nullptr && tipped->Kind() == ControlKind::DataGrid) {
      POINT at{};
      GetCursorPos(&at);
      ScreenToClient(tippedWindow, &at);
      if (tips_.Answer(header, DataGridHintAt(static_cast<const TDBGrid&>(*tipped), tippedWindow, at))) return true;
    }
    if (tipped != nullptr && tips_.Answer(header, tipped->TooltipText())) return true;
  }
  TControl* control = ControlOf(header.hwndFrom);
  if (control == nullptr) return false;
  if (control->Kind() == ControlKind::ToolBar) return ToolBarNotify(static_cast<const TToolBar&>(*control), header);
  if (control->Kind() == ControlKind::DataGrid) {
    return DataGridNotify(static_cast<TDBGrid&>(*control), header, applying_ != 0, result);
  }
  if (control->Kind() == ControlKind::UpDown && header.code == UDN_DELTAPOS) {
    // The model steps and writes the edit; the control must not change it too.
    const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
    if (applying_ == 0) static_cast<TUpDown*>(control)->ArrowClick(change.iDelta > 0);
    result = 1;
    return true;
  }
  if (control->Kind() == ControlKind::PageControl && header.code == TCN_SELCHANGE) {
    auto& pages = static_cast<TPageControl&>(*control);
    const auto index = SendMessageA(header.hwndFrom, TCM_GETCURSEL, 0, 0);
    if (applying_ == 0 && index >= 0 && static_cast<std::size_t>(index) < pages.Pages().size()) {
      pages.SetActivePage(pages.Pages()[static_cast<std::size_t>(index)]);
    }
    result = 0;
    return true;
  }
  return false;
}

// Enter runs the default button, Escape the cancel button, when they can be used.
void FormView::ClickDialogButton(bool ok) {
  for (TControl* control : form_.Controls()) {
    if (control->Kind() != ControlKind::Button) continue;
    const auto* button = static_cast<TButton*>(control);
    if (!(ok ? button->IsDefault : button->IsCancel)) continue;
    HWND window = ControlWindow(*control);
    if (window != nullptr && IsWindowVisible(window) && IsWindowEnabled(window)) {
      control->Click();
      return;
    }
  }
}

// The focus went to a window the controls do not report (the tabs, or a
// control with no focus notification): the model follows the system.
void FormView::SyncFocusFromSystem() {
  HWND focus = GetFocus();
  if (focus == nullptr || focus == hwnd_ || !IsChild(hwnd_, focus)) return;
  for (HWND w = focus; w != nullptr && w != hwnd_; w = GetParent(w)) {
    if (TControl* control = ControlOf(w)) {
      form_.SetActiveControl(control);
      return;
    }
  }
}

// The user moved or minimised the window.
void FormView::OnMovedOrSized(WPARAM sizeType, bool sized) {
  if (applying_ != 0) return;
  if (sized) {
    if (sizeType == SIZE_MINIMIZED) form_.SetState(WindowState::Minimized);
    if (sizeType == SIZE_RESTORED || sizeType == SIZE_MAXIMIZED) form_.SetState(WindowState::Normal);
    return;
  }
  if (IsIconic(hwnd_)) return;
  RECT now{};
  GetWindowRect(hwnd_, &now);
  form_.SetLeft(now.left);
  form_.SetTop(now.top);
}

}  // namespace mvx::win32

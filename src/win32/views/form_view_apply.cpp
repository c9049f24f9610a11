#include <algorithm>

#include "forms/standard_controls.h"
#include "win32/views/common_controls.h"
#include "win32/views/control_windows.h"
#include "win32/views/data_grid_view.h"
#include "win32/views/form_view.h"
#include "win32/views/hotkey_field.h"
#include "win32/views/picture_view.h"
#include "win32/views/toolbar_view.h"

namespace mvx::win32 {

namespace {

void SetTextIfChanged(HWND window, const std::string& text) {
  if (WindowText(window) != text) SetWindowTextA(window, text.c_str());
}

void SetCheck(HWND window, bool checked) {
  const WPARAM state = checked ? BST_CHECKED : BST_UNCHECKED;
  if (static_cast<WPARAM>(SendMessageA(window, BM_GETCHECK, 0, 0)) != state) {
    SendMessageA(window, BM_SETCHECK, state, 0);
  }
}

void SetItems(HWND window, const std::vector<std::string>& items) {
  SendMessageA(window, LB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) SendMessageA(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

// A label grows to show its whole caption, as a label that sizes itself
// does, so that a wider substitute font cuts no text. Measured on a memory
// DC, which lays text out as the label's own does without the round trips
// to the windowing system that each window's first DC costs.
int TextWidth(HWND window, const std::string& text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0)));
  RECT rc{};
  DrawTextA(dc, text.c_str(), -1, &rc, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, old);
  DeleteDC(dc);
  return rc.right - rc.left;
}

int IndexOf(const TPageControl& pages, const TTabSheet* page) {
  const auto& all = pages.Pages();
  auto it = std::find(all.begin(), all.end(), page);
  return it == all.end() ? -1 : static_cast<int>(it - all.begin());
}

}  // namespace

// State other than place, font and caption. A control about to show is
// filled in first, so that it is not laid out and drawn once per change.
void FormView::ApplyValue(const TControl& control, HWND window) {
  const bool visible = Effective(control, &TControl::Visible);
  const bool shown = (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
  if (!visible && shown) ShowWindow(window, SW_HIDE);
  const bool enabled = Effective(control, &TControl::Enabled);
  if (enabled != (IsWindowEnabled(window) != FALSE)) EnableWindow(window, enabled);
  switch (control.Kind()) {
    case ControlKind::CheckBox:
      SetCheck(window, static_cast<const TCheckBox&>(control).Checked());
      break;
    case ControlKind::RadioButton:
      SetCheck(window, static_cast<const TRadioButton&>(control).Checked());
      break;
    case ControlKind::Edit:
      SetTextIfChanged(window, static_cast<const TEdit&>(control).Text());
      break;
    case ControlKind::UpDown: {
      const auto& upDown = static_cast<const TUpDown&>(control);
      SendMessageA(window, UDM_SETRANGE32, static_cast<WPARAM>(upDown.Min()), upDown.Max());
      SendMessageA(window, UDM_SETPOS32, 0, upDown.Position());
      // The control writes its position into the edit; the edit shows the model's text.
      if (upDown.Associate() != nullptr) {
        if (HWND edit = ControlWindow(*upDown.Associate())) SetTextIfChanged(edit, upDown.Associate()->Text());
      }
      break;
    }
    case ControlKind::ProgressBar: {
      const auto& bar = static_cast<const TProgressBar&>(control);
      SendMessageA(window, PBM_SETRANGE32, static_cast<WPARAM>(bar.Min), bar.Max);
      SendMessageA(window, PBM_SETPOS, static_cast<WPARAM>(bar.Position()), 0);
      break;
    }
    case ControlKind::ListBox:
      SetItems(window, static_cast<const TListBox&>(control).Items());
      break;
    case ControlKind::ToolBar:
      ApplyToolBar(static_cast<const TToolBar&>(control), window);
      break;
    case ControlKind::DataGrid:
      ApplyDataGrid(static_cast<const TDBGrid&>(control), window, dpi_);
      break;
    case ControlKind::Image:
      ApplyPicture(static_cast<const TImage&>(control), window);
      break;
    case ControlKind::HotKey:
      ApplyHotKeyField(window, static_cast<const THotKey&>(control).Combo());
      break;
    case ControlKind::PageControl: {
      const auto& pages = static_cast<const TPageControl&>(control);
      const int index = IndexOf(pages, pages.ActivePage());
      if (SendMessageA(window, TCM_GETCURSEL, 0, 0) != index)
        SendMessageA(window, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
      break;
    }
    default:
      break;
  }
  if (visible && !shown) ShowWindow(window, SW_SHOWNA);
}

void FormView::ApplyCaption(const TControl& control, HWND window) {
  if (control.Kind() == ControlKind::Edit) return;  // an edit shows its text
  SetTextIfChanged(window, control.Caption());
  if (control.Kind() != ControlKind::TabSheet || control.Parent() == nullptr) return;
  HWND tabs = ControlWindow(*control.Parent());
  const int index =
      IndexOf(static_cast<const TPageControl&>(*control.Parent()), static_cast<const TTabSheet*>(&control));
  if (tabs == nullptr || index < 0) return;
  std::string caption = control.Caption();
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = caption.data();
  SendMessageA(tabs, TCM_SETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void FormView::ApplyFont(const TControl& control, HWND window) {
  const int height = ScaleFontHeight(control.FontHeight(), dpi_);
  HFONT font = fonts_.Get(height, control.Bold());
  if (control.Kind() == ControlKind::Label) {
    const auto& label = static_cast<const TLabel&>(control);
    if (label.Link) {
      font = fonts_.Get(height, control.Bold(), "Courier New", true);
    } else if (!label.FontName.empty()) {
      font = fonts_.Get(height, control.Bold(), label.FontName);
    }
  }
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// Place and the carried-down flags reach every control inside this one.
void FormView::ApplyTree(const TControl& control, ControlProp prop) {
  if (prop == ControlProp::Visible && MakeOnceShown(control)) {
    // made as it is now
  } else if (HWND window = ControlWindow(control)) {
    if (prop == ControlProp::Bounds) {
      RECT want = PlaceOf(control);
      if (control.Kind() == ControlKind::Label && !static_cast<const TLabel&>(control).Rule) {
        want.right = std::max(want.right, want.left + TextWidth(window, control.Caption()));
      }
      RECT now{};
      GetWindowRect(window, &now);
      MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&now), 2);
      if (!EqualRect(&now, &want)) {
        MoveWindow(window, want.left, want.top, want.right - want.left, want.bottom - want.top, TRUE);
      }
    } else {
      ApplyValue(control, window);
    }
  }
  for (const TControl* child : control.Children()) ApplyTree(*child, prop);
}

void FormView::ControlChanged(TControl& control, ControlProp prop) {
  if (!unopenedPages_.empty()) OpenShownPages();
  HWND window = ControlWindow(control);
  const bool carriesDown = prop == ControlProp::Visible || prop == ControlProp::Enabled || prop == ControlProp::Bounds;
  if (window == nullptr && carriesDown && (!HasWindow(control.Kind()) || prop == ControlProp::Visible)) {
    // A panel's place and flags reach the windows of the controls on it; a
    // control waiting for its first showing is made.
    ApplyScope scope(*this);
    ApplyTree(control, prop);
    return;
  }
  if (window == nullptr) return;
  ApplyScope scope(*this);
  switch (prop) {
    case ControlProp::Caption:
      ApplyCaption(control, window);
      if (control.Kind() == ControlKind::Label) ApplyTree(control, ControlProp::Bounds);
      break;
    case ControlProp::Font:
      ApplyFont(control, window);
      if (control.Kind() == ControlKind::Label) ApplyTree(control, ControlProp::Bounds);
      break;
    case ControlProp::Visible:
    case ControlProp::Enabled:
    case ControlProp::Bounds:
      ApplyTree(control, prop);
      break;
    case ControlProp::Selection:
      SendMessageA(window, EM_SETSEL, 0, -1);
      break;
    case ControlProp::Hint:
      // A control that had no hint when made gets its tool now.
      if (!control.Hint().empty()) tips_.Add(hwnd_, window);
      break;
    default:
      ApplyValue(control, window);
      break;
  }
}

void FormView::FormChanged(TForm&) {
  ApplyForm();
}

void FormView::ApplyForm() {
  if (hwnd_ == nullptr) {
    if (!windowStyle_.windowOnFirstShow || !form_.Visible()) return;
    CreateFormWindow();
  }
  ApplyScope scope(*this);
  SetTextIfChanged(hwnd_, form_.Caption());
  ApplyFormSize();
  if (!IsIconic(hwnd_)) {
    RECT now{};
    GetWindowRect(hwnd_, &now);
    if (now.left != form_.Left() || now.top != form_.Top()) {
      SetWindowPos(hwnd_, nullptr, form_.Left(), form_.Top(), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  ApplyFormShown();
}

void FormView::ApplyFormSize() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (IsIconic(hwnd_) || (client.right == ScaleToDpi(form_.ClientWidth(), dpi_) &&
                          client.bottom == ScaleToDpi(form_.ClientHeight(), dpi_))) {
    return;
  }
  // The frame as the system draws it now, around the client area the design wants.
  RECT window{};
  GetWindowRect(hwnd_, &window);
  const int width = ScaleToDpi(form_.ClientWidth(), dpi_) + (window.right - window.left) - client.right;
  const int height = ScaleToDpi(form_.ClientHeight(), dpi_) + (window.bottom - window.top) - client.bottom;
  SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  form_.SetFrameSize(width, height);
}

void FormView::ApplyFormShown() {
  const bool shown = IsWindowVisible(hwnd_) != FALSE;
  if (!form_.Visible()) {
    if (shown) ShowWindow(hwnd_, SW_HIDE);
    return;
  }
  CreateControlsOnce();
  if (form_.State() == WindowState::Minimized) {
    if (!shown || !IsIconic(hwnd_)) ShowWindow(hwnd_, SW_SHOWMINIMIZED);
    return;
  }
  if (IsIconic(hwnd_)) {
    ShowWindow(hwnd_, SW_RESTORE);
  } else if (!shown) {
    ShowWindow(hwnd_, SW_SHOW);
  }
  // Painted at once: a notice shown during a long step must be readable.
  if (!shown) UpdateWindow(hwnd_);
}

void FormView::FocusChanged(TForm&, TControl* focused) {
  HWND window = focused != nullptr ? ControlWindow(*focused) : nullptr;
  if (window == nullptr || !IsWindowVisible(hwnd_) || GetFocus() == window) return;
  ApplyScope scope(*this);
  SetFocus(window);
}

// The window became active: the focus goes back to the active control, or
// to the first control the keyboard reaches. The model hears of the latter.
void FormView::FocusActiveControl() {
  TControl* active = form_.ActiveControl();
  HWND target = active != nullptr ? ControlWindow(*active) : nullptr;
  if (target == nullptr || !IsWindowVisible(target) || !IsWindowEnabled(target)) {
    target = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  }
  if (target != nullptr) SetFocus(target);
}

void FormView::BringToForeground(TForm&) {
  if (hwnd_ != nullptr) SetForegroundWindow(hwnd_);
}

}  // namespace mvx::win32

#include "win32/views/form_view.h"

#include "forms/standard_controls.h"
#include "win32/views/control_windows.h"
#include "win32/views/data_grid_view.h"
#include "win32/views/shared_images.h"
#include "win32/views/toolbar_view.h"
#include "win32/views/window_dpi.h"

namespace mvx::win32 {

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  const int n = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
  return text;
}

FormView::FormView(TForm& form, TApplication& app, const FormWindowStyle& style)
    : form_(form), app_(app), windowStyle_(style), style_(style.style | (style.clipChildren ? WS_CLIPCHILDREN : 0u)) {
  if (style.windowOnFirstShow) {
    dpi_ = SystemDpi();  // until the window is made and knows its monitor
  } else {
    CreateFormWindow();
  }
  if (!style.controlsOnFirstShow && !style.windowOnFirstShow) CreateControlsOnce();
  form_.AddObserver(this);
  ApplyForm();
}

FormView::~FormView() {
  Destroy();
}

void FormView::Destroy() {
  form_.RemoveObserver(this);
  tips_.Destroy();
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  Detach();
}

// The window starts to go, its controls still whole.
void FormView::KeepToolbarImages() {
  for (const auto& [control, window] : windows_) {
    if (control->Kind() != ControlKind::ToolBar) continue;
    if (HIMAGELIST images = ToolBarImages(window)) leftImages_.push_back(images);
  }
}

// The window is gone: forget it and its controls.
void FormView::Detach() {
  for (HIMAGELIST images : leftImages_) ImageList_Destroy(images);
  leftImages_.clear();
  if (hwnd_ != nullptr) SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  form_.Handle = 0;
  controlsCreated_ = false;
  unopenedPages_.clear();
  windows_.clear();
  controls_.clear();
  tabHeights_.clear();
}

HWND FormView::ControlWindow(const TControl& control) const {
  auto it = windows_.find(&control);
  return it == windows_.end() ? nullptr : it->second;
}

TControl* FormView::ControlOf(HWND window) const {
  auto it = controls_.find(window);
  return it == controls_.end() ? nullptr : it->second;
}

LRESULT CALLBACK FormView::FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  FormView* view = nullptr;
  if (message == WM_NCCREATE) {
    view = static_cast<FormView*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
    view->hwnd_ = hwnd;
    view->form_.Handle = reinterpret_cast<std::uintptr_t>(hwnd);
  } else {
    view = reinterpret_cast<FormView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (view == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_DESTROY) view->KeepToolbarImages();
  if (message == WM_NCDESTROY) {
    view->Detach();
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  LRESULT result = 0;
  view->app_.Guard([&] { result = view->WindowProc(message, wParam, lParam); }, reinterpret_cast<std::uintptr_t>(hwnd));
  return result;
}

// Panels and pages hand their controls' notifications to the form's view.
LRESULT CALLBACK FormView::ContainerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  auto* view = reinterpret_cast<FormView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (view != nullptr && message == WM_CTLCOLORSTATIC) {
    LRESULT brush = 0;
    if (view->ColourLink(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam), brush)) return brush;
  }
  if (view == nullptr || (message != WM_COMMAND && message != WM_NOTIFY)) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  LRESULT result = 0;
  bool handled = false;
  view->app_.Guard(
      [&] {
        if (message == WM_COMMAND) {
          handled = view->OnCommand(wParam, lParam);
        } else {
          handled = view->OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
        }
      },
      reinterpret_cast<std::uintptr_t>(view->hwnd_));
  return handled ? result : DefWindowProcA(hwnd, message, wParam, lParam);
}

bool FormView::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
  return false;
}

HBRUSH FormView::LabelBackground() const {
  return GetSysColorBrush(COLOR_BTNFACE);
}

namespace {

bool IsLink(const TControl* control) {
  return control != nullptr && control->Kind() == ControlKind::Label && static_cast<const TLabel*>(control)->Link;
}

}  // namespace

bool FormView::ColourLink(HWND window, HDC dc, LRESULT& result) const {
  if (!IsLink(ControlOf(window))) return false;
  SetTextColor(dc, RGB(0, 0, 255));
  SetBkMode(dc, TRANSPARENT);
  result = reinterpret_cast<LRESULT>(LabelBackground());
  return true;
}

bool FormView::LinkCursor(HWND window) const {
  if (!IsLink(ControlOf(window))) return false;
  SetCursor(SystemCursor(IDC_HAND));
  return true;
}

LRESULT FormView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND hwnd = hwnd_;
  LRESULT result = 0;
  if (OnMessage(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_COMMAND:
      if (OnCommand(wParam, lParam)) return 0;
      break;
    case WM_NOTIFY:
      if (OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result)) return result;
      break;
    case kSyncFocus:
      SyncFocusFromSystem();
      return 0;
    case kDeactivated:
      form_.Deactivated();
      return 0;
    case kDataGridCellChanged:
      tips_.Restart();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        PostMessageA(hwnd, kDeactivated, 0, 0);
      } else if (HIWORD(wParam) == 0) {
        FocusActiveControl();
        return 0;
      }
      break;
    case WM_CTLCOLOREDIT:
      // A field that reads like a label takes the form's colour.
      if (const TControl* edit = ControlOf(reinterpret_cast<HWND>(lParam));
          edit != nullptr && edit->Kind() == ControlKind::Edit && static_cast<const TEdit*>(edit)->Borderless) {
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (ColourLink(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam), result)) return result;
      break;
    case WM_SETCURSOR:
      // Every window of the form hands this up to it as the mouse comes over it.
      tips_.Realize();
      if (LinkCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
      break;
    case WM_MOVE:
      OnMovedOrSized(0, false);
      break;
    case WM_SIZE:
      OnMovedOrSized(wParam, true);
      break;
    case WM_DPICHANGED:
      OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_LBUTTONDBLCLK:
      if (form_.OnDblClick) {
        form_.OnDblClick(&form_);
        return 0;
      }
      break;
    case WM_CLOSE:
      // A form closes by hiding; only a window with its own close logic ends.
      form_.Hide();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace mvx::win32

#include <algorithm>
#include <stdexcept>

#include "forms/standard_controls.h"
#include "win32/views/common_controls.h"
#include "win32/views/control_windows.h"
#include "win32/views/data_grid_view.h"
#include "win32/views/form_view.h"
#include "win32/views/hotkey_field.h"
#include "win32/views/picture_view.h"
#include "win32/views/shared_images.h"
#include "win32/views/toolbar_view.h"
#include "win32/views/window_dpi.h"

namespace mvx::win32 {

namespace {

HINSTANCE Instance() {
  return GetModuleHandleA(nullptr);
}

// The small image is given, not left to the system: derived from the big
// one, it is loaded from the resource anew, which took longer than the
// window itself at start-up. It lives as long as its class, the process.
void RegisterClassOnce(const std::string& name, WNDPROC proc, LPCSTR iconResource) {
  WNDCLASSEXA wc{};
  if (GetClassInfoExA(Instance(), name.c_str(), &wc)) return;
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = Instance();
  if (iconResource != nullptr) {
    wc.hIcon = LoadIconA(Instance(), iconResource);
    wc.hIconSm =
        iconResource == MAKEINTRESOURCEA(1)
            ? ProgramIcon(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON))
            : static_cast<HICON>(LoadImageA(Instance(), iconResource, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                            GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  }
  wc.hCursor = SystemCursor(IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name.c_str();
  if (RegisterClassExA(&wc) == 0) throw std::runtime_error("Unable to register the window class " + name);
}

// Radio buttons of one parent form a group; every other control stands alone.
bool StartsGroup(const TControl& control, const TControl* previous) {
  if (control.Kind() != ControlKind::RadioButton) return true;
  return previous == nullptr || previous->Kind() != ControlKind::RadioButton || previous->Parent() != control.Parent();
}

}  // namespace

void FormView::CreateFormWindow() {
  const FormWindowStyle& style = windowStyle_;
  const std::string className = "T" + form_.Name();
  RegisterClassOnce(className, FormProc, style.iconResource);
  RegisterClassOnce(kContainerClass, ContainerProc, nullptr);
  SIZE frame = FrameSize();
  CreateWindowExA(style.exStyle, className.c_str(), form_.Caption().c_str(), style_, form_.Left(), form_.Top(),
                  frame.cx, frame.cy, style.owner, nullptr, Instance(), this);
  if (hwnd_ == nullptr) throw std::runtime_error("Unable to create the window " + form_.Name());
  // Only now is the monitor known; the window takes its size there.
  dpi_ = DpiOfWindow(hwnd_);
  if (dpi_ != kDesignDpi) {
    frame = FrameSize();
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  form_.SetFrameSize(frame.cx, frame.cy);
}

// The window's outer size for the form's client size at the window's DPI.
SIZE FormView::FrameSize() const {
  return FrameSizeForClient(ScaleToDpi(form_.ClientWidth(), dpi_), ScaleToDpi(form_.ClientHeight(), dpi_), style_,
                            windowStyle_.exStyle, dpi_);
}

// The controls show the model as it is when they are made, so a form whose
// controls come late looks and reads the same as one made whole at once.
void FormView::CreateControlsOnce() {
  if (controlsCreated_ || hwnd_ == nullptr) return;
  controlsCreated_ = true;
  CreateControls(nullptr);
  FinishControls(nullptr);
}

// The page of a page control that `control` is or lies on when that page is
// not the one shown and its window waits for its first showing; else null.
const TControl* FormView::UnopenedPageOf(const TControl& control) const {
  if (!windowStyle_.controlsOnFirstShow) return nullptr;
  for (const TControl* p = &control; p != nullptr; p = p->Parent()) {
    if (p->Kind() != ControlKind::TabSheet || p->Parent() == nullptr) continue;
    const auto& pages = static_cast<const TPageControl&>(*p->Parent());
    if (pages.ActivePage() != p) return p;
  }
  return nullptr;
}

// Makes `within` and the controls inside it (every control when null), each
// with the id and grouping it has when the whole form is made at once. A
// page not shown and its controls wait for it (OpenShownPages).
void FormView::CreateControls(const TControl* within) {
  int id = kFirstControlId;
  const TControl* previous = nullptr;
  for (TControl* control : form_.Controls()) {
    const TControl* neverShown = windowStyle_.neverShown;
    if (neverShown != nullptr && control->IsInside(neverShown)) continue;
    const int controlId = id++;
    const bool startsGroup = StartsGroup(*control, previous);
    previous = control;
    if (within != nullptr && control != within && !control->IsInside(within)) continue;
    if (!HasWindow(control->Kind()) || ControlWindow(*control) != nullptr) continue;
    if (const TControl* page = UnopenedPageOf(*control)) {
      if (std::find(unopenedPages_.begin(), unopenedPages_.end(), page) == unopenedPages_.end()) {
        unopenedPages_.push_back(page);
      }
      continue;
    }
    if (control->Kind() == ControlKind::ProgressBar && !Effective(*control, &TControl::Visible)) {
      hiddenUntilShown_[control] = {controlId, startsGroup};
      continue;
    }
    CreateControl(*control, controlId, startsGroup);
  }
}

// A waiting progress bar about to show is made as it would have been with
// the rest, and takes its place in their order (the order of windows is
// that of their making) right below the window made before it.
bool FormView::MakeOnceShown(const TControl& control) {
  const auto waiting = hiddenUntilShown_.find(&control);
  if (waiting == hiddenUntilShown_.end() || !Effective(control, &TControl::Visible)) return false;
  const auto [id, startsGroup] = waiting->second;
  hiddenUntilShown_.erase(waiting);
  auto& made = const_cast<TControl&>(control);
  CreateControl(made, id, startsGroup);
  HWND window = ControlWindow(control);
  HWND above = HWND_TOP;
  for (const TControl* c : form_.Controls()) {
    if (c == &control) break;
    if (HWND w = ControlWindow(*c); w != nullptr && GetParent(w) == GetParent(window)) above = w;
  }
  SetWindowPos(window, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ApplyValue(control, window);
  return true;
}

// A page shown for the first time gets its controls, before it is painted.
void FormView::OpenShownPages() {
  for (auto it = unopenedPages_.begin(); it != unopenedPages_.end();) {
    const TControl* page = *it;
    if (static_cast<const TPageControl*>(page->Parent())->ActivePage() != page) {
      ++it;
      continue;
    }
    it = unopenedPages_.erase(it);
    CreateControls(page);
    HWND tabs = ControlWindow(*page->Parent());
    if (HWND pageWindow = ControlWindow(*page); tabs != nullptr && pageWindow != nullptr) {
      LayPageAboveTabs(pageWindow, tabs);
    }
    FinishControls(page);
  }
}

// A page lies right above its tabs, whenever its window was made.
void FormView::LayPageAboveTabs(HWND page, HWND tabs) {
  HWND above = GetWindow(tabs, GW_HWNDPREV);
  if (above != page)
    SetWindowPos(page, above != nullptr ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The window that holds a control: its nearest container, or the form.
HWND FormView::ParentWindowOf(const TControl& control) const {
  for (const TControl* p = control.Parent(); p != nullptr; p = p->Parent()) {
    if (IsContainer(p->Kind())) return ControlWindow(*p);
  }
  return hwnd_;
}

// A control's rectangle on its parent window. Controls of a group box or a
// page control lie on the same parent, moved by their container's place;
// a page fills the display area of its tabs.
RECT FormView::PlaceOf(const TControl& control) const {
  if (control.Kind() == ControlKind::TabSheet && control.Parent() != nullptr) {
    HWND tabs = ControlWindow(*control.Parent());
    RECT rc{};
    if (tabs == nullptr) return rc;
    GetClientRect(tabs, &rc);
    SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rc));
    MapWindowPoints(tabs, ParentWindowOf(control), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  }
  if (control.Kind() == ControlKind::DataGrid) {
    const TControl* parent = control.Parent();
    if (parent != nullptr && !HasWindow(parent->Kind())) return DataGridPlaceIn(PlaceOf(*parent), dpi_);
    return DataGridPlace(static_cast<const TDBGrid&>(control), ParentWindowOf(control), dpi_);
  }
  int left = control.Left(), top = control.Top();
  for (const TControl* p = control.Parent(); p != nullptr && !IsContainer(p->Kind()); p = p->Parent()) {
    left += p->Left();
    top += p->Top();
  }
  const PixelRect rc = ScaleRect(left, top, control.Width(), control.Height(), dpi_);
  return RECT{rc.left, rc.top, rc.right, rc.bottom};
}

void FormView::CreateControl(TControl& control, int id, bool startsGroup) {
  RegisterCommonControls();
  HWND parent = ParentWindowOf(control);
  if (parent == nullptr) return;  // its container has no window
  const ControlWindowClass kind = WindowClassFor(control);
  // Made as it will show, so that showing the form does not show each
  // control again; but the list shows once its columns, pictures, font and
  // rows are in (FinishControls), as each of them lays out a shown list anew.
  const bool showsAtOnce = Effective(control, &TControl::Visible) && control.Kind() != ControlKind::DataGrid;
  const DWORD style = WS_CHILD | kind.style | (startsGroup ? WS_GROUP : 0) | (showsAtOnce ? WS_VISIBLE : 0) |
                      (Effective(control, &TControl::Enabled) ? 0 : WS_DISABLED);
  const std::string text =
      control.Kind() == ControlKind::Edit ? static_cast<const TEdit&>(control).Text() : control.Caption();
  const RECT rc = PlaceOf(control);
  HWND window = CreateWindowExA(kind.exStyle, kind.className, text.c_str(), style, rc.left, rc.top, rc.right - rc.left,
                                rc.bottom - rc.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                Instance(), nullptr);
  if (window == nullptr) throw std::runtime_error("Unable to create the control " + control.Name());
  windows_[&control] = window;
  controls_[window] = &control;
  if (IsContainer(control.Kind())) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ApplyScope scope(*this);
  ApplyFont(control, window);
  if (control.Kind() == ControlKind::PageControl) SetUpTabs(control, window);
  if (control.Kind() == ControlKind::ToolBar) SetUpToolBar(static_cast<const TToolBar&>(control), window, dpi_);
  if (control.Kind() == ControlKind::DataGrid) SetUpDataGrid(static_cast<const TDBGrid&>(control), window, dpi_);
  if (control.Kind() == ControlKind::Image) SetUpPicture(window);
  if (control.Kind() == ControlKind::HotKey) SetUpHotKeyField(window);
  if (control.Kind() == ControlKind::MessagePanel)
    SetUpMessagePanel(static_cast<const TMessagePanel&>(control), window);
  if (!control.Hint().empty() || control.Kind() == ControlKind::DataGrid) tips_.Add(hwnd_, window);
  if (control.Kind() == ControlKind::DataGrid) WatchDataGridCells(window);
}

void FormView::SetUpTabs(const TControl& pages, HWND tabs) {
  const auto& pageControl = static_cast<const TPageControl&>(pages);
  int index = 0;
  for (const TTabSheet* page : pageControl.Pages()) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    std::string caption = page->Caption();
    item.pszText = caption.data();
    SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item));
  }
  RECT first{};
  if (SendMessageA(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first))) {
    tabHeights_[tabs] = {first.bottom - first.top, dpi_};
  }
  SizeTabs(tabs);
}

// Fixed-width tabs keep the height they were given: the one their font gave
// them when made, in proportion to the DPI since.
void FormView::SizeTabs(HWND tabs) {
  auto made = tabHeights_.find(tabs);
  if (made == tabHeights_.end()) return;
  constexpr int kTabWidth = 97;
  const int height = MulDiv(made->second.first, dpi_, made->second.second);
  // Every tab shows in the one row: narrower when more pages share it.
  int width = kTabWidth;
  if (const TControl* pages = ControlOf(tabs); pages != nullptr && pages->Kind() == ControlKind::PageControl) {
    const auto count = static_cast<int>(static_cast<const TPageControl*>(pages)->Pages().size());
    if (count > 0) width = std::min(width, (pages->Width() - 4) / count);
  }
  SendMessageA(tabs, TCM_SETITEMSIZE, 0, MAKELPARAM(ScaleToDpi(width, dpi_), height));
}

// After every control inside `within` (all when null) exists: up-downs
// take their edits, pages lie above their tabs, and every control shows the
// model's state.
void FormView::FinishControls(const TControl* within) {
  ApplyScope scope(*this);
  const auto inside = [within](const TControl& control) {
    return within == nullptr || (&control != within && control.IsInside(within));
  };
  for (const auto& [control, window] : windows_) {
    if (!inside(*control)) continue;
    if (control->Kind() == ControlKind::UpDown) {
      const auto& upDown = static_cast<const TUpDown&>(*control);
      HWND buddy = upDown.Associate() != nullptr ? ControlWindow(*upDown.Associate()) : nullptr;
      if (buddy != nullptr) SendMessageA(window, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    }
    if (control->Kind() == ControlKind::PageControl) {
      for (const TTabSheet* page : static_cast<const TPageControl&>(*control).Pages()) {
        if (HWND pageWindow = ControlWindow(*page)) LayPageAboveTabs(pageWindow, window);
      }
    }
  }
  for (TControl* control : form_.Controls()) {
    HWND window = ControlWindow(*control);
    if (window == nullptr || !inside(*control)) continue;
    if (control->Parent() == within) ApplyTree(*control, ControlProp::Bounds);
    ApplyValue(*control, window);
  }
}

}  // namespace mvx::win32

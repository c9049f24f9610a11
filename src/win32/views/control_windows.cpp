#include "win32/views/control_windows.h"

#include "forms/standard_controls.h"
#include "win32/views/common_controls.h"
#include "win32/views/data_grid_view.h"
#include "win32/views/picture_view.h"

namespace mvx::win32 {

namespace {

DWORD ButtonStyle(const TControl& control) {
  const auto& button = static_cast<const TButton&>(control);
  return (button.IsDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | BS_NOTIFY | WS_TABSTOP;
}

}  // namespace

bool IsContainer(ControlKind kind) {
  return kind == ControlKind::TabSheet;
}

bool HasWindow(ControlKind kind) {
  return kind != ControlKind::Panel;
}

ControlWindowClass WindowClassFor(const TControl& control) {
  switch (control.Kind()) {
    case ControlKind::Panel:  // made by no window (HasWindow)
    case ControlKind::TabSheet:
      return {kContainerClass, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
    case ControlKind::GroupBox:
      return {"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::PageControl:
      return {WC_TABCONTROLA, WS_TABSTOP | WS_CLIPSIBLINGS | TCS_HOTTRACK | TCS_FIXEDWIDTH, 0};
    case ControlKind::Label:
      if (static_cast<const TLabel&>(control).Rule) return {"STATIC", SS_ETCHEDHORZ, 0};
      if (static_cast<const TLabel&>(control).RightAligned) return {"STATIC", SS_RIGHT | SS_NOTIFY, 0};
      return {"STATIC", SS_LEFTNOWORDWRAP | SS_NOTIFY, 0};
    case ControlKind::Button:
      return {"BUTTON", ButtonStyle(control), 0};
    case ControlKind::CheckBox:
      return {"BUTTON", BS_AUTOCHECKBOX | BS_NOTIFY | WS_TABSTOP, 0};
    case ControlKind::RadioButton:
      return {"BUTTON", BS_AUTORADIOBUTTON | BS_NOTIFY | WS_TABSTOP, 0};
    case ControlKind::Edit: {
      const auto& edit = static_cast<const TEdit&>(control);
      const DWORD readOnly = edit.ReadOnly ? ES_READONLY : 0;
      if (edit.Borderless) return {"EDIT", ES_AUTOHSCROLL | readOnly, 0};
      return {"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | readOnly, WS_EX_CLIENTEDGE};
    }
    case ControlKind::UpDown:
      return {UPDOWN_CLASSA, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0};
    case ControlKind::ProgressBar:
      return {PROGRESS_CLASSA, 0, 0};
    case ControlKind::ListBox:
      return {"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::ToolBar:
      return {TOOLBARCLASSNAMEA, TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN, 0};
    case ControlKind::DataGrid:
      return {WC_LISTVIEWA, kDataGridStyle, WS_EX_CLIENTEDGE};
    case ControlKind::Image:
      return PictureWindowClass();
    case ControlKind::MessagePanel:
      return MessagePanelWindowClass();
    case ControlKind::Splitter:
      return SplitterWindowClass();
    case ControlKind::HotKey:
      return {HOTKEY_CLASSA, WS_TABSTOP, 0};
  }
  return {"STATIC", 0, 0};
}

bool Effective(const TControl& control, bool (TControl::*flag)() const) {
  for (const TControl* c = &control; c != nullptr; c = c->Parent()) {
    if (c != &control && IsContainer(c->Kind())) break;
    if (!(c->*flag)()) return false;
  }
  return true;
}

}  // namespace mvx::win32

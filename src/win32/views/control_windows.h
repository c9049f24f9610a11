#pragma once
#include <windows.h>

#include "forms/control.h"

namespace mvx::win32 {

// The window class of the pages of page controls, which pass their
// controls' notifications on to the form's view.
inline constexpr const char* kContainerClass = "MurovexContainer";

// First identifier of the controls; the lower ones are the dialog
// commands (IDOK, IDCANCEL) that keyboard navigation sends.
inline constexpr int kFirstControlId = 100;

struct ControlWindowClass {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

// The real control that shows a model control of the given kind.
ControlWindowClass WindowClassFor(const TControl& control);

// Whether a control of this kind is a window that holds its children; the
// children of other kinds (group boxes, panels) lie beside them on the same
// parent, moved by their place.
bool IsContainer(ControlKind kind);

// Whether a control of this kind is shown by a window at all. A panel is
// not: it only places, hides and disables the controls on it, and the form
// or page beneath shows its plain face. Every window costs start-up time.
bool HasWindow(ControlKind kind);

// A flag as the user sees it: group boxes, panels and page controls are no
// windows of their own for the controls on them, so their flag is carried
// down.
bool Effective(const TControl& control, bool (TControl::*flag)() const);

}  // namespace mvx::win32

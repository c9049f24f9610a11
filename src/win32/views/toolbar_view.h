#pragma once
#include "win32/views/common_controls.h"

#include "forms/toolbar.h"

namespace mvx::win32 {

// Command identifier of a toolbar's first button; the others follow in the
// model's order, separators included.
inline constexpr int kFirstToolButtonId = 1000;

// Fills a new toolbar control with the model's buttons and the program's
// toolbar pictures, sized for dpi. The control does not free its pictures:
// whoever destroys it takes ToolBarImages before and frees them after. (A
// toolbar watched for its end through a subclass pays for it on every
// message it gets.)
void SetUpToolBar(const TToolBar& bar, HWND window, int dpi);
HIMAGELIST ToolBarImages(HWND window);
// Gives the toolbar its pictures, buttons and border for dpi.
void ScaleToolBar(HWND window, int dpi);
// Shows the model's state: each button shown or hidden, enabled or not, its
// picture, and the tooltips on or off.
void ApplyToolBar(const TToolBar& bar, HWND window);
// The toolbar's command for a pressed button: the model's button is clicked.
void ToolBarCommand(TToolBar& bar, int id);
// The toolbar's notifications the program answers (a tooltip's text); true
// when this one was answered.
bool ToolBarNotify(const TToolBar& bar, const NMHDR& header);

// A strip of the program's toolbar pictures, size x size each (drawn for
// 16, 20, 24 or 32), in the order of ToolbarImage; the caller frees it.
HIMAGELIST CreateToolbarImages(int size);

}  // namespace mvx::win32

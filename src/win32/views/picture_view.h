#pragma once
#include <windows.h>

#include "forms/picture_controls.h"
#include "win32/views/control_windows.h"

namespace mvx::win32 {

// The notification a splitter sends with WM_COMMAND while the user drags it.
inline constexpr WORD kSplitterDragged = 1;

// The window classes of the picture control, the message panel and the
// splitter, registered on first use.
ControlWindowClass PictureWindowClass();
ControlWindowClass MessagePanelWindowClass();
ControlWindowClass SplitterWindowClass();

// Called once the control's window exists.
void SetUpPicture(HWND window);
void SetUpMessagePanel(const TMessagePanel& panel, HWND window);

// Shows the model's picture in the model's scene; what was drawn for the
// picture before is let go.
void ApplyPicture(const TImage& image, HWND window);

// The distance the user dragged the splitter since its last notification.
int TakeSplitterDrag(HWND window);

}  // namespace mvx::win32

#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "e2e/pump.h"

namespace mvx::e2e {

struct WindowInfo {
  HWND handle = nullptr;
  std::string className;
  std::string caption;
  bool visible = false;
};

// A window matches when its class and caption are exactly the given ones;
// what is left out matches any window.
struct WindowQuery {
  std::optional<std::string> className;
  std::optional<std::string> caption;
};

std::vector<WindowInfo> TopLevelWindowsOf(DWORD processId);
std::vector<WindowInfo> ChildrenOf(HWND parent);
std::optional<WindowInfo> FindTopLevel(DWORD processId, const WindowQuery& query);
std::optional<WindowInfo> FindChild(HWND parent, const WindowQuery& query);
// Waits (pumping) until a matching top-level window of the process exists,
// and, with mustBeVisible, until it is visible.
std::optional<WindowInfo> WaitForTopLevel(DWORD processId, const WindowQuery& query, Clock::duration timeout,
                                          bool mustBeVisible = false);

std::string CaptionOf(HWND window);
bool IsShown(HWND window);
bool IsChecked(HWND button);
// Sends BM_CLICK to a button or check box. False when the program has not
// finished handling the click within the time-out (a modal box it opened, say).
bool Click(HWND button, Clock::duration timeout = std::chrono::seconds(5));
// A click on page `index` of the main window's tab control: its five tabs
// share the control's width, 97 design pixels each at most.
void ClickTab(HWND tabs, int index);

// Sends the registered message `name` to every top-level window, as another
// process would; false when the broadcast did not complete.
bool BroadcastRegistered(const std::string& name);

}  // namespace mvx::e2e

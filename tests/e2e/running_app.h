#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "e2e/driver.h"

namespace mvx::e2e {

// Settings that keep a start quiet: not a first run (which greets the user
// with a message box), no change of the wallpaper at start.
inline constexpr const char* kQuietSettings =
    "[General]\r\nStartWithWindows=0\r\nVerbose=0\r\n[Slideshow]\r\nChangeOnStartup=0\r\n";

// Starts the program and waits until its start-up is over and it idles in
// its message loop; nothing (with the failure recorded) when it does not.
Process* StartReady(Driver& app, const std::string& args = "");

// The program's main window, shown or not.
std::optional<WindowInfo> MainWindowOf(const Process& process);

// Opens the main window as a second start of the program does (the restore
// message) and waits until it shows: the main window makes its controls
// when it is first shown, as a user sees them. Nothing when it does not show.
std::optional<WindowInfo> OpenMainWindow(const Process& process);

// Brings page `index` of the main window's page control to the front, as a
// click on its tab does (a page's controls are made when it first shows).
bool OpenPage(HWND mainWindow, int index);

// A control of the main window by its class and caption; records a failure
// when there is none.
HWND ControlOf(HWND mainWindow, const std::string& className, const std::string& caption);

// Waits (pumping) until a matching control of `parent` exists.
std::optional<WindowInfo> WaitForChild(HWND parent, const WindowQuery& query, Clock::duration timeout);

// The paths of the slides the program chose, in order, from its traces.
std::vector<std::string> SlidePaths(const TraceListener& traces);

// The main window's controls of one class, in the order they were made.
std::vector<HWND> ChildrenOfClass(HWND parent, const std::string& className);

// Opens the notification icon's menu as a right click on the icon does and
// chooses the item whose "&" key is `key`, as a user typing it would. False
// when no menu came up.
bool ChooseFromTrayMenu(const Process& process, char key);
// The same through a submenu: the first key opens it, the second chooses in it.
bool ChooseFromTraySubmenu(const Process& process, char submenuKey, char key);

}  // namespace mvx::e2e

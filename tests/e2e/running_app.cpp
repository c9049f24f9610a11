#include "e2e/running_app.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace mvx::e2e {

namespace {

using namespace std::chrono_literals;

// The notification icon's window and the message the shell sends it for
// the icon's mouse events.
constexpr const char* kTrayWindowClass = "TFrmTray";
constexpr UINT kTrayCallbackMessage = WM_USER + 1;
constexpr const char* kMenuWindowClass = "#32768";

}  // namespace

Process* StartReady(Driver& app, const std::string& args) {
  // A restart in the same folder sends its own "FormCreate" after the earlier one's.
  const std::size_t before = app.Traces().Count("FormCreate");
  Process& process = app.Start(args);
  PumpUntil([&] { return app.Traces().Count("FormCreate") > before || !process.Running(); }, kStartTimeout,
            process.Handle());
  if (app.Traces().Count("FormCreate") == before) {
    const auto code = process.WaitForExit(0s);
    ADD_FAILURE() << "no FormCreate from murovex.exe " << args
                  << (code ? " (it ended with code " + std::to_string(*code) + ")" : "");
    return nullptr;
  }
  if (!process.WaitForIdle(kStartTimeout)) {
    ADD_FAILURE() << "murovex.exe " << args << " never became idle";
    return nullptr;
  }
  return &process;
}

std::optional<WindowInfo> MainWindowOf(const Process& process) {
  return FindTopLevel(process.Id(), {"TFrmMain", std::nullopt});
}

std::optional<WindowInfo> OpenMainWindow(const Process& process) {
  if (!BroadcastRegistered("RestoreMurovex")) return std::nullopt;
  return WaitForTopLevel(process.Id(), {"TFrmMain", std::nullopt}, std::chrono::seconds(5), true);
}

bool OpenPage(HWND mainWindow, int index) {
  const auto tabs = FindChild(mainWindow, {"SysTabControl32", std::nullopt});
  if (!tabs) return false;
  // Without the buttons style this selects the tab and tells the window, as a click does.
  SendMessageA(tabs->handle, TCM_SETCURFOCUS, static_cast<WPARAM>(index), 0);
  return SendMessageA(tabs->handle, TCM_GETCURSEL, 0, 0) == index;
}

HWND ControlOf(HWND mainWindow, const std::string& className, const std::string& caption) {
  const auto control = FindChild(mainWindow, {className, caption});
  if (!control) {
    ADD_FAILURE() << "the main window has no " << className << " \"" << caption << "\"";
    return nullptr;
  }
  return control->handle;
}

std::optional<WindowInfo> WaitForChild(HWND parent, const WindowQuery& query, Clock::duration timeout) {
  std::optional<WindowInfo> found;
  PumpUntil([&] { return (found = FindChild(parent, query)).has_value(); }, timeout);
  return found;
}

namespace {

// The notification icon's window is message-only: found among those.
HWND TrayWindowOf(const Process& process) {
  HWND window = nullptr;
  while ((window = FindWindowExA(HWND_MESSAGE, window, kTrayWindowClass, nullptr)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == process.Id()) return window;
  }
  return nullptr;
}

}  // namespace

bool ChooseFromTrayMenu(const Process& process, char key) {
  HWND tray = TrayWindowOf(process);
  if (tray == nullptr) return false;
  // Posted: the program stays in its menu loop until the item is chosen.
  PostMessageA(tray, kTrayCallbackMessage, 0, WM_RBUTTONUP);
  const auto menu = WaitForTopLevel(process.Id(), {kMenuWindowClass, std::nullopt}, 5s, true);
  if (!menu) return false;
  // The menu loop reads the keys of its thread, whichever window they are for.
  return PostMessageA(menu->handle, WM_CHAR, static_cast<WPARAM>(key), 0) != FALSE;
}

namespace {
constexpr const char* kSelected = "FrmMain.GetNextSlideInfo: Selected ";
}  // namespace

std::vector<std::string> SlidePaths(const TraceListener& traces) {
  std::vector<std::string> paths;
  for (const std::string& text : traces.Texts()) {
    if (text.rfind(kSelected, 0) != 0) continue;
    const std::size_t blank = text.find(' ', std::char_traits<char>::length(kSelected));
    if (blank != std::string::npos) paths.push_back(text.substr(blank + 1));
  }
  return paths;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const std::string& className) {
  std::vector<HWND> found;
  for (const WindowInfo& child : ChildrenOf(parent)) {
    if (child.className == className) found.push_back(child.handle);
  }
  return found;
}

bool ChooseFromTraySubmenu(const Process& process, char submenuKey, char key) {
  if (!ChooseFromTrayMenu(process, submenuKey)) return false;
  auto visibleMenus = [&] {
    std::vector<HWND> menus;
    for (const auto& w : TopLevelWindowsOf(process.Id())) {
      if (w.className == kMenuWindowClass && w.visible) menus.push_back(w.handle);
    }
    return menus;
  };
  if (!PumpUntil([&] { return visibleMenus().size() >= 2; }, 5s)) return false;
  return PostMessageA(visibleMenus().front(), WM_CHAR, static_cast<WPARAM>(key), 0) != FALSE;
}

}  // namespace mvx::e2e

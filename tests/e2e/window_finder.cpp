#include "e2e/window_finder.h"
#include <algorithm>

namespace mvx::e2e {

namespace {

constexpr UINT kSendTimeoutMs = 5000;

WindowInfo Describe(HWND window) {
  char className[256] = {};
  GetClassNameA(window, className, sizeof className);
  return WindowInfo{window, className, CaptionOf(window), IsWindowVisible(window) != FALSE};
}

struct Collect {
  DWORD processId;
  std::vector<WindowInfo>* found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
  auto* collect = reinterpret_cast<Collect*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == collect->processId) collect->found->push_back(Describe(window));
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
  reinterpret_cast<std::vector<WindowInfo>*>(param)->push_back(Describe(window));
  return TRUE;
}

bool Matches(const WindowInfo& info, const WindowQuery& query) {
  return (!query.className || info.className == *query.className) && (!query.caption || info.caption == *query.caption);
}

std::optional<WindowInfo> First(const std::vector<WindowInfo>& windows, const WindowQuery& query) {
  for (const auto& w : windows) {
    if (Matches(w, query)) return w;
  }
  return std::nullopt;
}

}  // namespace

std::vector<WindowInfo> TopLevelWindowsOf(DWORD processId) {
  std::vector<WindowInfo> found;
  Collect collect{processId, &found};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&collect));
  return found;
}

std::vector<WindowInfo> ChildrenOf(HWND parent) {
  std::vector<WindowInfo> found;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::optional<WindowInfo> FindTopLevel(DWORD processId, const WindowQuery& query) {
  return First(TopLevelWindowsOf(processId), query);
}

std::optional<WindowInfo> FindChild(HWND parent, const WindowQuery& query) {
  return First(ChildrenOf(parent), query);
}

std::optional<WindowInfo> WaitForTopLevel(DWORD processId, const WindowQuery& query, Clock::duration timeout,
                                          bool mustBeVisible) {
  std::optional<WindowInfo> found;
  PumpUntil(
      [&] {
        found = FindTopLevel(processId, query);
        return found && (!mustBeVisible || found->visible);
      },
      timeout);
  if (found && mustBeVisible && !found->visible) return std::nullopt;
  return found;
}

std::string CaptionOf(HWND window) {
  // WM_GETTEXT with a time-out: the window may belong to a program that is
  // busy, and GetWindowTextA would then wait for it without limit.
  char text[1024] = {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                           kSendTimeoutMs, &length)) {
    return {};
  }
  return std::string(text, static_cast<std::size_t>(length));
}

bool IsShown(HWND window) {
  return IsWindowVisible(window) != FALSE;
}

bool IsChecked(HWND button) {
  DWORD_PTR state = 0;
  SendMessageTimeoutA(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &state);
  return state == BST_CHECKED;
}

bool Click(HWND button, Clock::duration timeout) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(timeout).count();
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, static_cast<UINT>(ms), &ignored) != 0;
}

bool BroadcastRegistered(const std::string& name) {
  const UINT message = RegisterWindowMessageA(name.c_str());
  if (message == 0) return false;
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(HWND_BROADCAST, message, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored) != 0;
}

void ClickTab(HWND tabs, int index) {
  constexpr int kPages = 5;
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  RECT client{};
  GetClientRect(tabs, &client);
  const int width = std::min(MulDiv(97, dpi, 96), static_cast<int>(client.right - MulDiv(4, dpi, 96)) / kPages);
  const int x = width * index + width / 2;
  const int y = MulDiv(8, dpi, 96);
  PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  PostMessageA(tabs, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace mvx::e2e

#include "e2e/message_box.h"

#include "e2e/window_finder.h"

namespace mvx::e2e {

namespace {

// The message is the box's longest static text; the icon is a static too.
std::string MessageText(HWND box) {
  std::string text;
  for (const auto& child : ChildrenOf(box)) {
    if (child.className == "Static" && child.caption.size() > text.size()) text = child.caption;
  }
  return text;
}

}  // namespace

std::optional<MessageBoxInfo> WaitForMessageBox(DWORD processId, Clock::duration timeout) {
  const auto box = WaitForTopLevel(processId, {"#32770", std::nullopt}, timeout, true);
  if (!box) return std::nullopt;
  return MessageBoxInfo{box->handle, box->caption, MessageText(box->handle)};
}

bool AnswerMessageBox(HWND box, int buttonId) {
  HWND button = GetDlgItem(box, buttonId);
  if (button == nullptr) return false;
  // Posted: the box's owner may be waiting for this very answer inside a
  // call that the test would otherwise wait for in turn.
  return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

}  // namespace mvx::e2e

#include "win32/views/control_tips.h"

#include <commctrl.h>

#include <algorithm>

namespace mvx::win32 {

namespace {

// Wide enough for a long folder, which then wraps instead of running off screen.
constexpr int kMaxTipWidth = 480;

}  // namespace

ControlTips::~ControlTips() {
  Destroy();
}

void ControlTips::Add(HWND form, HWND control) {
  if (tips_ != nullptr) {
    AddTool(form, control);
  } else if (std::find(waiting_.begin(), waiting_.end(), std::make_pair(form, control)) == waiting_.end()) {
    waiting_.emplace_back(form, control);
  }
}

void ControlTips::Realize() {
  if (waiting_.empty()) return;
  const HWND form = waiting_.front().first;
  if (tips_ == nullptr) {
    tips_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (tips_ == nullptr) return;
    SendMessageA(tips_, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
  }
  for (const auto& [owner, control] : waiting_) {
    if (IsWindow(control)) AddTool(owner, control);  // a control may have gone meanwhile
  }
  waiting_.clear();
}

void ControlTips::AddTool(HWND form, HWND control) {
  if (tools_.count(control) != 0) return;
  TOOLINFOA tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = LPSTR_TEXTCALLBACKA;
  if (SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool))) tools_.insert(control);
}

bool ControlTips::Answer(const NMHDR& header, const std::string& text) {
  if (tips_ == nullptr || header.hwndFrom != tips_ || header.code != TTN_GETDISPINFOA) return false;
  auto& info = const_cast<NMTTDISPINFOA&>(reinterpret_cast<const NMTTDISPINFOA&>(header));
  text_ = text;
  info.lpszText = text_.data();
  return true;
}

void ControlTips::Restart() {
  if (tips_ == nullptr) return;
  SendMessageA(tips_, TTM_ACTIVATE, FALSE, 0);
  SendMessageA(tips_, TTM_ACTIVATE, TRUE, 0);
}

void ControlTips::Destroy() {
  if (tips_ != nullptr) DestroyWindow(tips_);
  tips_ = nullptr;
  tools_.clear();
  waiting_.clear();
}

}  // namespace mvx::win32

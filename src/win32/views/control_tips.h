#pragma once
#include <windows.h>

#include <string>
#include <unordered_set>

namespace mvx::win32 {

// The tooltips of a form's controls: one tooltip window for the form, one
// tool per control that has a hint. The text is asked for each time the tip
// shows (TTN_GETDISPINFOA to the form), so a changed hint needs no update.
class ControlTips {
 public:
  ControlTips() = default;
  ~ControlTips();
  ControlTips(const ControlTips&) = delete;
  ControlTips& operator=(const ControlTips&) = delete;

  // Adds the control as a tool, making the tooltip window on first use.
  void Add(HWND form, HWND control);
  // When the notification asks for a control's text: answers it with text
  // and returns true.
  bool Answer(const NMHDR& header, const std::string& text);
  void Destroy();

 private:
  HWND tips_ = nullptr;
  std::string text_;
  std::unordered_set<HWND> tools_;
};

}  // namespace mvx::win32

#pragma once
#include <windows.h>

#include <string>
#include <unordered_set>
#include <utility>
#include <vector>

namespace mvx::win32 {

// The tooltips of a form's controls: one tooltip window for the form, one
// tool per control that has a hint. The text is asked for each time the tip
// shows (TTN_GETDISPINFOA to the form), so a changed hint needs no update.
// The tooltip window is a top-level window of its own, made only when the
// mouse first comes over the form: a form that is never pointed at, or not
// yet, costs no window for it.
class ControlTips {
 public:
  ControlTips() = default;
  ~ControlTips();
  ControlTips(const ControlTips&) = delete;
  ControlTips& operator=(const ControlTips&) = delete;

  // Adds the control as a tool: at once when the tooltip window exists,
  // else when it is made.
  void Add(HWND form, HWND control);
  // The mouse is over the form: makes the tooltip window if tools wait for it.
  void Realize();
  // When the notification asks for a control's text: answers it with text
  // and returns true.
  bool Answer(const NMHDR& header, const std::string& text);
  // The text under the mouse changed within one control: the tooltip hides
  // and asks afresh after its delay.
  void Restart();
  void Destroy();

 private:
  void AddTool(HWND form, HWND control);

  HWND tips_ = nullptr;
  std::vector<std::pair<HWND, HWND>> waiting_;  // (form, control)
  std::string text_;
  std::unordered_set<HWND> tools_;
};

}  // namespace mvx::win32

#pragma once
#include <exception>
#include <string>

#include "forms/control.h"
#include "platform/ports.h"

namespace mvx {

// The running application: its title, help file, the end of its message
// loop, and the error handler every callback ends in. It is also the sender
// of the program's internal changes.
class TApplication : public TObject {
 public:
  explicit TApplication(Ports& ports) : ports_(ports) {}

  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title);
  std::string HelpFile;
  bool ShowMainForm = true;
  // The user switched to another application (WM_ACTIVATEAPP).
  TNotifyEvent OnDeactivate;
  void Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
  }

  bool Terminated() const { return terminated_; }
  void Terminate();
  void ProcessMessages() { ports_.shell.ProcessMessages(); }

  // "Exception: " + message, shown and traced; the program goes on.
  void HandleException(const std::exception& e, std::uintptr_t traceWindow = 0);
  void HandleException(const std::string& message, std::uintptr_t traceWindow = 0);
  // Runs a callback from the system under the error handler.
  template <class F>
  void Guard(F&& f, std::uintptr_t traceWindow = 0) noexcept {
    try {
      f();
    } catch (const std::exception& e) {
      HandleException(e, traceWindow);
    } catch (...) {
      HandleException(std::string("unknown error"), traceWindow);
    }
  }

 private:
  Ports& ports_;
  std::string title_;
  bool terminated_ = false;
};

}  // namespace mvx

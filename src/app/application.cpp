#include "app/application.h"

#include "app/trace.h"

namespace mvx {

void TApplication::SetTitle(const std::string& title) {
  title_ = title;
  ports_.shell.SetApplicationTitle(title);
}

void TApplication::Terminate() {
  terminated_ = true;
  ports_.shell.Terminate();
}

void TApplication::HandleException(const std::exception& e, std::uintptr_t traceWindow) {
  HandleException(std::string(e.what()), traceWindow);
}

void TApplication::HandleException(const std::string& message, std::uintptr_t traceWindow) {
  const std::string text = "Exception: " + message;
  try {
    SendTrace(ports_.trace, text, traceWindow);
    ports_.prompts.Show(text, title_.empty() ? "Murovex" : title_, PromptKind::Error, PromptButtons::Ok);
  } catch (...) {
    // The error handler itself must never fail.
  }
}

}  // namespace mvx

#pragma once
#include <string>

#include "platform/ports.h"
#include "ui/frm_splash.h"

namespace mvx {

// When the splash window shows and goes. It closes on the second of two
// requests: the end of start-up and its own 3-second timer, whichever is
// later; hiding the main window closes it at once.
class TSplashScreen {
 public:
  TSplashScreen(Ports& ports, TFrmSplash& form, std::string settingsPath);

  // The entry's first step: shows the window unless [General] Verbose is off.
  void BeginSplash();
  void ShowSplash();
  // One close request.
  void EndSplash();
  // Hides the window now; a later request finishes its cycle unseen.
  void CloseSplash();
  // The splash window while a request may still close it.
  TFrmSplash* Current() const { return current_; }

 private:
  void CloseRequest();
  void Timer1Timer();

  Ports& ports_;
  TFrmSplash& form_;
  std::string settingsPath_;
  TFrmSplash* current_ = nullptr;
};

}  // namespace mvx

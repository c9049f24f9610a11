#include "ui/splash.h"

#include "app/settings_file.h"
#include "forms/dpi_scaling.h"

namespace mvx {

TSplashScreen::TSplashScreen(Ports& ports, TFrmSplash& form, std::string settingsPath)
    : ports_(ports), form_(form), settingsPath_(std::move(settingsPath)) {
  form_.Timer1.OnTimer = [this](TObject*) { Timer1Timer(); };
}

void TSplashScreen::BeginSplash() {
  current_ = nullptr;
  try {
    if (!form_.Visible() && SettingsFile(ports_.profile, settingsPath_).ReadBool("General", "Verbose", true)) {
      ShowSplash();
    }
  } catch (...) {
    // The timer still runs, so the window cannot stay up for ever.
    if (current_ != nullptr) current_->Timer1.SetEnabled(true);
    throw;
  }
  if (current_ != nullptr) current_->Timer1.SetEnabled(true);
}

void TSplashScreen::ShowSplash() {
  if (current_ != nullptr) return;
  current_ = &form_;
  form_.CloseRequested = false;
  // Centred by the size it shows at: the screen's pixels a design pixel.
  const int dpi = ports_.system.LogPixelsY();
  form_.SetLeft((ports_.system.ScreenWidth() - ScaleToDpi(form_.ClientWidth(), dpi)) / 2);
  form_.SetTop((ports_.system.ScreenHeight() - ScaleToDpi(form_.ClientHeight(), dpi)) / 2);
  form_.Show();
}

void TSplashScreen::EndSplash() {
  CloseRequest();
}

void TSplashScreen::CloseSplash() {
  if (current_ != nullptr) current_->Hide();
}

void TSplashScreen::CloseRequest() {
  if (current_ == nullptr) return;
  if (current_->CloseRequested) {
    current_->Hide();
    current_ = nullptr;
  } else {
    current_->CloseRequested = true;
  }
}

void TSplashScreen::Timer1Timer() {
  form_.Timer1.SetEnabled(false);
  CloseRequest();
}

}  // namespace mvx

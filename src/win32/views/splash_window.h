#pragma once
#include "ui/frm_splash.h"
#include "win32/views/form_view.h"

namespace mvx::win32 {

// The splash window: borderless, its background picture, logo
// and white link box painted here, its labels on white.
class SplashWindow : public FormView {
 public:
  SplashWindow(TFrmSplash& form, TApplication& app);
  ~SplashWindow() override;
  SplashWindow(const SplashWindow&) = delete;
  SplashWindow& operator=(const SplashWindow&) = delete;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  HBRUSH LabelBackground() const override;

 private:
  void Paint(HDC dc);
  HFONT logoFont_ = nullptr;
};

}  // namespace mvx::win32

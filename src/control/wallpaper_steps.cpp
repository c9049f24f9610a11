#include "ui/frm_main.h"

namespace mvx {

bool TFrmMain::StepNextWallpaper() {
  if (booHoldTimers) return false;
  return ShowNextSlide();
}

bool TFrmMain::StepPreviousWallpaper() {
  return false;
}

}  // namespace mvx

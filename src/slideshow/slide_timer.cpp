#include <cstdint>
#include <string>

#include "app/file_info.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

// The longest wait a window timer can be given.
constexpr std::int64_t kMaxTimerIntervalMs = 0x7FFFFFFF;

std::int64_t SlideIntervalMs(const TUpDown& hrs, const TUpDown& mins, const TUpDown& secs) {
  return std::int64_t{hrs.Position()} * 3600000 + std::int64_t{mins.Position()} * 60000 +
         std::int64_t{secs.Position()} * 1000;
}

void AppendPart(std::string& text, int value, const char* unit) {
  if (value <= 0) return;
  if (!text.empty()) text += " ";
  text += std::to_string(value) + unit;
}

}  // namespace

void TFrmMain::ApplySlideInterval() {
  const std::int64_t ms = SlideIntervalMs(updHrs, updMins, updSecs);
  const bool tooLarge = ms < 0 || ms > kMaxTimerIntervalMs;
  if (!tooLarge && ms != tmrSlide.Interval()) {
    tmrSlide.SetEnabled(false);
    tmrSlide.SetInterval(static_cast<std::uint32_t>(ms));
  }
  auto report = [this] {
    BringToForeground();
    ports_.prompts.Show("Error: Interval is too large", MessageCaption(), PromptKind::Error, PromptButtons::Ok);
  };
  if (tooLarge) report();
  // A timer the system refused before is asked for again.
  if (tmrSlide.Enabled() && !tmrSlide.Running()) tmrSlide.SetEnabled(false);
  // Armed from the switch in every case; an unchanged interval keeps its
  // running countdown.
  tmrSlide.SetEnabled(chkAutoChange.Checked());
  // A timer the system would not give leaves the slideshow standing still.
  if (!tooLarge && tmrSlide.Enabled() && tmrSlide.Interval() != 0 && !tmrSlide.Running()) report();
}

void TFrmMain::chkAutoChangeClick(TObject*) {
  InputTimeout1.Flush();
  ApplySlideInterval();
  if (tray_.mnuRunSlideshow.Checked() != chkAutoChange.Checked()) {
    tray_.mnuRunSlideshow.SetChecked(chkAutoChange.Checked());
  }
  // Switching on shows a new picture at once and starts a full interval;
  // switched off, a change held for a full-screen program is not made.
  if (chkAutoChange.Checked()) {
    ShowNextSlide();
  } else {
    fullScreenWait_.Drop();
  }
  InputTimeout1.Schedule(&chkAutoChange, [this](TObject* s) { SlideTimerSettingsChanged(s); });
}

void TFrmMain::tmrSlideTimer(TObject*) {
  if (booHoldTimers || booEditingInterval) return;
  if (!chkChangeDuringSaver.Checked() && ScreenSaverRunning(ports_.desktop)) return;
  fullScreenWait_.Run(chkWaitFullScreen.Checked(), [this] {
    if (!booHoldTimers && chkAutoChange.Checked()) ShowNextSlide();
  });
}

void TFrmMain::GenericSlideTimerChange(TObject* sender) {
  // The interval takes effect once the typing has paused.
  InputTimeout1.Schedule(sender, [this](TObject* s) { SlideTimerSettingsChanged(s); });
}

void TFrmMain::edtHrsEnter(TObject*) {
  booEditingInterval = true;
}

void TFrmMain::edtHrsExit(TObject*) {
  booEditingInterval = false;
}

void TFrmMain::updHrsClick(TObject* sender) {
  auto* upDown = dynamic_cast<TUpDown*>(sender);
  if (upDown != nullptr && upDown->Associate() != nullptr) SetActiveControl(upDown->Associate());
}

void TFrmMain::gbxIntervalExit(TObject* sender) {
  ApplySlideInterval();
  ApplyPollInterval(sender);
}

void TFrmMain::RunSlideshow1Click(TObject*) {
  chkAutoChange.SetChecked(!chkAutoChange.Checked());
}

std::string TFrmMain::SlideIntervalText() const {
  std::string text;
  AppendPart(text, updHrs.Position(), " hrs");
  AppendPart(text, updMins.Position(), " mins");
  AppendPart(text, updSecs.Position(), " seconds");
  return text.empty() ? "never" : text;
}

}  // namespace mvx

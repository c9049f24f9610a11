#include <string>

#include "app/trace.h"
#include "slideshow/slide_picker.h"
#include "ui/frm_main.h"

namespace mvx {

bool TFrmMain::ShowNextSlide() {
  // A tick or key that arrives while a change pumps messages is dropped.
  if (booChangingSlide) return false;
  booChangingSlide = true;
  struct ClearFlag {
    bool& flag;
    ~ClearFlag() { flag = false; }
  } clear{booChangingSlide};
  // Stopped while the pick runs and armed again afterwards, so the next
  // automatic change comes one full interval after this one.
  try {
    tmrSlide.SetEnabled(false);
    std::string path;
    DisplayMode mode = DisplayMode::Tile;
    bool saveEach = true;
    GetNextSlideInfo(path, mode, saveEach);
    if (!path.empty() && desk_.Spans()) {
      SetMonitorPictures(PicksForMonitors(path), saveEach);
    } else if (!path.empty()) {
      SetWallpaper(path, mode, saveEach);
    }
    tmrSlide.SetEnabled(chkAutoChange.Checked());
    return !path.empty();
  } catch (...) {
    tmrSlide.SetEnabled(chkAutoChange.Checked());
    throw;
  }
}

SlideRules TFrmMain::CurrentSlideRules() const {
  SlideRules rules;
  rules.random = chkRandom.Checked();
  rules.limitSize = chkLimitImageSize.Checked();
  rules.maxBytes = static_cast<std::int64_t>(updImageSize.Position()) * 1000;
  rules.passesMode = [this](DisplayMode m) { return PassesTileFilter(m); };
  return rules;
}

std::optional<SlideChoice> TFrmMain::PickSlide(const SlideRules& rules, bool& passedOverAway) {
  SlidePicker picker(cdtSlideShow, cdtData, ports_.files, volumes_,
                     [this](const std::string& text) { SendTrace(ports_.trace, text, Handle); });
  deck_.Open(dataDir_);
  std::optional<SlideChoice> choice = picker.Pick(rules, deck_);
  // Entries whose files are gone went out with the pick: saved as any removal.
  if (picker.RemovedAny()) ScheduleInventorySave(&app_);
  passedOverAway = picker.PassedOverAway();
  return choice;
}

void TFrmMain::GetNextSlideInfo(std::string& path, DisplayMode& mode, bool& saveEach) {
  bool passedOverAway = false;
  const std::optional<SlideChoice> choice = PickSlide(CurrentSlideRules(), passedOverAway);
  if (!choice) {
    // Pictures on a drive or share that is away come back with it: the
    // slideshow waits for them without a word.
    if (chkAutoChange.Checked() && !passedOverAway) {
      ports_.prompts.Show("No images selected for slideshow!", MessageCaption(), PromptKind::Information,
                          PromptButtons::Ok);
      tmrSlide.SetEnabled(false);
      chkAutoChange.SetChecked(false);
    }
    return;
  }
  SendTrace(ports_.trace, "FrmMain.GetNextSlideInfo: Selected " + std::to_string(choice->recNo) + " " + choice->path,
            Handle);
  path = choice->path;
  mode = choice->mode;
  saveEach = chkSaveEachChange.Checked();
}

// "Tiled Images" are the tiled ones; "Centred Images" every picture shown whole
// on its own, whatever its size on the screen.
bool TFrmMain::PassesTileFilter(DisplayMode mode) const {
  const bool tile = mode == DisplayMode::Tile;
  return rdoAll.Checked() || (tile && rdoTiled.Checked()) || (!tile && rdoCentred.Checked());
}

}  // namespace mvx

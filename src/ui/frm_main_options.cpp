#include <algorithm>

#include "app/paths.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

std::string Trim(const std::string& s) {
  const std::size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

}  // namespace

// The watched file names: the fixed list, then the user's file name.
void TFrmMain::BuildPollList() {
  PollFiles.clear();
  for (const std::string& item : lbxNOPollFiles.Items()) PollFiles.push_back(LowerAZ(Trim(item)));
  const std::string name = LowerAZ(Trim(edtPollFileName.Text()));
  if (!name.empty() && std::find(PollFiles.begin(), PollFiles.end(), name) == PollFiles.end()) {
    PollFiles.push_back(name);
  }
}

void TFrmMain::ApplyPollInterval(TObject* sender) {
  const auto interval = static_cast<std::uint32_t>(updPollInterval.Position()) * 1000u;
  if (interval != tmrPoll.Interval()) {
    tmrPoll.SetEnabled(false);
    tmrPoll.SetInterval(interval);
  }
  tmrPoll.SetEnabled(chkPollForChange.Checked());
  GenericSettingsChange(sender);
}

// "Start with &Windows" is stored with the settings; the program makes no
// start-up shortcut for it yet.
void TFrmMain::UpdateStartupShortcut() {}

}  // namespace mvx

#include <algorithm>

#include "app/paths.h"
#include "ui/frm_main.h"

namespace mvx {

// The watched file names: the fixed list, then the user's file name.
void TFrmMain::BuildPollList() {
  PollFiles.clear();
  for (const std::string& item : lbxNOPollFiles.Items()) PollFiles.push_back(LowerAZ(TrimBlanks(item)));
  const std::string name = LowerAZ(TrimBlanks(edtPollFileName.Text()));
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
  // A timer the system refused before is asked for again.
  if (tmrPoll.Enabled() && !tmrPoll.Running()) tmrPoll.SetEnabled(false);
  tmrPoll.SetEnabled(chkPollForChange.Checked());
  // A timer the system would not give leaves detection by polling off.
  if (tmrPoll.Enabled() && tmrPoll.Interval() != 0 && !tmrPoll.Running()) {
    BringToForeground();
    ports_.prompts.Show("Error: Poll interval is too large", MessageCaption(), PromptKind::Error, PromptButtons::Ok);
  }
  GenericSettingsChange(sender);
}

}  // namespace mvx

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

// The desktop key and the Windows folder are watched while "Polling" is on;
// the interval is that of the poll of what the system cannot watch.
void TFrmMain::ApplyPollInterval(TObject* sender) {
  const auto interval = static_cast<std::uint32_t>(updPollInterval.Position()) * 1000u;
  if (!changeWatch_.Apply(chkPollForChange.Checked(), folders_.windowsDir, interval)) {
    BringToForeground();
    ports_.prompts.Show("Error: Poll interval is too large", MessageCaption(), PromptKind::Error, PromptButtons::Ok);
  }
  GenericSettingsChange(sender);
}

}  // namespace mvx

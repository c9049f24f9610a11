#include <cstdint>
#include <limits>
#include <utility>

#include "adding/file_name_rules.h"
#include "adding/own_names.h"
#include "adding/scoped_flag.h"
#include "app/paths.h"
#include "inventory/entry_rules.h"
#include "ui/frm_main.h"

namespace mvx {

namespace {

std::string FolderOf(const std::string& path) {
  return StripTrailingBackslashes(ExtractFileDir(path));
}

// The name without its extension: everything before the last "." of the name.
std::string NameWithoutExtension(const std::string& path) {
  const std::string name = ExtractFileName(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

// The extension shown beside the name field and given to the typed name:
// the file's own, as written, and ".bmp" for every bitmap as always.
std::string ExtensionFor(const std::string& path) {
  return IsBitmapFile(path) ? std::string(".bmp") : ExtractFileExt(path);
}

int CheckedChoice(const TfrmItemInfo& dialog) {
  if (dialog.rdoMove.Checked()) return kCopyMove;
  if (dialog.rdoCopy.Checked()) return kCopyCopy;
  if (dialog.rdoLeave.Checked()) return kCopyLeave;
  return 0;
}

void CheckChoices(TfrmItemInfo& dialog, int options) {
  dialog.rdoLeave.SetChecked((options & kCopyLeave) != 0);
  dialog.rdoMove.SetChecked((options & kCopyMove) != 0);
  dialog.rdoCopy.SetChecked((options & kCopyCopy) != 0);
}

// The choice remembered from the batch, unless this file does not offer it:
// a browser's file offered only Move must never be copied or left because an
// earlier file of the batch was.
int EffectiveChoice(const TfrmItemInfo& dialog, int initialOption, int enabledOptions) {
  const int remembered = CheckedChoice(dialog);
  return (remembered & enabledOptions) != 0 ? remembered : initialOption;
}

// While the dialog waits for the user, switching to another application
// brings the dialog back to the front with a beep. The application's own
// handler comes back on every way out.
class DeactivationGuard {
 public:
  DeactivationGuard(TApplication& app, TfrmItemInfo& dialog, PromptPort& prompts)
      : app_(app), previous_(std::move(app.OnDeactivate)) {
    app_.OnDeactivate = [&dialog, &prompts](TObject*) {
      dialog.BringToForeground();
      prompts.Beep();
    };
  }
  ~DeactivationGuard() { app_.OnDeactivate = std::move(previous_); }
  DeactivationGuard(const DeactivationGuard&) = delete;
  DeactivationGuard& operator=(const DeactivationGuard&) = delete;

 private:
  TApplication& app_;
  TNotifyEvent previous_;
};

void PrepareDialog(TfrmItemInfo& dialog, const std::string& caption, const std::string& proposed, bool fromClipboard,
                   int initialOption, int enabledOptions, DisplayMode mode) {
  dialog.SetCaption(caption);
  dialog.edtFromDir.SetText(fromClipboard ? std::string("(Clipboard)") : FolderOf(proposed));
  dialog.edtFileName.SetText(NameWithoutExtension(proposed));
  dialog.Label1.SetCaption(ExtensionFor(proposed));
  dialog.edtFileName.SelectAll();
  if (dialog.FirstOfBatch || dialog.ProposalsBySize) dialog.CheckDisplayMode(mode);
  dialog.ProposedMode = mode;
  dialog.gbxCopyMode.SetEnabled(!fromClipboard);
  dialog.rdoLeave.SetEnabled((enabledOptions & kCopyLeave) != 0);
  dialog.rdoMove.SetEnabled((enabledOptions & kCopyMove) != 0);
  dialog.rdoCopy.SetEnabled((enabledOptions & kCopyCopy) != 0);
  // A remembered choice that this file does not offer gives way to the caller's.
  if (dialog.FirstOfBatch || (CheckedChoice(dialog) & enabledOptions) == 0) CheckChoices(dialog, initialOption);
  dialog.FirstOfBatch = false;
  dialog.chkApplyToAll.SetEnabled(!fromClipboard && dialog.AllowApplyToAll);
}

// Where the user's entries in the dialog put the file.
std::string ChosenTarget(const TfrmItemInfo& dialog, const std::string& proposed, bool fromClipboard,
                         const std::string& dataDir) {
  const std::string name = dialog.edtFileName.Text() + ExtensionFor(proposed);
  if (fromClipboard) return SameTextAZ(ExtractFileName(proposed), name) ? proposed : FolderOf(proposed) + "\\" + name;
  const std::string folder = dialog.rdoLeave.Checked() ? StripTrailingBackslashes(dialog.edtFromDir.Text()) : dataDir;
  return folder + "\\" + name;
}

// Why the user's entries cannot name the file at target; empty when they can.
// Nothing is moved before they do: a device's name would lose the picture's
// bytes to it, an odd folder would put the file where no entry finds it.
std::string EntriesRefusal(const TfrmItemInfo& dialog, const std::string& proposed, bool fromClipboard,
                           const std::string& target) {
  const std::string name = dialog.edtFileName.Text() + ExtensionFor(proposed);
  if (Utf16Length(name) > kLongestFileName) {
    return "\"" + name + "\" is too long for a file name (at most " + std::to_string(kLongestFileName) +
           " characters).";
  }
  if (!IsUsableFileName(name)) return "\"" + name + "\" cannot be used as a file name.";
  if (!fromClipboard && dialog.rdoLeave.Checked() &&
      !IsUsableFolder(StripTrailingBackslashes(dialog.edtFromDir.Text()))) {
    return "\"" + dialog.edtFromDir.Text() + "\" cannot be used as a folder: type its full path, such as C:\\Pictures.";
  }
  return PathRefusal(target);
}

}  // namespace

bool TFrmMain::AskCopyOptions(const std::string& caption, std::string& path, bool fromClipboard, int initialOption,
                              int enabledOptions, bool& copy, DisplayMode& mode) {
  const ScopedFlag adding(adding_);
  // Once the program has closed, its inventory has been saved for the last
  // time: no file may be taken in after that. The dialog and the overwrite
  // question let messages through, a close among them.
  if (closed_) return false;
  TfrmItemInfo& dialog = frmItemInfo;
  if (dialog.BatchCancelled) {
    // A Cancel with the apply-to-all box checked skips the rest of the batch.
    if (dialog.chkApplyToAll.Checked()) return false;
    dialog.BatchCancelled = false;
  }
  const std::string proposed = path;

  if (dialog.chkApplyToAll.Checked()) {
    const int choice = EffectiveChoice(dialog, initialOption, enabledOptions);
    const std::string target =
        (choice == kCopyLeave ? FolderOf(proposed) : dataDir_) + "\\" + ExtractFileName(proposed);
    // A path too long for this file's name brings the dialog up for another.
    const std::string refusal = PathRefusal(target);
    if (!refusal.empty()) {
      ports_.prompts.Show(refusal, MessageCaption(), PromptKind::Error, PromptButtons::Ok);
    }
    const bool agreed = refusal.empty() && (SameTextAZ(target, proposed) || ConfirmOverwrite(target));
    if (closed_) return false;
    if (agreed) {
      path = target;
      copy = choice == kCopyCopy;
      // Each picture keeps the mode its size proposes unless the user chose another.
      const DisplayMode chosen = dialog.ChosenDisplayMode();
      if (!dialog.ProposalsBySize || chosen != dialog.ProposedMode) mode = chosen;
      return true;
    }
  }

  PrepareDialog(dialog, caption, proposed, fromClipboard, initialOption, enabledOptions, mode);
  dialog.FormCreate(screenPixelsPerInch_, ports_.trace);
  DeactivationGuard guard(app_, dialog, ports_.prompts);
  for (;;) {
    dialog.SetActiveControl(&dialog.edtFileName);
    const ModalResult result = ports_.prompts.ShowModal(dialog);
    if (closed_) return false;
    if (result != ModalResult::Ok) {
      dialog.BatchCancelled = true;
      return false;
    }
    const std::string target = ChosenTarget(dialog, proposed, fromClipboard, dataDir_);
    if (const std::string refusal = EntriesRefusal(dialog, proposed, fromClipboard, target); !refusal.empty()) {
      ports_.prompts.Show(refusal, MessageCaption(), PromptKind::Error, PromptButtons::Ok);
      if (closed_) return false;
      continue;
    }
    const bool agreed = SameTextAZ(target, proposed) || ConfirmOverwrite(target);
    if (closed_) return false;
    if (agreed) {
      path = target;
      copy = dialog.rdoCopy.Checked();
      mode = dialog.ChosenDisplayMode();
      if (caption != kMoveRenameCaption && dialog.RememberChoices()) SaveAddChoices();
      return true;
    }
  }
}

bool TFrmMain::ConfirmOverwrite(const std::string& path) {
  if (!ports_.files.FileExists(path)) return true;
  return ports_.prompts.Show("Overwrite existing file " + path + " ?", MessageCaption(), PromptKind::Confirmation,
                             PromptButtons::YesNo) == PromptAnswer::Yes;
}

std::string TFrmMain::MakeUniqueName(const std::string& fileName) {
  std::string candidate;
  for (std::int64_t n = 1; n <= std::numeric_limits<std::int32_t>::max(); ++n) {
    candidate = dataDir_ + "\\" + UniqueNameCandidate(n, fileName);
    // A folder of that name would make the move fail as surely as a file.
    if (!ports_.files.FileExists(candidate) && !ports_.files.DirectoryExists(candidate)) break;
  }
  return candidate;
}

bool TFrmMain::IsInputFileName(const std::string& path) const {
  const std::string name = LowerAZ(ExtractFileName(path));
  for (const std::string& item : lbxNORenames.Items()) {
    if (name == LowerAZ(TrimBlanks(item))) return true;
  }
  return name == LowerAZ(TrimBlanks(edtPollFileName.Text()));
}

bool TFrmMain::CopyOrMoveFile(const std::string& source, const std::string& target, bool copy) {
  if (SameTextAZ(source, target)) return true;
  // A rename in place; a target that exists there is one the user agreed to overwrite.
  if (SameTextAZ(FolderOf(source), FolderOf(target))) return ports_.files.MoveReplace(source, target).ok();
  if (!ports_.files.Copy(source, target, false)) return false;
  // A source that cannot be deleted leaves a copy, which is still taken in.
  if (!copy) ports_.files.Delete(source);
  return true;
}

}  // namespace mvx

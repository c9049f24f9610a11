#pragma once
#include <optional>
#include <string>

#include "forms/form.h"
#include "platform/trace_port.h"
#include "wallpaper/display_mode.h"

namespace mvx {

// The copy options, as bits wherever a set of them is passed.
inline constexpr int kCopyMove = 1;
inline constexpr int kCopyCopy = 2;
inline constexpr int kCopyLeave = 4;

// The dialog's caption when it moves or renames a listed picture.
inline constexpr const char* kMoveRenameCaption = "Move/Rename Wallpaper";

// The copy-option dialog "Add Wallpaper": where a picture is to live, under
// which name and in which display mode. Created once and reused; between
// the files of one batch it keeps the user's last choices.
class TfrmItemInfo : public TForm {
 public:
  TfrmItemInfo();

  // Starts a batch: the first dialog takes the caller's proposals again.
  void BeginAddBatch(bool allowApplyToAll);

  // The dialog asks about a file the user may not have seen arrive, so it
  // takes the foreground when shown and takes it back when it loses it.
  void FormShow();
  void FormDeactivate();
  // The program's own font scaling, once for the life of the dialog (scaling
  // twice would scale the fonts twice); the main window runs it before the
  // dialog is first shown.
  void FormCreate(int pixelsPerInch, TracePort& trace);

  // The display mode radio buttons, in the order of kDisplayModes.
  DisplayMode ChosenDisplayMode() const;
  void CheckDisplayMode(DisplayMode mode);

  // The apply-to-all box may be used in this batch.
  bool AllowApplyToAll = false;
  // The next dialog takes the caller's display mode and copy option.
  bool FirstOfBatch = true;
  // The user pressed Cancel in this batch.
  bool BatchCancelled = false;
  // The batch's proposals come from each picture's size (no choice was
  // remembered when it began): every dialog proposes the picture's own mode,
  // and applied to all, a mode left as proposed stays each picture's own.
  bool ProposalsBySize = false;
  // The mode the dialog last proposed.
  DisplayMode ProposedMode = DisplayMode::Tile;

  // The choices of the last dialog confirmed, kept in the settings file:
  // what later additions propose, and what additions without a dialog take.
  std::optional<DisplayMode> RememberedMode;
  int RememberedCopyOption = 0;
  // After a confirmed dialog: keeps its choices; true when they changed.
  bool RememberChoices();

  // Declared in tab order: the windows are made, and tabbed through, in this order.
  TButton& btnOK;
  TButton& btnCancel;
  TLabel& Label2;
  TEdit& edtFileName;
  TLabel& Label1;
  TLabel& Label3;
  TPanel& pnlDisplay;
  TRadioButton& rdoTiled;
  TRadioButton& rdoCenter;
  TRadioButton& rdoFill;
  TRadioButton& rdoFit;
  TRadioButton& rdoStretch;
  TGroupBox& gbxCopyMode;
  TRadioButton& rdoLeave;
  TRadioButton& rdoMove;
  TRadioButton& rdoCopy;
  TCheckBox& chkApplyToAll;
  TLabel& lblFromFolder;
  TEdit& edtFromDir;

 private:
  bool created_ = false;
};

}  // namespace mvx

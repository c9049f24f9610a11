#pragma once
#include <string>

#include "forms/form.h"
#include "inventory/dataset.h"
#include "platform/prompt_port.h"
#include "platform/trace_port.h"

namespace mvx {

// The question before a picture leaves the list or the disk. It shows the
// entry it asks about, and its "don't show" box switches the option it
// stands for at once, whatever the answer.
class TfrmConfirmation : public TForm {
 public:
  TfrmConfirmation();

  // The program's own font scaling, and each field's tooltip set to what it
  // shows, so a name too long for its field can be read in full.
  void FormCreate(int pixelsPerInch, TracePort& trace);
  void ShowEntry(const InventoryEntry& entry);
  // The option on the main window that the "don't show" box stands for.
  void Link(TCheckBox* option) { linked_ = option; }
  void chkDontShowAgainClick(TObject* sender);

  // Declared in tab order: the windows are made, and tabbed through, in this order.
  TCheckBox& chkDontShowAgain;
  TButton& btnOK;
  TButton& btnCancel;
  TLabel& lblQuestion;
  TLabel& Label1;
  TEdit& DBEdit1;
  TLabel& Label2;
  TEdit& DBEdit2;
  TLabel& Label3;
  TEdit& DBEdit3;
  TLabel& Label4;
  TEdit& DBEdit4;

 private:
  void Build();

  TCheckBox* linked_ = nullptr;
};

// What a question needs from the main window: where it shows, the screen's
// scale for its fonts, and the trace.
struct ConfirmationContext {
  PromptPort& prompts;
  TracePort& trace;
  int pixelsPerInch;
};

// Ask before a file is deleted from disk, or an entry removed from the list;
// true when the user confirmed. option is the main window's option that the
// "don't show" box switches off.
bool ConfirmDelete(const ConfirmationContext& context, TCheckBox& option, const InventoryEntry& entry);
bool ConfirmRemove(const ConfirmationContext& context, TCheckBox& option, const InventoryEntry& entry);

}  // namespace mvx

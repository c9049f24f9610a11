#pragma once
#include <cstdint>
#include <string>

#include "app/date_time.h"
#include "forms/form.h"
#include "inventory/dataset.h"

namespace mvx {

// "###,###,##0": the number with its thousands grouped by commas.
std::string FormatGroupedNumber(std::int32_t value);

// The read-only properties of the grid's current entry. Created once and
// shown again and again; it always shows the view's current entry, so it
// follows the grid while it is open. A navigator over the view and the
// entry's key fields are hidden until a double click on the background.
class TfrmProperties : public TForm {
 public:
  explicit TfrmProperties(const TClientDataSet& view);

  // Shows the view's current entry, or empty fields when there is none.
  void ShowEntry();
  void btnOKClick(TObject* sender);
  void FormDblClick(TObject* sender);

  TLabel& lblName;
  TEdit& edtFileName;
  TLabel& lblLocation;
  TEdit& edtLocation;
  TLabel& lblSize;
  TEdit& edtSize;
  TLabel& lblModified;
  TEdit& edtTimestamp;
  TCheckBox& chkEnabled;
  TLabel& lblDisplay;
  TEdit& edtDisplay;
  TPanel& dbnProperties;
  TButton& btnFirst;
  TButton& btnPrior;
  TButton& btnNext;
  TButton& btnLast;
  TButton& btnDelete;
  TEdit& edtLCLocation;
  TEdit& edtLCFilename;
  TButton& btnOK;

 private:
  void Build();

  const TClientDataSet& view_;
};

}  // namespace mvx

#pragma once
#include "forms/form.h"

namespace mvx {

// The about box: the maker, the product, its version and build as the
// program's version resource gives them.
class TFrmAbout : public TForm {
 public:
  TFrmAbout();

  TLabel& lblCompany;
  TLabel& lblProduct;
  TLabel& lblVersionName;
  TLabel& lblDescription;
  TLabel& lblVersionAndBuild;
  TLabel& bvlBottom;
  TButton& btnOK;
};

}  // namespace mvx

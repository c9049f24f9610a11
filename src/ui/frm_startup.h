#pragma once
#include <string>

#include "forms/form.h"

namespace mvx {

// The small notice window shown while the program shuts down.
class TFrmStartup : public TForm {
 public:
  TFrmStartup() : TForm("FrmStartup") {
    SetCaption("Murovex");
    SetClientSize(260, 60);
    lblMessage.SetBounds(10, 20, 240, 20);
  }
  // Sets the text, shows the window and paints it at once.
  void ShowNotice(const std::string& text) {
    lblMessage.SetCaption(text);
    Show();
  }
  TLabel& lblMessage = Make<TLabel>(nullptr, "lblMessage");
};

}  // namespace mvx

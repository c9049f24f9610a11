#pragma once
#include "forms/form.h"
#include "forms/timer.h"
#include "platform/ports.h"
#include "ui/web_links.h"

namespace mvx {

// A place on a window, in the design's coordinates (96 DPI).
struct DesignRect {
  int left, top, width, height;
};

// The window shown while the program starts: borderless, 360 x 240, its
// background picture and logo drawn by the program itself, and in a white
// box at the lower right one line of text and the maker's web address.
class TFrmSplash : public TForm {
 public:
  TFrmSplash(Ports& ports, TWebLinks& links);

  // The link opens the splash page in the browser.
  void lblHomeClick(TObject* sender);

  // Where the view paints the pictures and the white box.
  static constexpr DesignRect Image3{6, 6, 348, 228};
  static constexpr DesignRect Image2{8, 8, 312, 59};
  static constexpr DesignRect pnlLink{150, 184, 191, 36};

  TLabel& lblText;
  TLabel& lblHome;
  TTimer Timer1;
  // A first close request came; the second closes the window.
  bool CloseRequested = false;

 private:
  TWebLinks& links_;
};

}  // namespace mvx

#include "app/form_scaling.h"

#include <vector>

#include "app/trace.h"

namespace mvx {

void AdjustFormScaling(TForm* form, int pixelsPerInch, TracePort& trace) {
  if (form == nullptr) return;
  SendTrace(trace, "AdjustFormScaling: Begin", form->Handle);
  if (pixelsPerInch == 96) return;
  SendTrace(trace, "AdjustFormScaling: Adjusting for Font Size", form->Handle);
  const int factor = form->FontHeight() / -11;  // truncates toward zero
  std::vector<TControl*> direct;
  for (TControl* c : form->Controls()) {
    if (c->Parent() == nullptr) direct.push_back(c);
  }
  for (auto it = direct.rbegin(); it != direct.rend(); ++it) {
    (*it)->SetFontHeight((*it)->FontHeight() * factor);
  }
}

}  // namespace mvx

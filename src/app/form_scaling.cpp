#include "app/form_scaling.h"

#include "app/trace.h"

namespace mvx {

void AdjustFormScaling(TForm* form, int pixelsPerInch, TracePort& trace) {
  if (form == nullptr) return;
  SendTrace(trace, "AdjustFormScaling: Begin", form->Handle);
  if (pixelsPerInch == 96) return;
  SendTrace(trace, "AdjustFormScaling: Adjusting for Font Size", form->Handle);
  // The fonts stay at their design heights: every window shows each control's
  // font, place and size multiplied by its monitor's DPI, so a factor applied
  // here as well would enlarge the direct children twice.
}

}  // namespace mvx

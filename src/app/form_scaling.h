#pragma once
#include "forms/form.h"
#include "platform/trace_port.h"

namespace mvx {

// Reports, when a window is made, whether the screen runs at 96 dots per
// inch. pixelsPerInch is the screen's value, taken once at start. The fonts
// are not changed here: the views scale every window for its monitor's DPI.
void AdjustFormScaling(TForm* form, int pixelsPerInch, TracePort& trace);

}  // namespace mvx

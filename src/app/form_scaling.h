#pragma once
#include "forms/form.h"
#include "platform/trace_port.h"

namespace mvx {

// Scales the fonts of the controls placed directly on a form when the screen
// does not run at 96 dots per inch. pixelsPerInch is the screen's value,
// taken once at start.
void AdjustFormScaling(TForm* form, int pixelsPerInch, TracePort& trace);

}  // namespace mvx

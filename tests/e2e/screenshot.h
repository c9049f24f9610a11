#pragma once
#include <string>

namespace mvx::e2e {

// Saves what the screen shows as a 24-bit BMP named `name` + ".bmp" in the
// folder MUROVEX_SHOT_DIR names, or else in `fallbackFolder`. Returns the
// file's path, or an empty string when the capture or the write failed.
// A Windows program cannot run xwd, hence GDI; outside, turn it into a PNG
// with `convert shot.bmp shot.png`.
std::string SaveScreenshot(const std::string& name, const std::string& fallbackFolder);

}  // namespace mvx::e2e

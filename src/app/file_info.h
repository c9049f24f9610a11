#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "app/date_time.h"
#include "platform/desktop_port.h"
#include "platform/file_port.h"

namespace mvx {

// The file's size in bytes, or -1 when it cannot be opened. Sizes beyond the
// 32-bit range read as the largest 32-bit value.
std::int32_t FileSizeOf(FilePort& files, const std::string& path);
// The last-write time in local time at 2-second resolution; throws AppError
// "Cannot open file " + path when the file cannot be opened.
TDateTime FileDateTimeOf(FilePort& files, const std::string& path);

// What the inventory keeps of a file: its size and last-write time.
struct FileFacts {
  std::int32_t size = -1;
  TDateTime time = 0;
};
// Both facts, or nothing when the file cannot be opened for either.
std::optional<FileFacts> ReadFileFacts(FilePort& files, const std::string& path);
// Whether a screen saver runs now: the "screen-saver" desktop opens, or
// exists but may not be opened.
bool ScreenSaverRunning(DesktopPort& desktop);

}  // namespace mvx

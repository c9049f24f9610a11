#include "app/file_info.h"

#include <limits>

#include "app/error.h"
#include "platform/status.h"

namespace mvx {

std::int32_t FileSizeOf(FilePort& files, const std::string& path) {
  const auto size = files.OpenedFileSize(path);
  if (!size) return -1;
  if (*size > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(*size);
}

TDateTime FileDateTimeOf(FilePort& files, const std::string& path) {
  const auto packed = files.LocalDosDateTime(path);
  if (!packed) throw AppError("Cannot open file " + path);
  return DosDateTimeToDateTime(*packed);
}

std::optional<FileFacts> ReadFileFacts(FilePort& files, const std::string& path) {
  const std::int32_t size = FileSizeOf(files, path);
  const auto packed = files.LocalDosDateTime(path);
  if (size < 0 || !packed) return std::nullopt;
  return FileFacts{size, DosDateTimeToDateTime(*packed)};
}

bool ScreenSaverRunning(DesktopPort& desktop) {
  const OpenDesktopResult result = desktop.OpenDesktopNamed("screen-saver");
  if (result.handle != 0) {
    desktop.CloseDesktopHandle(result.handle);
    return true;
  }
  return result.error == winerr::kAccessDenied;
}

}  // namespace mvx

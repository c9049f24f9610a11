#include "app/trace.h"

#include "app/paths.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace mvx {

namespace {

// A character whose bytes would be split at the cut is left out whole.
std::size_t CutLength(std::string_view text) {
  return Utf8Prefix(text, 255).size();
}

}  // namespace

std::array<std::uint8_t, kTraceRecordSize> BuildTraceRecord(std::string_view text) {
  std::array<std::uint8_t, kTraceRecordSize> record{};
  const std::size_t n = CutLength(text);
  record[0] = static_cast<std::uint8_t>(n);
  std::memcpy(record.data() + 1, text.data(), n);
  const std::int32_t tag = 32;
  for (int i = 0; i < 4; ++i) {
    record[256 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((tag >> (8 * i)) & 0xFF);
  }
  return record;
}

void SendTrace(TracePort& port, std::string_view text, WindowHandle window) {
  const WindowHandle listener = port.FindWindowByTitle(kTraceListenerTitle);
  if (listener == 0) return;
  const auto record = BuildTraceRecord(text);
  port.SendCopyData(listener, window, kTraceCopyDataId, std::vector<std::uint8_t>(record.begin(), record.end()));
}

}  // namespace mvx

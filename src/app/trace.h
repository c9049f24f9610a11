#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/trace_port.h"

namespace mvx {

inline constexpr const char* kTraceListenerTitle = "Kestrane Message Window";
inline constexpr std::uint32_t kTraceCopyDataId = 3232;
inline constexpr std::size_t kTraceRecordSize = 260;

// The 260-byte record: length byte, 255 text bytes zero-filled, the 32-bit
// integer 32 at offset 256. Text longer than 255 bytes is cut, never inside
// a UTF-8 character.
std::array<std::uint8_t, kTraceRecordSize> BuildTraceRecord(std::string_view text);

// Offers one diagnostic text to the listener window, looked up on every call.
void SendTrace(TracePort& port, std::string_view text, WindowHandle window);

}  // namespace mvx

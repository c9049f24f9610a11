#pragma once
#include <cstdint>
#include <string>

#include "platform/status.h"

namespace mvx::win32 {

// The system's text for an error code, without the trailing line break.
std::string ErrorText(std::uint32_t code);
// A failed Status for the calling thread's last error.
Status LastError(const std::string& what);

}  // namespace mvx::win32

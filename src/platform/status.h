#pragma once
#include <cstdint>
#include <string>
#include <utility>

namespace mvx {

// The outcome of one call to the system: success, or the system's error code
// with its text and what was being done.
struct Status {
  std::uint32_t code = 0;
  std::string what;     // what was being done, e.g. "create c:\\x\\gdb.cds.tmp"
  std::string message;  // the system's text for code

  static Status Ok() { return {}; }
  static Status Fail(std::uint32_t c, std::string w, std::string m = {}) {
    return Status{c, std::move(w), std::move(m)};
  }
  bool ok() const { return code == 0; }
  explicit operator bool() const { return ok(); }
  std::string Describe() const { return message.empty() ? what : what + ": " + message; }
};

// Windows error codes the program and its fakes speak in.
namespace winerr {
inline constexpr std::uint32_t kFileNotFound = 2;
inline constexpr std::uint32_t kPathNotFound = 3;
inline constexpr std::uint32_t kAccessDenied = 5;
inline constexpr std::uint32_t kInvalidHandle = 6;
inline constexpr std::uint32_t kWriteFault = 29;
inline constexpr std::uint32_t kSharingViolation = 32;
inline constexpr std::uint32_t kDiskFull = 112;
inline constexpr std::uint32_t kFileExists = 80;
inline constexpr std::uint32_t kAlreadyExists = 183;
inline constexpr std::uint32_t kFilenameTooLong = 206;
}  // namespace winerr

}  // namespace mvx

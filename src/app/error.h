#pragma once
#include <stdexcept>
#include <string>

namespace mvx {

// An error the program reports to the user through its error handler
// ("Exception: " + message).
class AppError : public std::runtime_error {
 public:
  explicit AppError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace mvx

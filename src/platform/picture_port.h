#pragma once
#include <optional>
#include <string>

namespace mvx {

struct PictureSize {
  int width = 0;
  int height = 0;
};

// The platform's picture loader: loads a picture file whole and tells its
// natural size, or nothing when the file is missing or no readable picture.
class PicturePort {
 public:
  virtual ~PicturePort() = default;
  virtual std::optional<PictureSize> Measure(const std::string& path) = 0;
};

}  // namespace mvx

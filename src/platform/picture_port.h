#pragma once
#include <memory>
#include <string>

namespace mvx {

struct PictureSize {
  int width = 0;
  int height = 0;
};

// A picture decoded by the platform, held only while it is shown: whoever
// shows it keeps it, and letting go of the last reference frees its pixels.
class LoadedPicture {
 public:
  virtual ~LoadedPicture() = default;
  // The picture's natural size, as stored in its file.
  virtual PictureSize Size() const = 0;
};

// The platform's picture loader: decodes a picture file whole, whatever its
// extension says, or gives nothing when the file is missing or holds no
// picture the loader can decode.
class PicturePort {
 public:
  virtual ~PicturePort() = default;
  virtual std::shared_ptr<const LoadedPicture> Load(const std::string& path) = 0;
};

}  // namespace mvx

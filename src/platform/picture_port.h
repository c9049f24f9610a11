#pragma once
#include <functional>
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

// Why a picture was not decoded.
enum class PictureLoadFault {
  None,
  NotOpened,   // missing, or held by another program without sharing
  NotDecoded,  // no picture the loader can decode: damaged or of another kind
  TooLarge,    // more pixels than the program shows, as its header says
};

struct PictureLoad {
  std::shared_ptr<const LoadedPicture> picture;  // null unless fault is None
  PictureLoadFault fault = PictureLoadFault::None;
};

// The platform's picture loader: decodes a picture file whatever its
// extension says. The file is opened sharing everything, so a file another
// program is writing can still be read.
class PicturePort {
 public:
  using LoadDone = std::function<void(PictureLoad)>;
  virtual ~PicturePort() = default;
  // Decodes at once, on the caller's thread.
  virtual std::shared_ptr<const LoadedPicture> Load(const std::string& path) = 0;
  // Decodes off the caller's thread, held no larger than a preview draws it;
  // `done` runs later on the caller's thread, from its message loop. Only the
  // latest request is answered: a newer one, or CancelLoad, abandons an
  // earlier one, whose decoding stops where the decoder lets it.
  virtual void LoadLater(const std::string& path, LoadDone done) = 0;
  virtual void CancelLoad() = 0;
};

}  // namespace mvx

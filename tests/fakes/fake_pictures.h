#pragma once
#include <functional>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "fakes/fake_files.h"
#include "platform/picture_port.h"

namespace mvx::fakes {

// Reads the picture's file from the fake file system, so a file that was
// never put there, or was removed, cannot be loaded. By its content, not its
// name, a file counts as a picture when it is a Windows bitmap, a PNG file
// that runs to its end chunk or a GIF file that runs to its trailer, with a
// width and a height above zero; its header gives the size.
class FakePictures : public PicturePort {
 public:
  explicit FakePictures(FakeFiles& files) : files_(files) {}
  std::shared_ptr<const LoadedPicture> Load(const std::string& path) override;
  // As the platform's, a request is answered only from the message loop:
  // Deliver stands for it, decoding the file as it is then.
  void LoadLater(const std::string& path, LoadDone done) override;
  void CancelLoad() override { pending_.reset(); }
  // Answers the request waiting, if any; true when there was one.
  bool Deliver();
  bool Waiting() const { return pending_.has_value(); }
  // Pictures with more pixels than this are refused, as the platform does.
  std::int64_t maxPixels = 250LL * 1000 * 1000;
  // Every path asked for, in order.
  std::vector<std::string> loaded;
  // Runs as each load starts, so a test can see the window as the user does then.
  std::function<void()> onLoad;
  // How many loaded pictures are held now, by the window or anyone else.
  int Held() const { return static_cast<int>(held_.use_count()) - 1; }

 private:
  PictureLoad Decode(const std::string& path);
  FakeFiles& files_;
  std::optional<std::pair<std::string, LoadDone>> pending_;
  // Shared with every picture handed out, to count them.
  std::shared_ptr<int> held_ = std::make_shared<int>(0);
};

}  // namespace mvx::fakes

#pragma once
#include <functional>
#include <memory>
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
  // Every path asked for, in order.
  std::vector<std::string> loaded;
  // Runs as each load starts, so a test can see the window as the user does then.
  std::function<void()> onLoad;
  // How many loaded pictures are held now, by the window or anyone else.
  int Held() const { return static_cast<int>(held_.use_count()) - 1; }

 private:
  FakeFiles& files_;
  // Shared with every picture handed out, to count them.
  std::shared_ptr<int> held_ = std::make_shared<int>(0);
};

}  // namespace mvx::fakes

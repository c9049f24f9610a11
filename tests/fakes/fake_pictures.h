#pragma once
#include <functional>
#include <string>
#include <vector>

#include "fakes/fake_files.h"
#include "platform/picture_port.h"

namespace mvx::fakes {

// Reads the picture's file from the fake file system, so a file that was
// never put there, or was removed, cannot be loaded. A file counts as a
// picture when it starts like a Windows bitmap; its header gives the size.
class FakePictures : public PicturePort {
 public:
  explicit FakePictures(FakeFiles& files) : files_(files) {}
  std::optional<PictureSize> Measure(const std::string& path) override;
  // Every path asked for, in order.
  std::vector<std::string> measured;
  // Runs as each load starts, so a test can see the window as the user does then.
  std::function<void()> onMeasure;

 private:
  FakeFiles& files_;
};

}  // namespace mvx::fakes

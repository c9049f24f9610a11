#pragma once

namespace mvx {

// The program's help: a contents page and numbered topics.
class HelpPort {
 public:
  virtual ~HelpPort() = default;
  virtual void ShowContents() = 0;
  virtual void ShowTopic(int context) = 0;
  virtual void Quit() = 0;
};

}  // namespace mvx

#pragma once

namespace mvx {

// Sets a flag for the lifetime of the object and gives back the value it
// found, so that nested runs (a batch and the dialog inside it) leave the
// flag set until the outermost one ends, on every way out.
class ScopedFlag {
 public:
  explicit ScopedFlag(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
  ~ScopedFlag() { flag_ = previous_; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& flag_;
  bool previous_;
};

}  // namespace mvx

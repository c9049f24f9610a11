#pragma once
#include "platform/shell_port.h"

namespace mvx {

// The hourglass for the length of a piece of work; the normal cursor comes
// back however the work ends.
class BusyCursor {
 public:
  explicit BusyCursor(ShellPort& shell) : shell_(shell) { shell_.SetBusyCursor(true); }
  ~BusyCursor() { shell_.SetBusyCursor(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  ShellPort& shell_;
};

}  // namespace mvx

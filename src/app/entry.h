#pragma once
#include "platform/ports.h"

namespace mvx {

struct InstanceClaim {
  bool run = false;                  // false: another instance runs; leave at once
  std::uint32_t restoreMessage = 0;  // "RestoreMurovex"
};

// The first steps of the entry: registers "RestoreMurovex", takes the named
// mutex "Murovex" (an abandoned one counts as taken) or, when another
// instance owns it, asks that instance to show itself unless askToShow is
// false (a start that hands a command over).
InstanceClaim ClaimSingleInstance(InstancePort& instance, bool askToShow = true);

}  // namespace mvx

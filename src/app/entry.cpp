#include "app/entry.h"

namespace mvx {

InstanceClaim ClaimSingleInstance(InstancePort& instance, bool askToShow) {
  InstanceClaim claim;
  claim.restoreMessage = instance.RegisterMessage("RestoreMurovex");
  const MutexWait wait = instance.CreateAndWaitMutex("Murovex");
  if (wait == MutexWait::Timeout) {
    if (askToShow) instance.Broadcast(claim.restoreMessage, 0, 0);
    return claim;
  }
  claim.run = true;
  return claim;
}

}  // namespace mvx

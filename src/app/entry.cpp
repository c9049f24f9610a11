#include "app/entry.h"

namespace mvx {

InstanceClaim ClaimSingleInstance(InstancePort& instance) {
  InstanceClaim claim;
  claim.restoreMessage = instance.RegisterMessage("RestoreMurovex");
  const MutexWait wait = instance.CreateAndWaitMutex("Murovex");
  if (wait == MutexWait::Timeout) {
    instance.Broadcast(claim.restoreMessage, 0, 0);
    return claim;
  }
  claim.run = true;
  return claim;
}

}  // namespace mvx

#pragma once
#include <memory>
#include <string>

#include "platform/ports.h"

namespace mvx::contract {

// What a contract test runs against: the fakes natively, the real adapters
// under Wine. Each test gets a fresh environment and an empty folder.
class ContractEnv {
 public:
  virtual ~ContractEnv() = default;
  virtual Ports& P() = 0;
  // A new, empty folder (absolute Windows path, no trailing backslash).
  virtual std::string FreshFolder() = 0;
  // Lets the environment's time run (real sleep with message pumping under
  // Wine, virtual time with the fakes).
  virtual void RunFor(unsigned ms) = 0;
  virtual bool IsReal() const = 0;
};

std::unique_ptr<ContractEnv> MakeContractEnv();

}  // namespace mvx::contract

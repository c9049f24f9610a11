#include "contract/contract_env.h"
#include "fakes/fake_ports.h"

namespace mvx::contract {

namespace {

class FakeEnv : public ContractEnv {
 public:
  Ports& P() override { return fakes_.ports; }
  std::string FreshFolder() override {
    std::string dir = "C:\\contract\\t" + std::to_string(++n_);
    fakes_.files.AddDir(dir);
    return dir;
  }
  void RunFor(unsigned ms) override { fakes_.time.Advance(ms); }
  bool IsReal() const override { return false; }

 private:
  fakes::FakePorts fakes_;
  int n_ = 0;
};

}  // namespace

std::unique_ptr<ContractEnv> MakeContractEnv() { return std::make_unique<FakeEnv>(); }

}  // namespace mvx::contract

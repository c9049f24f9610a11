#include <windows.h>

#include "contract/contract_env.h"
#include "win32/adapters/win32_ports.h"

namespace mvx::contract {

namespace {

class RealEnv : public ContractEnv {
 public:
  RealEnv() : ports_(".") {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    base_ = std::string(temp) + "murovex-contract-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(base_.c_str(), nullptr);
  }
  Ports& P() override { return ports_.ports; }
  std::string FreshFolder() override {
    std::string dir = base_ + "\\t" + std::to_string(++n_);
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
  }
  void RunFor(unsigned ms) override {
    const ULONGLONG end = GetTickCount64() + ms;
    while (GetTickCount64() < end) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      Sleep(1);
    }
  }
  bool IsReal() const override { return true; }

 private:
  win32::Win32Ports ports_;
  std::string base_;
  int n_ = 0;
};

}  // namespace

std::unique_ptr<ContractEnv> MakeContractEnv() { return std::make_unique<RealEnv>(); }

}  // namespace mvx::contract

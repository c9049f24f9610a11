#include "contract/contract_env.h"
#include "fakes/fake_ports.h"

namespace mvx::contract {

namespace {

class FakeEnv : public ContractEnv {
 public:
  FakeEnv() { fakes_.trace.listenerRunning = false; }
  Ports& P() override { return fakes_.ports; }
  std::string FreshFolder() override {
    std::string dir = "C:\\contract\\t" + std::to_string(++n_);
    fakes_.files.AddDir(dir);
    return dir;
  }
  std::string FreshRegistryKey() override {
    std::string path = "Software\\Contract\\k" + std::to_string(++n_);
    fakes_.registry.CloseKey(fakes_.registry.CreateKey(kHkeyCurrentUser, path).value());
    return path;
  }
  void RunFor(unsigned ms) override { fakes_.time.Advance(ms); }
  void StartTraceListener() override { fakes_.trace.listenerRunning = true; }
  void StopTraceListener() override { fakes_.trace.listenerRunning = false; }
  std::vector<CopyDataReceived> TraceReceived() override {
    std::vector<CopyDataReceived> out;
    for (const auto& s : fakes_.trace.sent) out.push_back({s.from, s.dwData, s.bytes});
    return out;
  }
  std::uintptr_t MakeDrop(const std::vector<std::string>& names) override {
    fakes_.shell.droppedNames = names;
    return 0x5D0;
  }
  void PutDibOnClipboard(const std::string& dib) override {
    fakes_.shell.clipboardBitmap = !dib.empty();
    fakes_.shell.clipboardDib = dib;
  }
  void SetDesktopColor(int red, int green, int blue) override {
    fakes_.system.desktopColor = static_cast<std::uint32_t>(red | green << 8 | blue << 16);
  }
  bool IsReal() const override { return false; }

 private:
  fakes::FakePorts fakes_;
  int n_ = 0;
};

}  // namespace

std::unique_ptr<ContractEnv> MakeContractEnv() {
  return std::make_unique<FakeEnv>();
}

}  // namespace mvx::contract

#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ports.h"

namespace mvx::contract {

// A WM_COPYDATA block as the listener window received it.
struct CopyDataReceived {
  WindowHandle from = 0;
  std::uint32_t dwData = 0;
  std::vector<std::uint8_t> bytes;
};

// What a contract test runs against: the fakes natively, the real adapters
// under Wine. Each test gets a fresh environment and an empty folder.
class ContractEnv {
 public:
  virtual ~ContractEnv() = default;
  virtual Ports& P() = 0;
  // A new, empty folder (absolute Windows path, no trailing backslash).
  virtual std::string FreshFolder() = 0;
  // A new, empty registry key below HKEY_CURRENT_USER: its path relative to
  // that root. It goes away with the environment.
  virtual std::string FreshRegistryKey() = 0;
  // Lets the environment's time run (real sleep with message pumping under
  // Wine, virtual time with the fakes).
  virtual void RunFor(unsigned ms) = 0;
  // Starts or stops a top-level window titled "Kestrane Message Window" that
  // keeps every WM_COPYDATA block it receives. No listener runs at first.
  virtual void StartTraceListener() = 0;
  virtual void StopTraceListener() = 0;
  virtual std::vector<CopyDataReceived> TraceReceived() = 0;
  // A drop handle holding these names, as WM_DROPFILES brings one; the
  // shell port's DropFinish lets it go.
  virtual std::uintptr_t MakeDrop(const std::vector<std::string>& names) = 0;
  // Puts a packed device-independent bitmap on the clipboard, as a program
  // copying a picture does; an empty one leaves the clipboard empty.
  virtual void PutDibOnClipboard(const std::string& dib) = 0;
  // Sets the colour the system gives the desktop, as the user does in its
  // settings; the real system's is put back with the environment.
  virtual void SetDesktopColor(int red, int green, int blue) = 0;
  virtual bool IsReal() const = 0;
};

std::unique_ptr<ContractEnv> MakeContractEnv();

// Writes a new file whole through the port: create, write, flush, close.
inline Status WriteNewFile(FilePort& files, const std::string& path, const std::string& bytes) {
  FileHandle h = 0;
  Status s = files.CreateNew(path, h);
  if (!s) return s;
  s = files.Write(h, bytes);
  if (s) s = files.Flush(h);
  files.Close(h);
  return s;
}

inline std::string ReadWholeFile(FilePort& files, const std::string& path) {
  std::string bytes;
  return files.ReadAll(path, bytes) ? bytes : std::string("<unreadable>");
}

}  // namespace mvx::contract

#pragma once
#include <windows.h>
#include <objbase.h>

namespace mvx::win32 {

// COM for this thread while an object of the system is used; the program's
// thread may already have it, and then this changes nothing.
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

}  // namespace mvx::win32

#pragma once
#include <windows.h>
#include <objbase.h>

#include "win32/adapters/late_libraries.h"

namespace mvx::win32 {

// COM for this thread while an object of the system is used; the program's
// thread may already have it, and then this changes nothing.
class ComScope {
 public:
  ComScope() : result_(late::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) late::CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

}  // namespace mvx::win32

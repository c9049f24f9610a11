#pragma once
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <string>

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

// Holds one reference to a COM object and releases it.
template <class T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (p_ != nullptr) p_->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  T** put() { return &p_; }

 private:
  T* p_ = nullptr;
};

// A UTF-8 path as the wide string that COM interfaces take.
inline std::wstring WideFromUtf8(const std::string& utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(n, 0)), L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
  return wide;
}

}  // namespace mvx::win32

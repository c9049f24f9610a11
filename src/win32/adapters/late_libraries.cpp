#include "win32/adapters/late_libraries.h"

namespace mvx::win32::late {

namespace {

// The function, from its library loaded on first use (and kept: the system
// unloads it with the program); null when either is missing.
template <typename Function>
Function* Find(const char* library, const char* name) {
  HMODULE module = GetModuleHandleA(library);
  if (module == nullptr) module = LoadLibraryA(library);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

HRESULT LastError() {
  const DWORD error = GetLastError();
  return error != 0 ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

}  // namespace

HRESULT CoInitializeEx(LPVOID reserved, DWORD model) {
  static auto* const function = Find<decltype(::CoInitializeEx)>("ole32.dll", "CoInitializeEx");
  return function != nullptr ? function(reserved, model) : LastError();
}

void CoUninitialize() {
  static auto* const function = Find<decltype(::CoUninitialize)>("ole32.dll", "CoUninitialize");
  if (function != nullptr) function();
}

HRESULT CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object) {
  static auto* const function = Find<decltype(::CoCreateInstance)>("ole32.dll", "CoCreateInstance");
  if (function != nullptr) return function(clsid, outer, context, iid, object);
  *object = nullptr;
  return LastError();
}

BOOL GetOpenFileNameA(LPOPENFILENAMEA request) {
  static auto* const function = Find<decltype(::GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
  return function != nullptr ? function(request) : FALSE;
}

}  // namespace mvx::win32::late

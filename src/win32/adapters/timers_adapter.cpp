#include <windows.h>

#include <stdexcept>

#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

namespace {

void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD) noexcept {
  try {
    Win32Timers::Dispatch(id);
  } catch (const std::exception& e) {
    // Nothing may cross into the system: the error goes to the program's handler.
    if (Win32Timers::onError) Win32Timers::onError(e);
  } catch (...) {
    if (Win32Timers::onError) Win32Timers::onError(std::runtime_error("unknown error"));
  }
}

}  // namespace

std::map<std::uintptr_t, std::function<void()>>& Win32Timers::Callbacks() {
  static std::map<std::uintptr_t, std::function<void()>> callbacks;
  return callbacks;
}

Win32Timers::~Win32Timers() {
  for (auto& [id, cb] : Callbacks()) KillTimer(nullptr, id);
  Callbacks().clear();
}

TimerId Win32Timers::StartTimer(std::uint32_t intervalMs, std::function<void()> onTick) {
  if (intervalMs == 0) return 0;
  const UINT_PTR id = SetTimer(nullptr, 0, intervalMs, TimerProc);
  if (id == 0) return 0;
  Callbacks()[id] = std::move(onTick);
  return id;
}

void Win32Timers::StopTimer(TimerId id) {
  if (id == 0) return;
  KillTimer(nullptr, static_cast<UINT_PTR>(id));
  Callbacks().erase(static_cast<std::uintptr_t>(id));
}

void Win32Timers::Dispatch(std::uintptr_t id) {
  auto it = Callbacks().find(id);
  if (it == Callbacks().end()) return;
  auto callback = it->second;  // the tick may stop its own timer
  callback();
}

std::uint64_t Win32Timers::TickCountMs() {
  return GetTickCount64();
}

double Win32Timers::LocalNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  FILETIME ft;
  SystemTimeToFileTime(&st, &ft);
  ULARGE_INTEGER t;
  t.LowPart = ft.dwLowDateTime;
  t.HighPart = ft.dwHighDateTime;
  // FILETIME counts 100 ns from 1601-01-01; the date-time counts days from 1899-12-30.
  constexpr double kDaysFrom1601To1899 = 109205.0;
  return static_cast<double>(t.QuadPart) / 864000000000.0 - kDaysFrom1601To1899;
}

}  // namespace mvx::win32

#pragma once
#include <windows.h>

#include <cstdint>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace mvx::win32 {

// A message-only window of this thread whose messages go to `proc`, with
// `owner` kept in its user data; nullptr when the system would not make one.
HWND CreateMessageSink(const char* className, WNDPROC proc, void* owner);
// Runs a call made on behalf of another thread: nothing it raises may cross
// into the system, so an error goes to HandleWaiter::onError.
void CallGuarded(const std::function<void()>& call) noexcept;

// Waits for kernel objects (change notifications, events) on a thread of
// its own and makes each one's call on the thread that added it, through a
// message to a message-only window of that thread: the calls come in any
// message loop, a modal box's or a menu's too. While nothing is signalled
// neither thread wakes. At most MAXIMUM_WAIT_OBJECTS - 1 objects at a time.
class HandleWaiter {
 public:
  using Id = std::uint64_t;

  HandleWaiter() = default;
  ~HandleWaiter();
  HandleWaiter(const HandleWaiter&) = delete;
  HandleWaiter& operator=(const HandleWaiter&) = delete;

  // Waits for `handle`, which is signalled or armed by its owner. After each
  // signal, `rearm` runs on the waiting thread before the next wait, and
  // `onSignal` then on this thread, once for all signals until it runs.
  // `release` runs on the waiting thread once the handle is removed. Returns
  // 0 (and releases it) when no more can be waited for.
  Id Add(HANDLE handle, std::function<void()> rearm, std::function<void()> onSignal, std::function<void()> release);
  // onSignal is not called afterwards.
  void Remove(Id id);

  // Where an error raised by a call goes (the program's error handler).
  static inline std::function<void(const std::exception&)> onError;

 private:
  struct Waited {
    HANDLE handle;
    std::function<void()> rearm;
    std::function<void()> release;
    bool removed = false;
    bool posted = false;
  };
  static LRESULT CALLBACK SinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  bool Start();
  void Wait();
  void Deliver(Id id);

  // Shared with the waiting thread, under mutex_.
  std::mutex mutex_;
  std::map<Id, Waited> waited_;
  bool stopping_ = false;
  // This thread's alone.
  std::map<Id, std::function<void()>> calls_;
  Id next_ = 1;
  HWND sink_ = nullptr;
  HANDLE wake_ = nullptr;  // tells the waiting thread that the set changed
  std::thread thread_;
};

}  // namespace mvx::win32

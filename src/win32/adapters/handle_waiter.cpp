#include "win32/adapters/handle_waiter.h"

#include <stdexcept>
#include <vector>

namespace mvx::win32 {

namespace {

constexpr const char* kSinkClass = "MurovexHandleWaiter";
constexpr UINT kSignalled = WM_APP + 1;

}  // namespace

HandleWaiter::~HandleWaiter() {
  if (thread_.joinable()) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    SetEvent(wake_);
    thread_.join();
  }
  for (auto& [id, waited] : waited_) waited.release();
  if (sink_ != nullptr) DestroyWindow(sink_);
  if (wake_ != nullptr) CloseHandle(wake_);
}

HWND CreateMessageSink(const char* className, WNDPROC proc, void* owner) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = proc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);  // fails harmlessly when another sink registered it
  HWND sink = CreateWindowExA(0, className, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
  if (sink != nullptr) SetWindowLongPtrA(sink, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
  return sink;
}

void CallGuarded(const std::function<void()>& call) noexcept {
  try {
    call();
  } catch (const std::exception& e) {
    if (HandleWaiter::onError) HandleWaiter::onError(e);
  } catch (...) {
    if (HandleWaiter::onError) HandleWaiter::onError(std::runtime_error("unknown error"));
  }
}

bool HandleWaiter::Start() {
  if (thread_.joinable()) return true;
  sink_ = CreateMessageSink(kSinkClass, SinkProc, this);
  wake_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (sink_ == nullptr || wake_ == nullptr) return false;
  thread_ = std::thread([this] { Wait(); });
  return true;
}

HandleWaiter::Id HandleWaiter::Add(HANDLE handle, std::function<void()> rearm, std::function<void()> onSignal,
                                   std::function<void()> release) {
  if (!Start()) {
    release();
    return 0;
  }
  const Id id = next_++;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (waited_.size() >= MAXIMUM_WAIT_OBJECTS - 1) {
      release();
      return 0;
    }
    waited_[id] = Waited{handle, std::move(rearm), std::move(release)};
  }
  calls_[id] = std::move(onSignal);
  SetEvent(wake_);
  return id;
}

void HandleWaiter::Remove(Id id) {
  if (calls_.erase(id) == 0) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    auto it = waited_.find(id);
    if (it != waited_.end()) it->second.removed = true;
  }
  SetEvent(wake_);
}

// The waiting thread: the wake event first, then every handle; a removed
// handle is released here, where no wait can still be using it.
void HandleWaiter::Wait() {
  std::vector<HANDLE> handles;
  std::vector<Id> ids;
  for (;;) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      if (stopping_) return;
      handles.assign(1, wake_);
      ids.assign(1, 0);
      for (auto it = waited_.begin(); it != waited_.end();) {
        if (it->second.removed) {
          it->second.release();
          it = waited_.erase(it);
          continue;
        }
        handles.push_back(it->second.handle);
        ids.push_back(it->first);
        ++it;
      }
    }
    const DWORD result = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, INFINITE);
    if (result == WAIT_OBJECT_0) continue;
    const DWORD index = result - WAIT_OBJECT_0;
    if (index >= handles.size()) return;  // a handle gone bad: nothing more can be waited for
    const std::lock_guard<std::mutex> lock(mutex_);
    auto it = waited_.find(ids[index]);
    if (it == waited_.end() || it->second.removed) continue;
    it->second.rearm();
    if (!it->second.posted) it->second.posted = PostMessageA(sink_, kSignalled, ids[index], 0) != FALSE;
  }
}

void HandleWaiter::Deliver(Id id) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    auto it = waited_.find(id);
    if (it != waited_.end()) it->second.posted = false;
  }
  auto call = calls_.find(id);
  if (call == calls_.end()) return;
  auto onSignal = call->second;  // the call may remove its own handle
  onSignal();
}

LRESULT CALLBACK HandleWaiter::SinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message != kSignalled) return DefWindowProcA(window, message, wParam, lParam);
  auto* waiter = reinterpret_cast<HandleWaiter*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (waiter != nullptr) CallGuarded([&] { waiter->Deliver(static_cast<Id>(wParam)); });
  return 0;
}

}  // namespace mvx::win32

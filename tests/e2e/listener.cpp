#include "e2e/listener.h"

#include <cstring>
#include <stdexcept>

#include "app/trace.h"

namespace mvx::e2e {

namespace {

constexpr const char* kListenerClass = "MurovexE2eTraceListener";

void RegisterListenerClass(WNDPROC proc) {
  static const bool registered = [proc] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kListenerClass;
    return RegisterClassA(&wc) != 0;
  }();
  if (!registered) throw std::runtime_error("cannot register the trace listener's window class");
}

}  // namespace

std::optional<std::string> DecodeTraceRecord(std::uintptr_t id, const void* data, std::size_t size) {
  if (id != kTraceCopyDataId || size != kTraceRecordSize || data == nullptr) return std::nullopt;
  const auto* bytes = static_cast<const unsigned char*>(data);
  std::int32_t tag = 0;
  std::memcpy(&tag, bytes + 256, sizeof tag);
  if (tag != 32) return std::nullopt;
  return std::string(reinterpret_cast<const char*>(bytes + 1), bytes[0]);
}

TraceListener::TraceListener() {
  RegisterListenerClass(&TraceListener::Proc);
  // Top-level and hidden: the program finds it with FindWindowA by title,
  // which a message-only window would not answer.
  window_ = CreateWindowExA(0, kListenerClass, kTraceListenerTitle, WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleA(nullptr), this);
  if (window_ == nullptr) throw std::runtime_error("cannot create the trace listener window");
}

TraceListener::~TraceListener() {
  DestroyWindow(window_);
}

LRESULT CALLBACK TraceListener::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  } else if (message == WM_COPYDATA) {
    auto* self = reinterpret_cast<TraceListener*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && lParam != 0) {
      self->Receive(reinterpret_cast<HWND>(wParam), *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    }
    return TRUE;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void TraceListener::Receive(HWND sender, const COPYDATASTRUCT& data) {
  const auto now = Clock::now();
  auto text = DecodeTraceRecord(data.dwData, data.lpData, data.cbData);
  std::lock_guard lock(mutex_);
  if (!text) {
    ++rejected_;
    return;
  }
  entries_.push_back(TraceEntry{std::move(*text), sender, now});
}

std::vector<TraceEntry> TraceListener::Entries() const {
  std::lock_guard lock(mutex_);
  return entries_;
}

std::vector<std::string> TraceListener::Texts() const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> texts;
  for (const auto& e : entries_) texts.push_back(e.text);
  return texts;
}

std::size_t TraceListener::Rejected() const {
  std::lock_guard lock(mutex_);
  return rejected_;
}

std::optional<TraceEntry> TraceListener::Find(std::string_view text) const {
  std::lock_guard lock(mutex_);
  for (const auto& e : entries_) {
    if (e.text == text) return e;
  }
  return std::nullopt;
}

std::size_t TraceListener::Count(std::string_view text) const {
  std::lock_guard lock(mutex_);
  std::size_t n = 0;
  for (const auto& e : entries_) n += e.text == text ? 1 : 0;
  return n;
}

std::optional<TraceEntry> TraceListener::WaitFor(std::string_view text, Clock::duration timeout) const {
  std::optional<TraceEntry> found;
  PumpUntil([&] { return (found = Find(text)).has_value(); }, timeout);
  return found;
}

}  // namespace mvx::e2e

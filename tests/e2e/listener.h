#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "e2e/pump.h"

namespace mvx::e2e {

struct TraceEntry {
  std::string text;
  HWND sender = nullptr;  // the window the program sent the text on behalf of
  Clock::time_point at;
};

// The text of a trace record, or nothing when the block is not one: wrong id
// or size, a length above 255, or a tag other than 32 at offset 256.
std::optional<std::string> DecodeTraceRecord(std::uintptr_t id, const void* data, std::size_t size);

// The hidden top-level window the program looks up by its title and sends
// its diagnostic texts to. Create one per test, on the test's thread; the
// texts arrive while that thread pumps messages (every wait here does).
class TraceListener {
 public:
  TraceListener();
  ~TraceListener();
  TraceListener(const TraceListener&) = delete;
  TraceListener& operator=(const TraceListener&) = delete;

  HWND Window() const { return window_; }
  std::vector<TraceEntry> Entries() const;
  std::vector<std::string> Texts() const;
  // Blocks that came as WM_COPYDATA but were not trace records.
  std::size_t Rejected() const;
  std::optional<TraceEntry> Find(std::string_view text) const;
  std::size_t Count(std::string_view text) const;
  // The first entry with exactly this text, waiting up to `timeout` for it.
  std::optional<TraceEntry> WaitFor(std::string_view text, Clock::duration timeout) const;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Receive(HWND sender, const COPYDATASTRUCT& data);

  HWND window_ = nullptr;
  mutable std::mutex mutex_;
  std::vector<TraceEntry> entries_;
  std::size_t rejected_ = 0;
};

}  // namespace mvx::e2e

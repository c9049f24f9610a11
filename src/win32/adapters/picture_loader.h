#pragma once
#include <windows.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/picture_port.h"

namespace mvx::win32 {

// Decodes one picture at a time on a thread of its own and answers on the
// thread that asked, through a message to a message-only window of that
// thread. Only the latest request is answered: a newer one abandons the
// decode in hand, which stops between bands of rows. While nothing is asked
// the thread sleeps.
class PictureLoader {
 public:
  PictureLoader() = default;
  ~PictureLoader();
  PictureLoader(const PictureLoader&) = delete;
  PictureLoader& operator=(const PictureLoader&) = delete;

  void Load(const std::string& path, PicturePort::LoadDone done);
  void Cancel();

 private:
  struct Job {
    std::uint64_t id;
    std::string path;
  };
  struct Answer {
    std::uint64_t id;
    PictureLoad result;
  };
  static LRESULT CALLBACK SinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  bool Start();
  void Work();
  void Deliver();

  // Shared with the decoding thread, under mutex_.
  std::mutex mutex_;
  std::condition_variable wake_;
  std::optional<Job> job_;
  std::optional<Answer> answer_;
  bool stopping_ = false;
  std::atomic<std::uint64_t> wanted_{0};  // the request to answer; 0: none
  // The asking thread's alone.
  std::uint64_t next_ = 0;
  PicturePort::LoadDone done_;
  HWND sink_ = nullptr;
  std::thread thread_;
};

}  // namespace mvx::win32

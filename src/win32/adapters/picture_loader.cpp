#include "win32/adapters/picture_loader.h"

#include <utility>

#include "win32/adapters/handle_waiter.h"
#include "win32/adapters/win32_picture.h"
#include "win32/adapters/win32_ports.h"

namespace mvx::win32 {

namespace {

constexpr const char* kSinkClass = "MurovexPictureLoader";
constexpr UINT kDecoded = WM_APP + 2;

}  // namespace

PictureLoader::~PictureLoader() {
  if (thread_.joinable()) {
    wanted_ = 0;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }
  if (sink_ != nullptr) DestroyWindow(sink_);
}

bool PictureLoader::Start() {
  if (thread_.joinable()) return true;
  sink_ = CreateMessageSink(kSinkClass, SinkProc, this);
  if (sink_ == nullptr) return false;
  thread_ = std::thread([this] { Work(); });
  return true;
}

void PictureLoader::Load(const std::string& path, PicturePort::LoadDone done) {
  const std::uint64_t id = ++next_;
  done_ = std::move(done);
  if (!Start()) {
    auto answer = std::move(done_);
    answer(PictureLoad{nullptr, PictureLoadFault::NotDecoded});
    return;
  }
  wanted_ = id;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    job_ = Job{id, path};
  }
  wake_.notify_one();
}

void PictureLoader::Cancel() {
  wanted_ = 0;
  done_ = nullptr;
  const std::lock_guard<std::mutex> lock(mutex_);
  job_.reset();
  answer_.reset();
}

// The decoding thread: the latest job, until the loader goes.
void PictureLoader::Work() {
  for (;;) {
    Job job;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || job_.has_value(); });
      if (stopping_) return;
      job = std::move(*job_);
      job_.reset();
    }
    const auto abandoned = [this, id = job.id] { return wanted_ != id; };
    if (abandoned()) continue;
    DecodedPicture decoded = DecodePictureFile(job.path, PictureSize{}, abandoned);
    if (abandoned()) continue;  // its pixels go with it, here
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      answer_ = Answer{job.id, PictureLoad{std::move(decoded.picture), decoded.fault}};
    }
    PostMessageA(sink_, kDecoded, 0, 0);
  }
}

void PictureLoader::Deliver() {
  std::optional<Answer> answer;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    answer.swap(answer_);
  }
  if (!answer || answer->id != next_ || !done_) return;
  auto done = std::move(done_);
  done_ = nullptr;
  done(std::move(answer->result));
}

LRESULT CALLBACK PictureLoader::SinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message != kDecoded) return DefWindowProcA(window, message, wParam, lParam);
  auto* loader = reinterpret_cast<PictureLoader*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (loader != nullptr) CallGuarded([loader] { loader->Deliver(); });
  return 0;
}

Win32Pictures::Win32Pictures() : loader_(std::make_unique<PictureLoader>()) {}
Win32Pictures::~Win32Pictures() = default;

void Win32Pictures::LoadLater(const std::string& path, LoadDone done) {
  loader_->Load(path, std::move(done));
}

void Win32Pictures::CancelLoad() {
  loader_->Cancel();
}

}  // namespace mvx::win32

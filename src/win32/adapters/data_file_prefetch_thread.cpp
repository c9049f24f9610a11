#include "win32/adapters/data_file_prefetch_thread.h"

namespace mvx::win32 {

DataFilePrefetchThread::DataFilePrefetchThread(FilePort& files, std::string path)
    : files_(files), path_(std::move(path)) {
  // Without the thread, start-up loads the file itself, as before.
  thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

DataFilePrefetchThread::~DataFilePrefetchThread() {
  Drop();
}

DWORD WINAPI DataFilePrefetchThread::Run(LPVOID self) {
  auto* prefetch = static_cast<DataFilePrefetchThread*>(self);
  try {
    prefetch->result_ = PrefetchDataFile(prefetch->files_, prefetch->path_);
  } catch (...) {
    prefetch->result_.reset();  // start-up loads the file itself
  }
  return 0;
}

std::optional<PrefetchedDataFile> DataFilePrefetchThread::Finish() {
  if (thread_ == nullptr) return std::nullopt;
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  thread_ = nullptr;
  std::optional<PrefetchedDataFile> result = std::move(result_);
  result_.reset();
  return result;
}

}  // namespace mvx::win32

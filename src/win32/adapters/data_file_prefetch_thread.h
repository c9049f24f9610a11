#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "inventory/data_file_prefetch.h"

namespace mvx::win32 {

// The look ahead at the picture list's file on a thread of its own,
// started when made; its result waits for start-up (or goes with it).
class DataFilePrefetchThread : public DataFilePrefetch {
 public:
  DataFilePrefetchThread(FilePort& files, std::string path);
  ~DataFilePrefetchThread() override;
  DataFilePrefetchThread(const DataFilePrefetchThread&) = delete;
  DataFilePrefetchThread& operator=(const DataFilePrefetchThread&) = delete;

 protected:
  std::optional<PrefetchedDataFile> Finish() override;

 private:
  static DWORD WINAPI Run(LPVOID self);

  FilePort& files_;
  std::string path_;
  std::optional<PrefetchedDataFile> result_;
  HANDLE thread_ = nullptr;
};

}  // namespace mvx::win32

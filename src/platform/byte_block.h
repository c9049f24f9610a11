#pragma once
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace mvx {

// A block of bytes in memory of its own. Made to a size, it is not cleared
// first: a large file is read straight into the pages that will hold it,
// which the system then touches once instead of twice.
class ByteBlock {
 public:
  ByteBlock() = default;
  explicit ByteBlock(std::size_t size) : data_(size > 0 ? new char[size] : nullptr), size_(size) {}
  explicit ByteBlock(std::string_view bytes) : ByteBlock(bytes.size()) {
    if (!bytes.empty()) std::memcpy(data_.get(), bytes.data(), bytes.size());
  }

  char* data() { return data_.get(); }
  const char* data() const { return data_.get(); }
  std::size_t size() const { return size_; }
  std::string_view View() const { return {data_.get(), size_}; }
  // Keeps only the first `size` bytes (a file that shrank while read).
  void Shrink(std::size_t size) {
    if (size < size_) size_ = size;
  }

 private:
  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
};

}  // namespace mvx

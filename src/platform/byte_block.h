#pragma once
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

namespace mvx {

// A block of bytes. Made to a size, it is memory of its own and not cleared
// first: a large file is read straight into the pages that will hold it,
// which the system then touches once instead of twice. Made over bytes that
// something else holds (a file's view), it keeps that holder alive and lets
// it go with the block.
class ByteBlock {
 public:
  ByteBlock() = default;
  explicit ByteBlock(std::size_t size)
      : holder_(size > 0 ? std::shared_ptr<char[]>(new char[size]) : nullptr),
        data_(static_cast<char*>(holder_.get())),
        size_(size) {}
  explicit ByteBlock(std::string_view bytes) : ByteBlock(bytes.size()) {
    if (!bytes.empty()) std::memcpy(data_, bytes.data(), bytes.size());
  }
  // Bytes at data, held by holder until the block goes.
  ByteBlock(char* data, std::size_t size, std::shared_ptr<void> holder)
      : holder_(std::move(holder)), data_(data), size_(size), borrowed_(true) {}
  ByteBlock(ByteBlock&& other) noexcept { *this = std::move(other); }
  ByteBlock& operator=(ByteBlock&& other) noexcept {
    if (this == &other) return *this;
    holder_ = std::move(other.holder_);
    data_ = other.data_;
    size_ = other.size_;
    borrowed_ = other.borrowed_;
    other.data_ = nullptr;
    other.size_ = 0;
    other.borrowed_ = false;
    return *this;
  }
  ByteBlock(const ByteBlock&) = delete;
  ByteBlock& operator=(const ByteBlock&) = delete;

  char* data() { return data_; }
  const char* data() const { return data_; }
  std::size_t size() const { return size_; }
  std::string_view View() const { return {data_, size_}; }
  // The bytes are held by something else (a view of a file).
  bool Borrowed() const { return borrowed_; }
  // Keeps only the first `size` bytes (a file that shrank while read).
  void Shrink(std::size_t size) {
    if (size < size_) size_ = size;
  }

 private:
  std::shared_ptr<void> holder_;
  char* data_ = nullptr;
  std::size_t size_ = 0;
  bool borrowed_ = false;
};

}  // namespace mvx

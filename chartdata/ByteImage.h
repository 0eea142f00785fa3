#pragma once
// The bytes of a file in memory. Room is taken without being filled first:
// a file read into a zeroed buffer pays twice for every byte (the zeroing
// and the read), and for a cell of several megabytes that is most of what
// reading it costs. Zero bytes are data like any other.
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>

class ByteImage {
public:
  ByteImage() = default;
  ByteImage(ByteImage&& other) noexcept : bytes_(std::move(other.bytes_)), size_(other.size_) { other.size_ = 0; }
  ByteImage& operator=(ByteImage&& other) noexcept {
    bytes_ = std::move(other.bytes_);
    size_ = other.size_;
    other.size_ = 0;
    return *this;
  }
  ByteImage(const ByteImage&) = delete;
  ByteImage& operator=(const ByteImage&) = delete;

  // Room for `size` bytes, not filled: the caller writes them all (or keeps
  // fewer with `keep`). What was held before is dropped.
  char* allocate(size_t size) {
    bytes_.reset(size ? new char[size] : nullptr);  // new char[n]: left as it is, not zeroed
    size_ = size;
    return bytes_.get();
  }
  // Keeps the first `size` bytes (no more than are held).
  void keep(size_t size) {
    if (size < size_) size_ = size;
  }
  // A copy of `bytes`.
  void assign(std::string_view bytes) {
    if (!bytes.empty()) std::memcpy(allocate(bytes.size()), bytes.data(), bytes.size());
    else clear();
  }
  void clear() {
    bytes_.reset();
    size_ = 0;
  }

  char* data() { return bytes_.get(); }
  const char* data() const { return bytes_.get(); }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  std::string_view view() const { return {bytes_.get(), size_}; }

private:
  std::unique_ptr<char[]> bytes_;
  size_t size_ = 0;
};

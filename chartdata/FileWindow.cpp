#include "FileWindow.h"

#include <algorithm>
#include <cstring>

FileWindow::FileWindow(std::FILE* file, size_t limit)
    : file_(file), limit_(limit), capacity_(std::min(limit, kCapacity)) {
  buffer_.allocate(capacity_);
  ended_ = limit_ == 0;
}

std::string_view FileWindow::bytesAt(size_t offset, size_t count) {
  if (offset < start_) return {};
  count = std::min(count, capacity_);
  if (offset + count > start_ + filled_ && !ended_) {
    // What the buffer holds from `offset` on moves to its front; what lies
    // between the buffer's end and `offset` is stepped over in the file.
    const size_t end = start_ + filled_;
    if (offset >= end) {
      if (offset > end && std::fseek(file_, static_cast<long>(std::min(offset, limit_)), SEEK_SET) != 0) {
        failed_ = ended_ = true;
        return {};
      }
      start_ = std::min(offset, limit_);
      filled_ = 0;
      ended_ = start_ == limit_;
    } else if (offset > start_) {
      std::memmove(buffer_.data(), buffer_.data() + (offset - start_), end - offset);
      filled_ = end - offset;
      start_ = offset;
    }
    fill(offset - start_ + count);
  }
  const size_t at = offset - start_;
  if (at >= filled_) return {};
  return {buffer_.data() + at, std::min(count, filled_ - at)};
}

void FileWindow::fill(size_t wanted) {
  // As much as the buffer takes, in as few reads as the system gives it.
  char* const bytes = buffer_.data();
  while (filled_ < wanted && !ended_) {
    const size_t room = std::min(capacity_ - filled_, limit_ - (start_ + filled_));
    const size_t got = room ? std::fread(bytes + filled_, 1, room, file_) : 0;
    filled_ += got;
    if (start_ + filled_ == limit_) ended_ = true;
    if (got < room) {
      ended_ = true;
      failed_ = std::ferror(file_) != 0;
    }
  }
}

bool FileWindow::rewind() {
  start_ = filled_ = 0;
  ended_ = limit_ == 0;
  std::clearerr(file_);
  if (std::fseek(file_, 0, SEEK_SET) == 0) return true;
  failed_ = ended_ = true;
  return false;
}

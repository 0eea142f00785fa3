#pragma once
// The current fuzz input as a file, for readers that take a path: an
// anonymous memory file (nothing touches the disk), rewritten for every
// input and reached through its /proc/self/fd path.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

class FuzzInputFile {
public:
  FuzzInputFile() : fd_(memfd_create("chart-fuzz-input", 0)) {
    if (fd_ < 0) {
      std::perror("memfd_create");
      std::abort();
    }
    path_ = "/proc/self/fd/" + std::to_string(fd_);
  }
  FuzzInputFile(const FuzzInputFile&) = delete;
  FuzzInputFile& operator=(const FuzzInputFile&) = delete;

  // Replaces the content with `size` bytes; returns the path to open.
  const std::string& write(const uint8_t* data, size_t size) {
    if (ftruncate(fd_, 0) != 0) std::abort();
    size_t done = 0;
    while (done < size) {
      const ssize_t n = pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
      if (n <= 0) std::abort();
      done += static_cast<size_t>(n);
    }
    return path_;
  }

private:
  int fd_;
  std::string path_;
};

#include "StoreLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

StoreLock::StoreLock(const std::string& root, Mode mode, int waitMs) {
  const std::string path = root + "/lock";
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd_ < 0 && mode == Mode::Shared) fd_ = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd_ < 0) {
    held_ = mode == Mode::Shared && (errno == EACCES || errno == EROFS || errno == ENOENT);
    if (!held_) reason_ = path + ": " + std::strerror(errno);
    return;
  }
  const int operation = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    if (::flock(fd_, operation) == 0) {
      held_ = true;
      return;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) {
      reason_ = path + ": " + std::strerror(errno);
      return;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      busy_ = true;
      reason_ = "another program is using the chart store (" + root + ")";
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

StoreLock::~StoreLock() {
  if (fd_ >= 0) ::close(fd_);  // the lock goes with the descriptor
}

#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFileOpen openRegularFile(const std::string& path, std::FILE*& file, std::uint64_t& size) {
  file = nullptr;
  size = 0;
  struct stat info {};
  // Most files that are not regular are told by their name alone, before
  // anything is opened.
  if (::stat(path.c_str(), &info) != 0) return RegularFileOpen::CannotOpen;
  if (!S_ISREG(info.st_mode)) return RegularFileOpen::NotRegular;
  // The name may have been swapped for a FIFO since: the open does not wait
  // for a writer, and the descriptor is checked again.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return RegularFileOpen::CannotOpen;
  if (::fstat(fd, &info) != 0) {
    ::close(fd);
    return RegularFileOpen::CannotOpen;
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return RegularFileOpen::NotRegular;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  file = ::fdopen(fd, "rb");
  if (!file) {
    ::close(fd);
    return RegularFileOpen::CannotOpen;
  }
  size = static_cast<std::uint64_t>(info.st_size);
  return RegularFileOpen::Opened;
}

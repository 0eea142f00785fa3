#pragma once
// Opening a file to read it whole, only when it is a regular file. A FIFO,
// a device or a folder named like a cell would make a plain open or read
// wait forever or read without end; they are refused before any byte is
// read, and the open never blocks.
#include <cstdint>
#include <cstdio>
#include <string>

enum class RegularFileOpen {
  Opened,      // `file` is open for binary reading, `size` its length in bytes
  CannotOpen,  // absent, no permission, or the open failed
  NotRegular,  // a folder, FIFO, socket or device: not opened for reading
};

// `file` is set only when the result is Opened; the caller closes it.
RegularFileOpen openRegularFile(const std::string& path, std::FILE*& file, std::uint64_t& size);

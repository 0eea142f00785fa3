#pragma once
// A window that moves forward through a file: the bytes asked for are read
// into one buffer that is used again and again, so reading a file of any
// size takes the window's memory, not the file's. A cell of several
// megabytes read whole would cost a fresh page of memory (a page fault, and
// the page's zeroing by the system) for every 4 KB of it; the window stays
// in the cache.
//
// Offsets are counted from the start of the file and must not go back
// (rewind starts again); every byte is read once per pass.
#include <cstddef>
#include <cstdio>
#include <string_view>

#include "ByteImage.h"

class FileWindow {
public:
  // More than any ISO 8211 record, whose length has five digits.
  static constexpr size_t kCapacity = 256 * 1024;

  // Reads `file` from its start, at most `limit` bytes of it.
  FileWindow(std::FILE* file, size_t limit);

  // The bytes [offset, offset + count), fewer where the file (or the limit)
  // ends first, empty before the window's start. The view stays valid until
  // the next call.
  std::string_view bytesAt(size_t offset, size_t count);

  // Back to the start of the file; false when the file cannot seek.
  bool rewind();

  // A read failed: the window ended there.
  bool failed() const { return failed_; }

private:
  void fill(size_t wanted);

  std::FILE* file_;
  size_t limit_;
  size_t capacity_;
  ByteImage buffer_;
  size_t start_ = 0;   // the file offset of the buffer's first byte
  size_t filled_ = 0;  // bytes in the buffer; the file has been read up to start_ + filled_
  bool ended_ = false;
  bool failed_ = false;
};

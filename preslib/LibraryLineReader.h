#pragma once
// Hands out the lines of a library file the way fgets with a 1024-byte buffer
// does: a line of up to 1023 characters whole with its line feed, a longer one
// as several consecutive pieces. The file is read into memory at once and cut
// there. A carriage return right before a line feed is dropped, so a file
// saved with Windows line endings reads like one with plain line feeds.
#include <cstddef>
#include <string>
#include <string_view>

class LibraryLineReader {
public:
  static constexpr std::size_t kBufferSize = 1024;

  // Reads the whole file; false when it cannot be opened or read.
  bool open(const std::string& path);
  // Uses `text` as the file content.
  void assign(std::string text);

  // The next line piece; false at end of file. The view stays valid until
  // the next open or assign.
  bool next(std::string_view& line);

private:
  std::string text_;
  std::size_t position_ = 0;
};

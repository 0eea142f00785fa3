#include "LibraryLineReader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {
// Drops every carriage return that stands right before a line feed.
void dropCarriageReturns(std::string& text) {
  std::size_t out = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    text[out++] = text[i];
  }
  text.resize(out);
}
}  // namespace

bool LibraryLineReader::open(const std::string& path) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return false;
  std::string text;
  char chunk[65536];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) text.append(chunk, got);
  if (std::ferror(file.get())) return false;  // a directory, for one
  assign(std::move(text));
  return true;
}

void LibraryLineReader::assign(std::string text) {
  text_ = std::move(text);
  dropCarriageReturns(text_);
  position_ = 0;
}

bool LibraryLineReader::next(std::string_view& line) {
  if (position_ >= text_.size()) return false;
  const std::size_t limit = std::min(text_.size() - position_, kBufferSize - 1);
  const void* feed = std::memchr(text_.data() + position_, '\n', limit);
  const std::size_t length =
      feed ? static_cast<const char*>(feed) - (text_.data() + position_) + 1 : limit;
  line = std::string_view(text_.data() + position_, length);
  position_ += length;
  return true;
}

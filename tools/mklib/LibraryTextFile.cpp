#include "LibraryTextFile.h"

#include <cstdio>

#include "InputExcerpt.h"
#include "LibraryLine.h"

void LibraryTextFile::setError(const std::string& message) {
  if (error_.empty()) error_ = message;
}

void LibraryTextFile::line(std::string_view text) {
  if (text.find('\n') != std::string_view::npos || text.find('\r') != std::string_view::npos)
    setError("a line holds a line break: " + inputExcerpt(text));
  else if (text.size() + 1 > kLongestLine)
    setError("a line of " + std::to_string(text.size() + 1) + " characters is too long: " + inputExcerpt(text));
  text_.append(text);
  text_ += '\n';
}

void LibraryTextFile::field(std::string_view tag, std::string_view content) {
  char length[16];
  std::snprintf(length, sizeof length, "%5zu", content.size() + 1);
  std::string l;
  l.reserve(content.size() + 12);
  l.append(tag);
  l.append(length);
  l.append(content);
  l += kUnitSeparator;
  line(l);
}

void LibraryTextFile::terminator() { line(withoutLineFeed(recordTerminator)); }

std::string LibraryTextFile::number5(int value) {
  if (value < -9999 || value > 99999) {
    setError("the number " + std::to_string(value) + " does not fit five characters");
    value = 0;
  }
  char text[8];
  if (value < 0) std::snprintf(text, sizeof text, "-%04d", -value);
  else std::snprintf(text, sizeof text, "%05d", value);
  return text;
}

std::string singleLine(std::string_view text, std::size_t limit) {
  std::string out(text.substr(0, limit));
  if (text.size() > limit) {
    // Back up over a cut UTF-8 character: continuation bytes and their lead byte.
    std::size_t end = out.size();
    while (end > 0 && (static_cast<unsigned char>(out[end - 1]) & 0xC0) == 0x80) --end;
    if (end > 0 && (static_cast<unsigned char>(out[end - 1]) & 0x80)) --end;
    out.resize(end);
  }
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  return out;
}

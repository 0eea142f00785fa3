#pragma once
// Builds one library file in memory in the line layouts the readers take:
// plain lines, field lines (tag, five-character length, content, unit
// separator, line feed) and the record terminator. Every line must fit the
// readers' 1024-byte line buffer; the first line that does not, or that holds
// a line break, is kept as the file's error.
#include <cstddef>
#include <string>
#include <string_view>

class LibraryTextFile {
public:
  static constexpr std::size_t kLongestLine = 1023;  // line feed included

  void line(std::string_view text);
  void field(std::string_view tag, std::string_view content);
  void terminator();

  // A five-character number field: zero-padded, "-" first when negative.
  // Values outside -9999..99999 set the error.
  std::string number5(int value);

  const std::string& text() const { return text_; }
  const std::string& error() const { return error_; }
  void setError(const std::string& message);

private:
  std::string text_;
  std::string error_;
};

// The text with line breaks and other control characters made blanks, cut
// to at most `limit` bytes without splitting a UTF-8 character.
std::string singleLine(std::string_view text, std::size_t limit);

#include "AttributeValueReader.h"

#include <string_view>

#include "LibraryLine.h"
#include "LibraryLineReader.h"

namespace {
constexpr std::string_view kRecordStart = "<\n";
constexpr std::string_view kRecordEnd = ">\n";
constexpr std::size_t kCodeColumn = 6;  // after "Code: "
constexpr std::size_t kLongestCode = 9;

// Reads up to the next "<" line; false at end of file.
bool findRecordStart(LibraryLineReader& reader) {
  std::string_view line;
  while (reader.next(line))
    if (line == kRecordStart) return true;
  return false;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A whole unsigned number of at most nine digits.
bool readCode(std::string_view text, int& code) {
  if (text.empty() || text.size() > kLongestCode) return false;
  code = 0;
  for (char c : text) {
    if (!isDigit(c)) return false;
    code = code * 10 + (c - '0');
  }
  return true;
}
}  // namespace

LibraryResult readAttributeValueFile(const std::string& path, AttributeValueCatalogue& catalogue) {
  LibraryLineReader reader;
  if (!reader.open(path)) return LibraryResult::CannotOpen;
  std::string_view line;
  if (!reader.next(line) || line != kBeginLine) return LibraryResult::Ok;
  while (findRecordStart(reader) && reader.next(line)) {
    int attribute = 0;
    const bool known = readCode(columns(withoutLineFeed(line), kCodeColumn), attribute);
    while (reader.next(line) && line != kRecordEnd) {
      if (!known) continue;
      const std::string_view text = withoutLineFeed(line);
      const std::size_t colon = text.find(": ");
      int value = 0;
      if (colon == std::string_view::npos || !readCode(text.substr(0, colon), value)) continue;
      catalogue[attribute][value] = std::string(text.substr(colon + 2));
    }
  }
  return LibraryResult::Ok;
}

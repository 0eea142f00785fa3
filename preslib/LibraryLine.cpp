#include "LibraryLine.h"

#include <climits>

std::string_view columns(std::string_view text, std::size_t from, std::size_t count) {
  if (from >= text.size()) return {};
  return text.substr(from, count);
}

std::string_view fieldContent(std::string_view line) {
  if (line.size() < kFieldContentColumn + 2) return {};
  return line.substr(kFieldContentColumn, line.size() - kFieldContentColumn - 2);
}

std::string_view withoutLineFeed(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  return line;
}

int readDecimal(std::string_view text) {
  std::size_t i = 0;
  auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (i < text.size() && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  return static_cast<int>(value);
}

#pragma once
// Decimal numbers in record leaders and directory entries, read the way C
// atoi reads them: leading blanks skipped, an optional sign, digits up to the
// first other character, 0 when there are none. The text is a bounded view,
// so a number at the very end of a record never reads past it.
#include <string_view>

inline int decimalNumber(std::string_view text) {
  // Leaders and directory entries hold nothing but digits, at most nine of
  // them, and such a number is read at once.
  if (!text.empty() && text.size() <= 9) {
    unsigned value = 0;
    size_t i = 0;
    for (; i < text.size(); ++i) {
      const unsigned digit = static_cast<unsigned char>(text[i]) - unsigned('0');
      if (digit > 9) break;
      value = value * 10 + digit;
    }
    if (i == text.size()) return static_cast<int>(value);
  }
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > 2147483647LL) value = 2147483647LL;  // saturate instead of overflowing
  }
  return static_cast<int>(negative ? -value : value);
}

// The bytes [pos, pos + count) of text, cut at its end (empty when pos is past it).
inline std::string_view boundedSlice(std::string_view text, size_t pos, size_t count) {
  if (pos >= text.size()) return {};
  return text.substr(pos, count);
}

#pragma once
// The code of one enumerated value as an attribute's text holds it ("4" of
// "4,1"): at most nine digits, else -1, so that no text can name a value.
#include <string_view>

inline int enumeratedCode(std::string_view text) {
  if (text.empty() || text.size() > 9) return -1;
  int code = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    code = code * 10 + (c - '0');
  }
  return code;
}

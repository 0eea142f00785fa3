#include "HexDigits.h"

namespace {

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

bool isHexDigit(char c) { return digitValue(c) >= 0; }

std::string hexUpper(const unsigned char* bytes, std::size_t size) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text(size * 2, '0');
  for (std::size_t i = 0; i < size; ++i) {
    text[2 * i] = kDigits[bytes[i] >> 4];
    text[2 * i + 1] = kDigits[bytes[i] & 0x0F];
  }
  return text;
}

std::string hexUpper32(std::uint32_t value) {
  const unsigned char bytes[4] = {static_cast<unsigned char>(value >> 24), static_cast<unsigned char>(value >> 16),
                                  static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value)};
  return hexUpper(bytes, 4);
}

bool decodeHex(std::string_view text, unsigned char* bytes, std::size_t size) {
  if (text.size() != size * 2) return false;
  for (std::size_t i = 0; i < size; ++i) {
    const int high = digitValue(text[2 * i]);
    const int low = digitValue(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    bytes[i] = static_cast<unsigned char>(high << 4 | low);
  }
  return true;
}

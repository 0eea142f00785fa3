#pragma once
// Hexadecimal text as the scheme writes its keys, permits and checksums:
// upper-case digits, two per byte, the first byte first.
#include <cstdint>
#include <string>
#include <string_view>

// "73871727080876A0" for those eight bytes.
std::string hexUpper(const unsigned char* bytes, std::size_t size);
std::string hexUpper32(std::uint32_t value);  // eight digits, the high byte first

// Decodes exactly 2 * size digits (either case) into `bytes`; false when
// `text` has another length or a character that is no hex digit.
bool decodeHex(std::string_view text, unsigned char* bytes, std::size_t size);

bool isHexDigit(char c);

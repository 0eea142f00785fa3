#pragma once
// CRC-32 as exchange set catalogues give it for each file (the polynomial
// 0x04C11DB7 reflected, initial value and final XOR 0xFFFFFFFF: the CRC of
// ZIP and PNG).
#include <cstdint>
#include <string>
#include <string_view>

// Continues a CRC over more bytes; start with crc32Update(0, first part).
std::uint32_t crc32Update(std::uint32_t crc, std::string_view bytes);

inline std::uint32_t crc32(std::string_view bytes) { return crc32Update(0, bytes); }

// The CRC of a whole file, read in pieces; false when it cannot be read or
// is not a regular file (a FIFO is never waited on).
bool fileCrc32(const std::string& path, std::uint32_t& crc);

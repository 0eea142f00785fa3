#pragma once
// Little-endian binary subfields (b11, b12, b14, b24).
#include <cstdint>
#include <string_view>

// Width 1: the byte unsigned (0..255); width 2: unsigned 16-bit; width 4:
// signed 32-bit two's complement. Any other width, or fewer than `width`
// bytes in `bytes`, gives 0. Only the first `width` bytes are read.
int32_t binaryValue(std::string_view bytes, int width);

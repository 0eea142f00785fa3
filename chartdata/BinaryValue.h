#pragma once
// Little-endian binary subfields (b11, b12, b14, b24).
#include <cstdint>
#include <string_view>

// Width 1: the byte unsigned (0..255); width 2: unsigned 16-bit; width 4:
// signed 32-bit two's complement. Any other width, or fewer than `width`
// bytes in `bytes`, gives 0. Only the first `width` bytes are read.
// Inline: the decoders read several per record and the coordinate fields
// two or three per vertex.
inline int32_t binaryValue(std::string_view bytes, int width) {
  if (width != 1 && width != 2 && width != 4) return 0;
  if (bytes.size() < static_cast<size_t>(width)) return 0;
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
  switch (width) {
    case 1: return b[0];
    case 2: return static_cast<int32_t>(b[0] | (b[1] << 8));
    default: {
      const uint32_t u = uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) |
                         (uint32_t(b[3]) << 24);
      return static_cast<int32_t>(u);
    }
  }
}

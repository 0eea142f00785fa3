#pragma once
// A small GIF89a writer for indexed images: a global colour table, an
// endlessly looping animation and LZW-compressed frames. Qt reads GIF files
// but has no writer for them, so the loading animation is written with this.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace gif {

struct Colour {
  std::uint8_t red = 0, green = 0, blue = 0;
};

// One frame: width × height colour indices, row by row.
struct Frame {
  std::vector<std::uint8_t> pixels;
  int delayCentiseconds = 8;
};

struct Animation {
  int width = 0;
  int height = 0;
  std::vector<Colour> palette;  // 2 to 256 colours; padded to a power of two
  int transparentIndex = -1;    // -1: every index is opaque
  std::vector<Frame> frames;
};

// The LZW code stream of one frame's indices (before it is cut into
// sub-blocks), for the given minimum code size (2 to 8).
std::vector<std::uint8_t> lzwCompress(const std::vector<std::uint8_t>& indices, int minimumCodeSize);

// The whole file. Returns an empty string when the animation is malformed
// (no frames, a frame of the wrong size, an index outside the palette, or a
// palette of more than 256 colours).
std::string encode(const Animation& animation);

}  // namespace gif

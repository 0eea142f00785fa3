#include "GifWriter.h"

#include <algorithm>
#include <unordered_map>

namespace gif {

namespace {

// Packs variable-width codes least significant bit first, as GIF wants.
class CodePacker {
public:
  void put(int code, int width) {
    buffer_ |= static_cast<std::uint32_t>(code) << bits_;
    bits_ += width;
    while (bits_ >= 8) {
      out_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
      buffer_ >>= 8;
      bits_ -= 8;
    }
  }
  std::vector<std::uint8_t> finish() {
    if (bits_ > 0) out_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
    buffer_ = 0;
    bits_ = 0;
    return std::move(out_);
  }

private:
  std::vector<std::uint8_t> out_;
  std::uint32_t buffer_ = 0;
  int bits_ = 0;
};

void putWord(std::string& out, int value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

// Smallest n (1..8) with 2^n >= count.
int tableBits(size_t count) {
  int bits = 1;
  while ((size_t{1} << bits) < count) ++bits;
  return bits;
}

}  // namespace

std::vector<std::uint8_t> lzwCompress(const std::vector<std::uint8_t>& indices, int minimumCodeSize) {
  const int clearCode = 1 << minimumCodeSize;
  const int endCode = clearCode + 1;
  constexpr int kMaxCodes = 4096;

  CodePacker packer;
  std::unordered_map<std::uint32_t, int> table;  // (prefix code << 8 | next index) -> code
  int nextCode = endCode + 1;
  int width = minimumCodeSize + 1;
  packer.put(clearCode, width);
  if (indices.empty()) {
    packer.put(endCode, width);
    return packer.finish();
  }

  int prefix = indices[0];
  for (size_t i = 1; i < indices.size(); ++i) {
    const std::uint8_t k = indices[i];
    const std::uint32_t key = static_cast<std::uint32_t>(prefix) << 8 | k;
    if (auto found = table.find(key); found != table.end()) {
      prefix = found->second;
      continue;
    }
    packer.put(prefix, width);
    if (nextCode < kMaxCodes) {
      table.emplace(key, nextCode++);
      // The decoder adds its entries one code later than we do, so it
      // widens its codes when our next code has passed the current range.
      if (nextCode > (1 << width) && width < 12) ++width;
    } else {
      packer.put(clearCode, width);
      table.clear();
      nextCode = endCode + 1;
      width = minimumCodeSize + 1;
    }
    prefix = k;
  }
  packer.put(prefix, width);
  packer.put(endCode, width);
  return packer.finish();
}

std::string encode(const Animation& animation) {
  const size_t pixelCount = static_cast<size_t>(animation.width) * static_cast<size_t>(animation.height);
  if (animation.frames.empty() || animation.palette.empty() || animation.palette.size() > 256 ||
      animation.width <= 0 || animation.height <= 0 || animation.width > 0xFFFF ||
      animation.height > 0xFFFF)
    return {};
  for (const Frame& f : animation.frames) {
    if (f.pixels.size() != pixelCount) return {};
    for (std::uint8_t p : f.pixels)
      if (p >= animation.palette.size()) return {};
  }

  const int bits = tableBits(animation.palette.size());
  std::string out = "GIF89a";
  putWord(out, animation.width);
  putWord(out, animation.height);
  out += static_cast<char>(0x80 | 0x70 | (bits - 1));  // global table, 8-bit colour resolution
  out += '\0';                                          // background colour index
  out += '\0';                                          // square pixels
  for (size_t i = 0; i < (size_t{1} << bits); ++i) {
    const Colour c = i < animation.palette.size() ? animation.palette[i] : Colour{};
    out += static_cast<char>(c.red);
    out += static_cast<char>(c.green);
    out += static_cast<char>(c.blue);
  }
  // Loop for ever.
  out += "\x21\xFF\x0BNETSCAPE2.0\x03\x01";
  putWord(out, 0);
  out += '\0';

  const int minimumCodeSize = bits < 2 ? 2 : bits;
  for (const Frame& f : animation.frames) {
    // Graphic control: restore to background before the next frame.
    out += "\x21\xF9\x04";
    out += static_cast<char>(0x08 | (animation.transparentIndex >= 0 ? 0x01 : 0x00));
    putWord(out, f.delayCentiseconds);
    out += static_cast<char>(animation.transparentIndex >= 0 ? animation.transparentIndex : 0);
    out += '\0';
    // Image descriptor: the whole screen, no local table, not interlaced.
    out += '\x2C';
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, animation.width);
    putWord(out, animation.height);
    out += '\0';
    out += static_cast<char>(minimumCodeSize);
    const std::vector<std::uint8_t> data = lzwCompress(f.pixels, minimumCodeSize);
    for (size_t at = 0; at < data.size(); at += 255) {
      const size_t n = std::min<size_t>(255, data.size() - at);
      out += static_cast<char>(n);
      out.append(reinterpret_cast<const char*>(data.data() + at), n);
    }
    out += '\0';
  }
  out += '\x3B';
  return out;
}

}  // namespace gif

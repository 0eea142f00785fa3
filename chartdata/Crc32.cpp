#include "Crc32.h"

#include <array>
#include <cstdio>

#include "RegularFile.h"

namespace {

// Eight tables: eight bytes per step (slice-by-8).
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

Tables makeTables() {
  Tables t{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (std::uint32_t i = 0; i < 256; ++i)
    for (size_t s = 1; s < 8; ++s) t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
  return t;
}

const Tables& tables() {
  static const Tables t = makeTables();
  return t;
}

}  // namespace

std::uint32_t crc32Update(std::uint32_t crc, std::string_view bytes) {
  const Tables& t = tables();
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  size_t n = bytes.size();
  crc = ~crc;
  while (n >= 8) {
    const std::uint32_t low = crc ^ (std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 |
                                     std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24);
    crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
          t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
    p += 8;
    n -= 8;
  }
  while (n--) crc = t[0][(crc ^ *p++) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

bool fileCrc32(const std::string& path, std::uint32_t& crc) {
  std::FILE* file = nullptr;
  std::uint64_t size = 0;
  if (openRegularFile(path, file, size) != RegularFileOpen::Opened) return false;
  crc = 0;
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) crc = crc32Update(crc, std::string_view(buffer, got));
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return !failed;
}

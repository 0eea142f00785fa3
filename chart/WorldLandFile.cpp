#include "WorldLandFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>

namespace {
constexpr char kTag[4] = {'C', 'H', 'W', 'B'};
constexpr std::uint32_t kVersion = 1;
constexpr double kUnitsPerDegree = 1e7;

void putU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void putI32(std::string& out, std::int32_t v) { putU32(out, static_cast<std::uint32_t>(v)); }
void putF32(std::string& out, float v) {
  std::uint32_t bits;
  std::memcpy(&bits, &v, 4);
  putU32(out, bits);
}
std::int32_t degreesToUnits(double degrees, double limit) {
  if (!(degrees == degrees)) degrees = 0;  // NaN
  return static_cast<std::int32_t>(std::lround(std::clamp(degrees, -limit, limit) * kUnitsPerDegree));
}

// Reads little-endian values within the byte count, remembering the first
// shortfall.
struct Cursor {
  const unsigned char* at;
  std::size_t left;
  std::size_t size;

  std::size_t offset() const { return size - left; }
  bool u32(std::uint32_t& v) {
    if (left < 4) return false;
    v = static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
        static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
    at += 4, left -= 4;
    return true;
  }
};

bool fail(std::string& error, const std::string& what, std::size_t offset) {
  error = what + " at byte " + std::to_string(offset);
  return false;
}
}  // namespace

std::string encodeWorldLand(const WorldLandData& data) {
  std::string out(kTag, 4);
  putU32(out, kVersion);
  putU32(out, static_cast<std::uint32_t>(data.levels.size()));
  for (const WorldLandLevel& level : data.levels) {
    putF32(out, level.fromScale);
    putU32(out, static_cast<std::uint32_t>(level.polygons.size()));
    for (const WorldLandPolygon& polygon : level.polygons) {
      putU32(out, static_cast<std::uint32_t>(polygon.rings.size()));
      for (const auto& ring : polygon.rings) {
        putU32(out, static_cast<std::uint32_t>(ring.size()));
        for (const GeoPoint& p : ring) {
          putI32(out, degreesToUnits(p.longitude, 180.0));
          putI32(out, degreesToUnits(p.latitude, 90.0));
        }
      }
    }
  }
  return out;
}

bool decodeWorldLand(const char* bytes, std::size_t size, WorldLandData& data, std::string& error) {
  data.levels.clear();
  WorldLandData result;
  Cursor c{reinterpret_cast<const unsigned char*>(bytes), size, size};
  if (size < 4 || std::memcmp(bytes, kTag, 4) != 0) return fail(error, "not a world land file (no CHWB tag)", 0);
  c.at += 4, c.left -= 4;
  std::uint32_t version = 0, levels = 0;
  if (!c.u32(version) || !c.u32(levels)) return fail(error, "file ends inside the header", c.offset());
  if (version != kVersion) return fail(error, "unknown version " + std::to_string(version), 4);
  // Every count is checked against what the bytes left can hold, so a
  // hostile count costs nothing before it is refused.
  if (levels > c.left / 8) return fail(error, "level count " + std::to_string(levels) + " too large", 8);
  result.levels.resize(levels);
  for (WorldLandLevel& level : result.levels) {
    std::uint32_t scaleBits = 0, polygons = 0;
    if (!c.u32(scaleBits) || !c.u32(polygons)) return fail(error, "file ends inside a level header", c.offset());
    std::memcpy(&level.fromScale, &scaleBits, 4);
    if (!std::isfinite(level.fromScale) || level.fromScale < 0)
      return fail(error, "level scale is not a finite number of 0 or more", c.offset() - 8);
    if (polygons > c.left / 4)
      return fail(error, "polygon count " + std::to_string(polygons) + " too large", c.offset() - 4);
    level.polygons.resize(polygons);
    for (WorldLandPolygon& polygon : level.polygons) {
      std::uint32_t rings = 0;
      if (!c.u32(rings)) return fail(error, "file ends inside a polygon", c.offset());
      if (rings > c.left / 4) return fail(error, "ring count " + std::to_string(rings) + " too large", c.offset() - 4);
      polygon.rings.resize(rings);
      for (auto& ring : polygon.rings) {
        std::uint32_t points = 0;
        if (!c.u32(points)) return fail(error, "file ends inside a ring", c.offset());
        if (points > c.left / 8)
          return fail(error, "point count " + std::to_string(points) + " too large", c.offset() - 4);
        ring.resize(points);
        for (GeoPoint& p : ring) {
          std::uint32_t x = 0, y = 0;
          c.u32(x), c.u32(y);  // room checked above
          p.longitude = static_cast<std::int32_t>(x) / kUnitsPerDegree;
          p.latitude = static_cast<std::int32_t>(y) / kUnitsPerDegree;
          if (std::fabs(p.longitude) > 180.0 || std::fabs(p.latitude) > 90.0)
            return fail(error, "position outside +-180, +-90 degrees", c.offset() - 8);
        }
      }
    }
  }
  if (c.left != 0) return fail(error, std::to_string(c.left) + " bytes after the last level", c.offset());
  data = std::move(result);
  return true;
}

bool readWorldLandFile(const std::string& path, WorldLandData& data, std::string& error) {
  data.levels.clear();
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) {
    error = path + ": cannot be opened";
    return false;
  }
  const std::streamoff size = in.tellg();
  std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  in.seekg(0);
  if (size < 0 || !in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
    error = path + ": cannot be read";
    return false;
  }
  if (!decodeWorldLand(bytes.data(), bytes.size(), data, error)) {
    error = path + ": " + error;
    return false;
  }
  return true;
}

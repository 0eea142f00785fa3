#pragma once
// The world base map's land polygons as the program keeps them on disk: a
// compact little-endian file written once at set-up (`enctool basemap`) and
// read at start.
//
//   "CHWB", version 1, level count                      (three uint32 after the tag)
//   per level:  fromScale (float32), polygon count      (uint32)
//   per polygon: ring count (uint32), the exterior ring first, then its holes
//   per ring:    point count (uint32), then longitude and latitude of each
//                point as int32 in 1e-7 degrees
//
// Levels run from the coarsest to the finest; a level serves views of scale
// `fromScale` and above that no coarser level serves.
#include <string>
#include <vector>

#include "MercatorProjection.h"

struct WorldLandPolygon {
  std::vector<std::vector<GeoPoint>> rings;  // exterior, then holes; not closed
};

struct WorldLandLevel {
  float fromScale = 0;
  std::vector<WorldLandPolygon> polygons;
};

struct WorldLandData {
  std::vector<WorldLandLevel> levels;
};

// The file's bytes. Positions are rounded to 1e-7 degrees; longitudes and
// latitudes outside +-180 and +-90 are clamped.
std::string encodeWorldLand(const WorldLandData& data);

// Decodes `size` bytes. On a bad tag or version, a count larger than the
// bytes left can hold, a truncated file or trailing bytes, `data` is left
// empty and `error` says what is wrong and where.
bool decodeWorldLand(const char* bytes, std::size_t size, WorldLandData& data, std::string& error);

// Reads and decodes a file (error names the file when it cannot be read).
bool readWorldLandFile(const std::string& path, WorldLandData& data, std::string& error);

#pragma once
// Where rendered tiles go: an XYZ folder or an MBTiles file. A sink is used
// from one thread only.
#include <QByteArray>
#include <memory>
#include <string>

#include "WebMercatorTiles.h"

namespace tiles {

class TileSink {
public:
  virtual ~TileSink() = default;
  // Stores one tile's PNG; false when it cannot (the reason in error()).
  virtual bool write(const TileId& tile, const QByteArray& png) = 0;
  // Makes every tile written so far durable.
  virtual bool flush() = 0;
  const std::string& error() const { return error_; }

protected:
  std::string error_;
};

// What an MBTiles file says of its tiles.
struct TileSetDescription {
  std::string name;
  std::string description;
  GeoBox bounds;
  int minZoom = 0, maxZoom = 0;
};

// Z/X/Y.png under `directory` (created when missing). Each file is written
// under a temporary name and renamed when complete, so a tile is either
// whole or absent. Null with the reason in `error` when the folder cannot
// be made or written to.
std::unique_ptr<TileSink> openXyzFolder(const std::string& directory, std::string& error);

// A new MBTiles 1.3 file: tables `metadata` and `tiles` (rows in TMS order)
// and the metadata written at once; tiles are added in transactions that
// flush() commits, so a run cut short leaves a valid file with the tiles of
// every finished batch. An existing file is refused and left alone. Null
// with the reason in `error` when the file cannot be made.
std::unique_ptr<TileSink> openMbtiles(const std::string& path, const TileSetDescription& description,
                                      std::string& error);

// Whether `out` can be written at all, checked before the long work starts:
// the folder can be made and written in, or the MBTiles file does not exist
// yet and its folder can be written in. False with the reason in `error`.
bool checkOutput(const std::string& out, bool mbtiles, std::string& error);

}  // namespace tiles

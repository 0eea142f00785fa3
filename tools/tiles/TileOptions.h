#pragma once
// The command line of enctool tiles:
//   --library DIR (--cells DIR | --store DIR | CELL...) --zoom Z1-Z2 [--bbox S,W,N,E]
//   [--scheme 1..5] [--paper] [--soundings] [--contours N]
//   --out DIR|FILE.mbtiles [--jobs N] [--part K/N]
#include <string>
#include <vector>

#include "WebMercatorTiles.h"

namespace tiles {

constexpr int kMaximumJobs = 256;

struct TileOptions {
  std::string library;
  std::string cellDirectory;
  std::string storeDirectory;      // a chart store: its cells in use
  std::vector<std::string> cells;  // the cells given, or those of the directory
  int minZoom = -1, maxZoom = -1;
  bool hasBox = false;
  GeoBox box;
  int scheme = 1;
  bool paper = false, soundings = false;
  int contours = 10;
  std::string out;
  bool mbtiles = false;  // --out ends in .mbtiles
  int jobs = 1;
  int part = 1, parts = 1;
};

// Reads the options; false with the reason in `error` for a usage error.
// The cells of --cells DIR are listed (*.000, by name).
bool parseTileOptions(int argc, char** argv, TileOptions& options, std::string& error);

}  // namespace tiles

#pragma once
// The library's drawings as the views of one engine draw them: the
// symbols, patterns and line styles of the presentation library, the
// pattern tiles made from them and the log of the names it lacks. Views
// drawing at once on several threads share it: the library is only read,
// the tiles and the log are locked.
#include "MissingDrawingLog.h"
#include "PatternTileCache.h"
#include "PresentationLibrary.h"

struct LibraryDrawings {
  explicit LibraryDrawings(const PresentationLibrary& library) : library(library) {}
  LibraryDrawings(const LibraryDrawings&) = delete;
  LibraryDrawings& operator=(const LibraryDrawings&) = delete;

  const PresentationLibrary& library;  // outlives this
  PatternTileCache patternTiles;
  MissingDrawingLog missing;
};

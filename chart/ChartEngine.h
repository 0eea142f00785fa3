#pragma once
// The chart engine: everything the chart display, enctool, the tests and
// the benchmarks load and draw with, in one object handed to what needs
// it. It owns the presentation library (or knows why it has none), the
// cell list, the world base map, the library's drawings (the pattern tiles
// and the log of the drawings the library lacks) and the chart font.
// Nothing of it is process-wide: two engines share none of it.
//
// Threads: the library is read-only once the engine is made. Loading
// threads append to the cell list while views draw from snapshots of it;
// the pattern tiles, the log, the chart font and the base map's projection
// are locked, so views may draw at once on several threads. What a pass
// writes belongs to the view (ChartView).
#include <string>

#include "CellList.h"
#include "CellLoad.h"
#include "CellLoadResult.h"
#include "ChartFont.h"
#include "LibraryDrawings.h"
#include "LibraryResult.h"
#include "PresentationLibrary.h"
#include "WorldBaseMap.h"

struct ViewGeometry;

class ChartEngine {
public:
  // An engine over the library read from `libraryDirectory` (`report`: what
  // a reader prints of a file it cannot open). hasLibrary() tells whether
  // it read whole; if not, libraryResult() says why, and no cell loads.
  explicit ChartEngine(const std::string& libraryDirectory,
                       MissingFileReport report = MissingFileReport::PrintError);
  // An engine over a library at hand (a test's, a tool's own).
  explicit ChartEngine(PresentationLibrary library);
  ChartEngine(const ChartEngine&) = delete;
  ChartEngine& operator=(const ChartEngine&) = delete;

  bool hasLibrary() const { return libraryResult_ == LibraryResult::Ok; }
  LibraryResult libraryResult() const { return libraryResult_; }
  const PresentationLibrary& library() const { return library_; }

  CellList& cells() { return cells_; }
  const CellList& cells() const { return cells_; }
  WorldBaseMap& worldBaseMap() { return worldBaseMap_; }
  LibraryDrawings& drawings() { return drawings_; }
  ChartFont& chartFont() { return chartFont_; }
  const ChartFont& chartFont() const { return chartFont_; }

  // Registers the application font ":/syn.ttf" compiled into the chart
  // library as the chart font (the font stays Times New Roman without a
  // QGuiApplication).
  void registerChartFont();

  // loadCell (CellLoad.h) into this engine's cell list with its library;
  // noLibrary, nothing read, when the engine has no library.
  CellLoadResult loadCell(const std::string& path, ViewGeometry* centreOn = nullptr,
                          const CellLoadOptions& options = CellLoadOptions(), CellLoadReport* report = nullptr);

private:
  PresentationLibrary library_;
  LibraryResult libraryResult_ = LibraryResult::Ok;
  LibraryDrawings drawings_{library_};
  CellList cells_;
  WorldBaseMap worldBaseMap_;
  ChartFont chartFont_;
};

// The folders and files the chart display starts from, in its working
// directory.
constexpr const char* kLibraryDirectory = "S57Lib";
constexpr const char* kCellDirectory = "s57000";

// How the chart display's start went.
enum class EngineResult {
  Ok = 0,
  NoLibrary = 1,     // the library did not read whole (the engine's libraryResult says why)
  NoCellFolder = 2,  // the folder of cells is missing
};

// The rest of the chart display's start, once the engine has read its
// library: registers the chart font and loads the world base map from
// kWorldLandFile (without it, a warning in the log and no base map). With
// no library it does nothing and gives NoLibrary; else NoCellFolder when
// kCellDirectory is missing, Ok when it is there.
EngineResult startEngine(ChartEngine& engine);

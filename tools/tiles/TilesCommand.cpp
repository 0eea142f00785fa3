// enctool tiles --library DIR (--cells DIR | --store DIR | CELL...) --zoom Z1-Z2
//   [--bbox S,W,N,E] [--scheme 1..5] [--paper] [--soundings] [--contours N]
//   --out DIR|FILE.mbtiles [--jobs N] [--part K/N]
//
// Loads the cells as the chart window does and renders 256 x 256 PNG tiles
// of the Web Mercator grid, zoom Z1 to Z2, over the box (by default the
// cells' area), into an XYZ folder Z/X/Y.png or an MBTiles file. Tiles that
// show no chart are not stored. --jobs renders on N threads, --part renders
// the K-th of N parts of the tile set (see TileSet.h), so that separate
// processes or machines can share the work. Progress goes to standard error;
// the last line on standard output is JSON:
//   {"tiles_written":..,"tiles_skipped":..,"seconds":..,"tiles_per_second":..,
//    "tiles":..,"cells_loaded":..,"out":..}
// A usage error exits with 2, an output that cannot be written or a library
// that cannot be loaded with 1 (nothing rendered); a cell that cannot be
// loaded is named on standard error and makes the exit status 1, the others
// are rendered.
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "CellLoading.h"
#include "CellSources.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "Json.h"
#include "RenderedTileQueue.h"
#include "TextShaping.h"
#include "TileDispenser.h"
#include "TileImage.h"
#include "TileOptions.h"
#include "TileProgress.h"
#include "TileRenderer.h"
#include "TileSet.h"
#include "TileSink.h"

namespace tiles {

namespace {

void printTilesUsage() {
  std::fprintf(stderr,
               "usage: enctool tiles --library DIR (--cells DIR | --store DIR | CELL...) --zoom Z1-Z2 [--bbox S,W,N,E]\n"
               "         [--scheme 1..5] [--paper] [--soundings] [--contours 5|10|20]\n"
               "         --out DIR|FILE.mbtiles [--jobs N] [--part K/N]\n");
}

void report(const std::string& message) { std::fprintf(stderr, "enctool tiles: %s\n", message.c_str()); }

// An engine over the library, with the chart font, as the window's start-up
// makes it; null (the reason reported) when the library does not load.
std::unique_ptr<ChartEngine> startFromLibrary(const std::string& directory) {
  if (!QFileInfo(QString::fromStdString(directory)).isDir()) {
    report("no presentation library directory '" + directory + "'");
    return nullptr;
  }
  auto engine = std::make_unique<ChartEngine>(directory, MissingFileReport::Silent);
  const LibraryResult code = engine->libraryResult();
  if (code != LibraryResult::Ok) {
    report("cannot load the presentation library from '" + directory + "' (code " +
           std::to_string(resultCode(code)) + ")");
    return nullptr;
  }
  engine->registerChartFont();
  return engine;
}

// The window's start values, with what the options change. Cell boundaries
// are off: they are no part of a chart that tiles show.
DisplaySettings tileSettings(const TileOptions& o, const PresentationLibrary& library) {
  DisplaySettings s(library);
  s.setContourSet(o.contours);
  s.setDisplayCategory(1);
  s.setColourScheme(o.scheme);
  s.setSymbolStyle(o.paper ? 1 : 2);
  s.setTextLanguage(1);
  s.setShowSoundings(o.soundings ? 1 : 2);
  s.setShowCellBoundaries(2);
  return s;
}

// The areas of the cells' coverage, degrees. An extent across the 180th
// meridian gives one area on each side of it.
std::vector<GeoBox> cellAreas(const std::vector<S57Cell*>& cells) {
  std::vector<GeoBox> areas;
  for (const S57Cell* cell : cells) {
    for (const ChartBox& b : cell->extents) {
      const GeoPoint southWest = chartToGeo({b.minX, b.minY});
      const GeoPoint northEast = chartToGeo({b.maxX, b.maxY});
      const double south = southWest.latitude, north = northEast.latitude;
      if (b.maxX - b.minX >= mercator::kWorldWidth) {
        areas.push_back({south, -180, north, 180});
      } else if (northEast.longitude < southWest.longitude) {
        areas.push_back({south, southWest.longitude, north, 180});
        areas.push_back({south, -180, north, northEast.longitude});
      } else {
        areas.push_back({south, southWest.longitude, north, northEast.longitude});
      }
    }
  }
  return areas;
}

// The box the tiles cover: the cells' area, within --bbox when given.
GeoBox coveredBox(const TileOptions& o, const std::vector<GeoBox>& areas) {
  GeoBox all = areas.front();
  for (const GeoBox& a : areas) {
    all.south = std::min(all.south, a.south);
    all.west = std::min(all.west, a.west);
    all.north = std::max(all.north, a.north);
    all.east = std::max(all.east, a.east);
  }
  if (!o.hasBox) return all;
  return {std::max(all.south, o.box.south), std::max(all.west, o.box.west), std::min(all.north, o.box.north),
          std::min(all.east, o.box.east)};
}

struct Counts {
  long long written = 0, skipped = 0;
  bool writeFailed = false;
};

// Renders the dispenser's tiles on `jobs` threads and stores them from this
// thread, committing at least every second.
Counts renderTiles(ChartEngine& engine, const std::vector<S57Cell*>& cells, const DisplaySettings& settings,
                   TileDispenser& dispenser, int jobs, TileSink& sink, TileProgress& progress) {
  RenderedTileQueue queue(static_cast<size_t>(4 * jobs + 16), jobs);
  // The workers draw texts at once: text shaping starts here, on one thread.
  warmTextShaping(engine.chartFont().font());
  std::vector<std::thread> workers;
  for (int j = 0; j < jobs; ++j) {
    workers.emplace_back([&] {
      TileRenderer renderer(engine, cells, settings);
      TileId tile;
      while (dispenser.take(tile)) {
        RenderedTile out;
        out.tile = tile;
        out.drawn = renderer.render(tile);
        if (out.drawn) out.png = encodePng(renderer.image());
        if (!queue.push(std::move(out))) break;
      }
      queue.producerDone();
    });
  }

  Counts counts;
  auto lastFlush = std::chrono::steady_clock::now();
  RenderedTile item;
  while (queue.pop(item)) {
    if (item.drawn) {
      if (item.png.isEmpty()) {
        report("cannot encode tile " + std::to_string(item.tile.z) + "/" + std::to_string(item.tile.x) + "/" +
               std::to_string(item.tile.y) + " as PNG");
        counts.writeFailed = true;
      } else if (!sink.write(item.tile, item.png)) {
        report(sink.error());
        counts.writeFailed = true;
      }
      if (counts.writeFailed) {
        queue.cancel();
        break;
      }
      ++counts.written;
    } else {
      ++counts.skipped;
    }
    progress.update(counts.written + counts.skipped);
    const auto now = std::chrono::steady_clock::now();
    if (now - lastFlush >= std::chrono::seconds(1)) {
      lastFlush = now;
      if (!sink.flush()) {
        report(sink.error());
        counts.writeFailed = true;
        queue.cancel();
        break;
      }
    }
  }
  for (std::thread& w : workers) w.join();
  if (!counts.writeFailed && !sink.flush()) {
    report(sink.error());
    counts.writeFailed = true;
  }
  return counts;
}

}  // namespace

}  // namespace tiles

int runTilesCommand(int argc, char** argv) {
  using namespace tiles;
  TileOptions options;
  std::string error;
  if (!parseTileOptions(argc, argv, options, error)) {
    report(error);
    printTilesUsage();
    return 2;
  }
  // Fonts need a GUI application; no display is needed to draw into an image.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  char programName[] = "enctool";
  char* qtArgv[] = {programName, nullptr};
  QGuiApplication application(qtArgc, qtArgv);
  const std::unique_ptr<ChartEngine> started = startFromLibrary(options.library);
  if (!started) return 1;
  ChartEngine& engine = *started;
  // No cell is loaded for an output that cannot be written.
  if (!checkOutput(options.out, options.mbtiles, error)) {
    report(error);
    return 1;
  }

  const auto loadStart = std::chrono::steady_clock::now();
  ChartView loadingView;
  int loaded = 0;
  bool cellFailed = false;
  CellSources sources;
  if (!options.storeDirectory.empty()) {
    if (!sources.fromStore("tiles", options.storeDirectory)) return 1;
  } else {
    sources.fromFiles(options.cells);
  }
  for (const CellSource& cell : sources.cells) {
    bool listed = false;
    // A cell that is not whole is drawn as far as it goes, and fails the run.
    if (!loadCellReporting(engine, "tiles", cell, sources.fileBytes, loadingView, listed).ok()) cellFailed = true;
    if (listed) ++loaded;
  }
  sources.store.reset();  // loaded: the store is free again
  const double loadSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - loadStart).count();
  const CellSnapshot snapshot = engine.cells().snapshot();
  const std::vector<GeoBox> areas = cellAreas(*snapshot);
  if (areas.empty()) {
    report("no cell with a chart area was loaded; nothing to render");
    return 1;
  }
  const DisplaySettings settings = tileSettings(options, engine.library());

  const GeoBox covered = coveredBox(options, areas);
  const TileSet set(options.minZoom, options.maxZoom, options.hasBox ? options.box : covered, areas, kTileMargin);
  const long long total = partSize(set.size(), options.part, options.parts);
  if (set.size() == 0) {
    report("no tile at zoom " + std::to_string(options.minZoom) + "-" + std::to_string(options.maxZoom) +
           " meets the cells' area" + (options.hasBox ? " within the box" : ""));
    return 1;
  }

  std::unique_ptr<TileSink> sink;
  if (options.mbtiles) {
    TileSetDescription d;
    // Named after the charts, not the file, so that the parts of one set
    // carry the same metadata and merge by copying tiles alone.
    const std::string& folder = options.cellDirectory.empty() ? options.storeDirectory : options.cellDirectory;
    d.name = folder.empty()
                 ? QFileInfo(QString::fromStdString(options.cells.front())).completeBaseName().toStdString()
                 : QFileInfo(QDir(QString::fromStdString(folder)).absolutePath()).fileName().toStdString();
    d.description = "S-57 charts (" + std::to_string(loaded) + " cells) in S-52 portrayal";
    d.bounds = covered;
    d.minZoom = options.minZoom;
    d.maxZoom = options.maxZoom;
    sink = openMbtiles(options.out, d, error);
  } else {
    sink = openXyzFolder(options.out, error);
  }
  if (!sink) {
    report(error);
    return 1;
  }

  TileProgress progress(total);
  TileDispenser dispenser(set, options.part, options.parts);
  const Counts counts = renderTiles(engine, *snapshot, settings, dispenser, options.jobs, *sink, progress);
  sink.reset();
  progress.finish(counts.written + counts.skipped);
  const double seconds = progress.seconds();
  const std::string line =
      JsonLine()
          .add("tiles_written", counts.written)
          .add("tiles_skipped", counts.skipped)
          .add("seconds", seconds)
          .add("tiles_per_second", seconds > 0 ? static_cast<double>(counts.written + counts.skipped) / seconds : 0.0)
          .add("tiles", total)
          .add("cells_loaded", loaded)
          .add("load_seconds", loadSeconds)
          .add("out", options.out)
          .str();
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
  return counts.writeFailed || cellFailed ? 1 : 0;
}

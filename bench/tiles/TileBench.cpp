// Web map tiles of US5WA22M.000. RenderTile draws the tiles over the cell
// at one zoom in turn, as one thread of enctool tiles does (the view with
// its margin, the blank check); EncodePng encodes drawn tiles as enctool
// tiles stores them, EncodePngQt as Qt's own PNG writer would.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImageWriter>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "ChartEngine.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "MercatorProjection.h"
#include "TileImage.h"
#include "TileRenderer.h"
#include "TileSet.h"

namespace {

const std::string kCell = std::string(CHART_SHARED_ENC) + "/US5WA22M/US5WA22M.000";
const std::string kLibrary = std::string(CHART_SOURCE_DIR) + "/S57Lib";

struct Fixture {
  std::unique_ptr<ChartEngine> engine;
  std::vector<S57Cell*> cells;
  std::vector<tiles::GeoBox> areas;
  std::optional<DisplaySettings> settings;  // over the engine's library
  std::string error;
};

Fixture& fixture() {
  static Fixture f;
  static const bool ready = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tiles_bench";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);  // never destroyed: not during static destruction
    if (!std::filesystem::exists(kCell)) {
      f.error = "US5WA22M.000 not found under CHART_SHARED_ENC";
    } else if (f.engine = std::make_unique<ChartEngine>(kLibrary, MissingFileReport::Silent);
               !f.engine->hasLibrary()) {
      f.error = "no usable library in S57Lib (run scripts/setup.sh)";
    } else {
      f.engine->registerChartFont();
      ChartView loading;
      if (f.engine->loadCell(kCell, &loading) != ReaderResult::Ok) f.error = "loadCell failed";
      // As enctool tiles sets the display.
      f.settings.emplace(f.engine->library());
      f.settings->setContourSet(10);
      f.settings->setShowCellBoundaries(2);
      f.cells = *f.engine->cells().snapshot();
      for (const S57Cell* cell : f.cells) {
        for (const ChartBox& b : cell->extents) {
          const GeoPoint sw = chartToGeo({b.minX, b.minY}), ne = chartToGeo({b.maxX, b.maxY});
          f.areas.push_back({sw.latitude, sw.longitude, ne.latitude, ne.longitude});
        }
      }
    }
    return true;
  }();
  (void)ready;
  return f;
}

std::vector<tiles::TileId> tilesAt(const Fixture& f, int zoom) {
  const tiles::TileSet set(zoom, zoom, f.areas.front(), f.areas, tiles::kTileMargin);
  std::vector<tiles::TileId> out;
  tiles::TileSet::Cursor cursor(set);
  tiles::TileId t;
  long long index = 0;
  while (cursor.next(t, index)) out.push_back(t);
  return out;
}

// range(0): the zoom.
void RenderTile(benchmark::State& state) {
  Fixture& f = fixture();
  if (!f.error.empty()) return state.SkipWithError(f.error.c_str());
  const std::vector<tiles::TileId> tiles = tilesAt(f, static_cast<int>(state.range(0)));
  tiles::TileRenderer renderer(*f.engine, f.cells, *f.settings);
  size_t next = 0;
  long long drawn = 0;
  for (auto _ : state) {
    drawn += renderer.render(tiles[next]);
    next = (next + 1) % tiles.size();
  }
  state.counters["tiles_per_second"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["drawn_share"] = static_cast<double>(drawn) / static_cast<double>(state.iterations());
  state.counters["tiles_at_zoom"] = static_cast<double>(tiles.size());
}
BENCHMARK(RenderTile)->ArgName("zoom")->DenseRange(12, 16)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Drawn zoom-15 tiles to encode.
const std::vector<QImage>& drawnTiles() {
  static const std::vector<QImage> images = [] {
    std::vector<QImage> out;
    Fixture& f = fixture();
    if (!f.error.empty()) return out;
    tiles::TileRenderer renderer(*f.engine, f.cells, *f.settings);
    for (const tiles::TileId& t : tilesAt(f, 15))
      if (out.size() < 40 && renderer.render(t)) out.push_back(renderer.image().copy());
    return out;
  }();
  return images;
}

template <bool Qt>
void encode(benchmark::State& state) {
  const std::vector<QImage>& images = drawnTiles();
  if (images.empty()) return state.SkipWithError("no tile drawn (see RenderTile)");
  size_t next = 0;
  long long bytes = 0;
  for (auto _ : state) {
    QByteArray png;
    if (Qt) {
      QBuffer buffer(&png);
      buffer.open(QIODevice::WriteOnly);
      QImageWriter(&buffer, "png").write(images[next]);
    } else {
      png = tiles::encodePng(images[next]);
    }
    bytes += png.size();
    benchmark::DoNotOptimize(png.data());
    next = (next + 1) % images.size();
  }
  state.counters["bytes_per_tile"] = static_cast<double>(bytes) / static_cast<double>(state.iterations());
}
void EncodePng(benchmark::State& state) { encode<false>(state); }
void EncodePngQt(benchmark::State& state) { encode<true>(state); }
BENCHMARK(EncodePng)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(EncodePngQt)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

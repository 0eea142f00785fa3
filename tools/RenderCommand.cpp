// enctool render --library DIR [--cells DIR | --store DIR | CELL...] --out FILE.png [options]
//
// Loads the cells as the chart window does, applies the display settings
// given on the command line, runs the draw pass of a chart view into an
// image and writes it as PNG. Prints one JSON line:
//   {"cells_loaded":..,"cells_drawn":..,"ms":..,"out":..}
// where ms is the median draw-pass time of --repeat passes. A usage error
// or a library that cannot be loaded writes no file (exit status 2 or 1);
// a cell that cannot be loaded is reported on stderr and makes the exit
// status 1, the others are drawn all the same. A cell that is not whole
// (records lost or added, no feature: cellListedDespite) is drawn as far as
// it goes, reported, and makes the exit status 1 too, as does a run whose
// cells all stayed out of the picture.
#include <QByteArray>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "CellFolder.h"
#include "CellLoading.h"
#include "CellSources.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "Json.h"
#include "LibraryResult.h"
#include "MarinerOptions.h"
#include "TrueScale.h"
#include "ViewGeometry.h"

namespace {

struct RenderOptions {
  std::string library = "S57Lib";
  std::string cellDirectory;
  std::string storeDirectory;
  std::vector<std::string> cells;
  CellSources sources;  // the cells as the loader takes them
  bool hasCentre = false;
  double latitude = 0, longitude = 0;
  float scale = 0;  // 0: as loading left it
  int width = 862, height = 686;
  std::string out;
  std::string baseMap;  // world land file, drawn under the cells when given
  int category = 1;
  int contours = 10;
  int scheme = 1;
  bool paper = false, english = false, soundings = false, noBoundaries = false, depthContours = false;
  bool scaleBoundaries = false;
  bool tileCache = true;
  int repeat = 1;
  MarinerOptions mariner;
};

void printRenderUsage() {
  std::fprintf(stderr,
               "usage: enctool render --library DIR [--cells DIR | --store DIR | CELL...] --out FILE.png\n"
               "         [--centre LAT,LON] [--scale S] [--size WxH] [--category 0|1|2]\n"
               "         [--contours 5|10|20] [--scheme 1..5] [--paper] [--english] [--soundings]\n"
               "         [--no-boundaries] [--depth-contours] [--scale-boundaries] [--no-tile-cache]\n"
               "         [--repeat N] [--base-map worldland.bin]\n%s",
               kMarinerOptionsUsage);
}

bool fail(const char* message, const char* value = nullptr) {
  if (value)
    std::fprintf(stderr, "enctool render: %s '%s'\n", message, value);
  else
    std::fprintf(stderr, "enctool render: %s\n", message);
  return false;
}

// Whole text as a number.
bool parseInt(const char* text, int& value) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < -1000000000L || v > 1000000000L) return false;
  value = static_cast<int>(v);
  return true;
}
bool parseDouble(const char* text, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0' && std::isfinite(value);
}
bool parsePair(const char* text, char separator, double& a, double& b) {
  const char* split = std::strchr(text, separator);
  if (!split) return false;
  const std::string first(text, split);
  return parseDouble(first.c_str(), a) && parseDouble(split + 1, b);
}

bool parseRenderOptions(int argc, char** argv, RenderOptions& o) {
  for (int i = 0; i < argc; ++i) {
    std::string error;
    const int mariner = parseMarinerOption(argc, argv, i, o.mariner, error);
    if (mariner < 0) return fail(error.c_str());
    if (mariner > 0) continue;
    const std::string arg = argv[i];
    const bool takesValue = arg == "--library" || arg == "--cells" || arg == "--store" || arg == "--centre" ||
                            arg == "--scale" || arg == "--size" || arg == "--out" || arg == "--category" || arg == "--contours" ||
                            arg == "--scheme" || arg == "--repeat" || arg == "--base-map";
    const char* value = nullptr;
    if (takesValue) {
      if (i + 1 >= argc) return fail("option needs a value:", arg.c_str());
      value = argv[++i];
    }
    if (arg == "--library") {
      o.library = value;
    } else if (arg == "--cells") {
      o.cellDirectory = value;
    } else if (arg == "--store") {
      o.storeDirectory = value;
    } else if (arg == "--centre") {
      if (!parsePair(value, ',', o.latitude, o.longitude) || std::fabs(o.latitude) >= 90 ||
          std::fabs(o.longitude) > 360)
        return fail("--centre needs LAT,LON in degrees, got", value);
      o.hasCentre = true;
    } else if (arg == "--scale") {
      double s = 0;
      if (!parseDouble(value, s) || s <= 0 || s > 1e9) return fail("--scale needs a positive number, got", value);
      o.scale = static_cast<float>(s);
    } else if (arg == "--size") {
      double w = 0, h = 0;
      if (!parsePair(value, 'x', w, h) || w < 1 || h < 1 || w > 10000 || h > 10000 || w != std::floor(w) ||
          h != std::floor(h))
        return fail("--size needs WxH in pixels (1 to 10000), got", value);
      o.width = static_cast<int>(w), o.height = static_cast<int>(h);
    } else if (arg == "--base-map") {
      o.baseMap = value;
    } else if (arg == "--out") {
      o.out = value;
    } else if (arg == "--category") {
      if (!parseInt(value, o.category) || o.category < 0 || o.category > 2)
        return fail("--category needs 0, 1 or 2, got", value);
    } else if (arg == "--contours") {
      if (!parseInt(value, o.contours) || (o.contours != 5 && o.contours != 10 && o.contours != 20))
        return fail("--contours needs 5, 10 or 20, got", value);
    } else if (arg == "--scheme") {
      if (!parseInt(value, o.scheme) || o.scheme < 1 || o.scheme > 5) return fail("--scheme needs 1 to 5, got", value);
    } else if (arg == "--repeat") {
      if (!parseInt(value, o.repeat) || o.repeat < 1 || o.repeat > 10000)
        return fail("--repeat needs a count from 1, got", value);
    } else if (arg == "--paper") {
      o.paper = true;
    } else if (arg == "--english") {
      o.english = true;
    } else if (arg == "--soundings") {
      o.soundings = true;
    } else if (arg == "--no-boundaries") {
      o.noBoundaries = true;
    } else if (arg == "--depth-contours") {
      o.depthContours = true;
    } else if (arg == "--scale-boundaries") {
      o.scaleBoundaries = true;
    } else if (arg == "--no-tile-cache") {
      o.tileCache = false;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return fail("unknown option", arg.c_str());
    } else {
      o.cells.push_back(arg);
    }
  }
  if (o.out.empty()) return fail("--out FILE.png is required");
  if ((!o.cellDirectory.empty()) + (!o.storeDirectory.empty()) + (!o.cells.empty()) > 1)
    return fail("give one of --cells DIR, --store DIR or cell files");
  // Every cell at any depth, as the window's folder import finds them; or
  // the cells in use of a chart store.
  if (!o.storeDirectory.empty()) return o.sources.fromStore("render", o.storeDirectory);
  if (!o.cellDirectory.empty()) return o.sources.fromFolder("render", o.cellDirectory);
  return o.sources.fromFiles(o.cells);
}

// An engine over the library, with the chart font, as the window's start-up
// makes it; null (the reason printed) when the library does not load.
std::unique_ptr<ChartEngine> startFromLibrary(const std::string& directory) {
  if (!QDir(QString::fromStdString(directory)).exists()) {
    fail("no presentation library directory", directory.c_str());
    return nullptr;
  }
  auto engine = std::make_unique<ChartEngine>(directory, MissingFileReport::Silent);
  const LibraryResult code = engine->libraryResult();
  if (code != LibraryResult::Ok) {
    std::fprintf(stderr, "enctool render: cannot load the presentation library from '%s' (code %d: %s)\n",
                 directory.c_str(), resultCode(code), libraryResultText(code).c_str());
    return nullptr;
  }
  engine->registerChartFont();
  return engine;
}

void applySettings(const RenderOptions& o, DisplaySettings& s) {
  s.setContourSet(o.contours);
  s.setDisplayCategory(o.category);
  s.setColourScheme(o.scheme);
  s.setSymbolStyle(o.paper ? 1 : 2);
  s.setTextLanguage(o.english ? 2 : 1);
  s.setShowSoundings(o.soundings ? 1 : 2);
  s.setShowCellBoundaries(o.noBoundaries ? 2 : 1);
  if (o.depthContours != s.showDepthContours) s.toggleDepthContours();
  s.setShowScaleBoundaries(o.scaleBoundaries ? 1 : 2);
  applyMarinerOptions(o.mariner, s);
}

// One draw pass into the image; returns its milliseconds.
double drawOnce(QImage& image, ChartView& view, ChartEngine& engine, const DisplaySettings& settings,
                const QColor& background) {
  image.fill(background);
  QPainter painter(&image);
  setupPainter(painter, image.width(), image.height(), view);
  const auto start = std::chrono::steady_clock::now();
  view.draw(painter, engine, settings);
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int runRenderCommand(int argc, char** argv) {
  RenderOptions options;
  if (!parseRenderOptions(argc, argv, options)) {
    printRenderUsage();
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
  if (!options.baseMap.empty()) {
    std::string error;
    if (!engine.worldBaseMap().load(options.baseMap, error)) {
      std::fprintf(stderr, "enctool render: cannot load the world base map: %s\n", error.c_str());
      return 1;
    }
  }

  ChartView view;
  view.pixelMillimetres = options.mariner.pixelMillimetres;
  int loaded = 0;
  bool failed = false;
  for (const CellSource& cell : options.sources.cells) {
    bool listed = false;
    // A cell that is not whole is drawn as far as it goes, and fails the run.
    if (!loadCellReporting(engine, "render", cell, options.sources.fileBytes, view, listed).ok()) failed = true;
    if (listed) ++loaded;
  }
  options.sources.store.reset();  // loaded: the store is free again

  DisplaySettings settings(engine.library());
  applySettings(options, settings);
  engine.drawings().patternTiles.setEnabled(options.tileCache);
  if (options.hasCentre) setCentreGeo(options.latitude, options.longitude, view);
  if (options.scale > 0 && !setTrueScale(view, options.scale)) {
    std::fprintf(stderr, "enctool render: no view shows the scale %g at that centre\n", double(options.scale));
    return 2;
  }

  QImage image(options.width, options.height, QImage::Format_ARGB32_Premultiplied);
  const QColor background = QGuiApplication::palette().color(QPalette::Window);
  std::vector<double> times;
  for (int i = 0; i < options.repeat; ++i) times.push_back(drawOnce(image, view, engine, settings, background));
  std::sort(times.begin(), times.end());
  const std::size_t n = times.size();
  const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;

  if (!image.save(QString::fromStdString(options.out), "PNG")) {
    std::fprintf(stderr, "enctool render: cannot write '%s'\n", options.out.c_str());
    return 1;
  }
  // Cells were asked for and none reached the picture: a picture of
  // nothing must not pass for a chart.
  if (!options.sources.cells.empty() && view.drawnCells.empty()) {
    std::fprintf(stderr, "enctool render: no cell was drawn (%d of %zu loaded)\n", loaded,
                 options.sources.cells.size());
    failed = true;
  }
  const std::string line = JsonLine()
                               .add("cells_loaded", loaded)
                               .add("cells_drawn", static_cast<long long>(view.drawnCells.size()))
                               .add("ms", median)
                               .add("out", options.out)
                               .str();
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
  return failed ? 1 : 0;
}

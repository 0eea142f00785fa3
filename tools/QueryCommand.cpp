// enctool query --library DIR --at LAT,LON [--at LAT,LON ...] [--scale S] [--size WxH]
//                [--category 0|1|2] [--contours 5|10|20] [--paper] [--soundings] [--depth-contours]
//                [--chinese] (--cells DIR | --store DIR | CELL...)
//
// What the chart window lists for a click in object selection, without a
// window: the cells are loaded as the window loads them, a view of --size
// pixels (862x686 by default) is centred on each --at position at the true
// scale --scale there (as loading left it by default: the last cell's
// compilation scale), the cells a pass of that view draws
// are chosen as the pass chooses them, and the window's own picking
// (ObjectPicking.h) runs at the position under the display settings given
// (the window's start values otherwise). One JSON line per picked object,
// in the window's order:
//   {"at":[lat,lon],"title":"Depth area (DEPARE)","class":"Depth area",
//    "acronym":"DEPARE","objl":42,"cell":"US5WA22M.000","official":true,
//    ["nonOfficialReason":..,] "kind":"area",
//    "foid":"0226...","priority":1,
//    "extent":[south,west,north,east] | "position":[lat,lon], ["depth":m,]
//    "attributes":[{"acronym":..,"name":..,"value":..,"raw":..}]}
// "value" is the value made readable (decoded codes, units), "raw" as it
// stands in the cell. With --chinese the names and values are told as the
// window's panel tells them under 中文显示 ("水深区 (DEPARE)", "5.0 米"), from
// the library's Chinese names. A position where nothing is picked prints
// nothing.
// Exit status: 0, 1 when the library or a cell could not be loaded (the
// other cells are queried all the same), 2 on a usage error.
#include <QDir>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
#include "ModelInfo.h"
#include "ObjectDescription.h"
#include "PresentationLibrary.h"
#include "TrueScale.h"

namespace {

struct QueryOptions {
  std::string library = "S57Lib";
  std::string cellDirectory;
  std::string storeDirectory;
  std::vector<std::string> cells;
  CellSources sources;  // the cells as the loader takes them
  std::vector<GeoPoint> positions;
  float scale = 0;  // 0: as loading left it
  int width = 862, height = 686;
  int category = 1;
  int contours = 10;
  bool paper = false, soundings = false, depthContours = false;
  NameLanguage language = NameLanguage::English;
  MarinerOptions mariner;
};

void printQueryUsage() {
  std::fprintf(stderr,
               "usage: enctool query --library DIR --at LAT,LON [--at LAT,LON ...] [--scale S] [--size WxH]\n"
               "         [--category 0|1|2] [--contours 5|10|20] [--paper] [--soundings] [--depth-contours]\n"
               "         [--chinese]\n"
               "%s"
               "         (--cells DIR | --store DIR | CELL...)\n",
               kMarinerOptionsUsage);
}

bool fail(const char* message, const char* value = nullptr) {
  if (value)
    std::fprintf(stderr, "enctool query: %s '%s'\n", message, value);
  else
    std::fprintf(stderr, "enctool query: %s\n", message);
  return false;
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

bool parseWhole(const char* text, int low, int high, int& value) {
  double v = 0;
  if (!parseDouble(text, v) || v != std::floor(v) || v < low || v > high) return false;
  value = static_cast<int>(v);
  return true;
}

bool parseQueryOptions(int argc, char** argv, QueryOptions& o) {
  for (int i = 0; i < argc; ++i) {
    std::string error;
    const int mariner = parseMarinerOption(argc, argv, i, o.mariner, error);
    if (mariner < 0) return fail(error.c_str());
    if (mariner > 0) continue;
    const std::string arg = argv[i];
    const bool takesValue = arg == "--library" || arg == "--cells" || arg == "--store" || arg == "--at" ||
                            arg == "--scale" || arg == "--size" || arg == "--category" || arg == "--contours";
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
    } else if (arg == "--at") {
      GeoPoint p;
      if (!parsePair(value, ',', p.latitude, p.longitude) || std::fabs(p.latitude) >= 90 ||
          std::fabs(p.longitude) > 360)
        return fail("--at needs LAT,LON in degrees, got", value);
      o.positions.push_back(p);
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
    } else if (arg == "--category") {
      if (!parseWhole(value, 0, 2, o.category)) return fail("--category needs 0, 1 or 2, got", value);
    } else if (arg == "--contours") {
      if (!parseWhole(value, 5, 20, o.contours) || (o.contours != 5 && o.contours != 10 && o.contours != 20))
        return fail("--contours needs 5, 10 or 20, got", value);
    } else if (arg == "--paper") {
      o.paper = true;
    } else if (arg == "--soundings") {
      o.soundings = true;
    } else if (arg == "--depth-contours") {
      o.depthContours = true;
    } else if (arg == "--chinese") {
      o.language = NameLanguage::Chinese;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return fail("unknown option", arg.c_str());
    } else {
      o.cells.push_back(arg);
    }
  }
  if (o.positions.empty()) return fail("--at LAT,LON is required");
  if ((!o.cellDirectory.empty()) + (!o.storeDirectory.empty()) + (!o.cells.empty()) > 1)
    return fail("give one of --cells DIR, --store DIR or cell files");
  if (!o.storeDirectory.empty()) {
    if (!o.sources.fromStore("query", o.storeDirectory)) return false;
  } else if (!o.cellDirectory.empty()) {
    if (!o.sources.fromFolder("query", o.cellDirectory)) return false;
  } else {
    o.sources.fromFiles(o.cells);
  }
  if (o.sources.cells.empty()) return fail("no cell given");
  return true;
}

std::string degrees(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.8f", value);
  return text;
}

std::string geoJson(const GeoPoint& p) { return "[" + degrees(p.latitude) + "," + degrees(p.longitude) + "]"; }

std::string attributesJson(const std::vector<AttributeText>& attributes) {
  std::string json = "[";
  for (const AttributeText& a : attributes) {
    if (json.size() > 1) json += ',';
    json += JsonLine().add("acronym", a.acronym).add("name", a.name).add("value", a.value).add("raw", a.raw).str();
  }
  return json + "]";
}

std::string objectLine(const GeoPoint& at, const PickedObject& object, const PresentationLibrary& library,
                       NameLanguage language) {
  const ObjectDescription d = describeObject(object, library, language);
  JsonLine line;
  line.addRaw("at", geoJson(at))
      .add("title", d.title)
      .add("class", d.className)
      .add("acronym", d.acronym)
      .add("objl", object.feature->objectClass)
      .add("cell", d.cell)
      .add("official", d.nonOfficialReason.empty());
  if (!d.nonOfficialReason.empty()) line.add("nonOfficialReason", d.nonOfficialReason);
  line.add("kind", d.kind)
      .add("foid", foidText(*object.feature))
      .add("priority", object.displayPriority);
  if (d.position) line.addRaw("position", geoJson(*d.position));
  if (d.southWest && d.northEast)
    line.addRaw("extent", "[" + degrees(d.southWest->latitude) + "," + degrees(d.southWest->longitude) + "," +
                              degrees(d.northEast->latitude) + "," + degrees(d.northEast->longitude) + "]");
  if (d.depth) line.add("depth", static_cast<double>(*d.depth));
  line.addRaw("attributes", attributesJson(d.attributes));
  return line.str();
}

DisplaySettings querySettings(const QueryOptions& o, const PresentationLibrary& library) {
  DisplaySettings s(library);
  s.setContourSet(o.contours);
  s.setDisplayCategory(o.category);
  s.setSymbolStyle(o.paper ? 1 : 2);
  s.setShowSoundings(o.soundings ? 1 : 2);
  if (o.depthContours != s.showDepthContours) s.toggleDepthContours();
  applyMarinerOptions(o.mariner, s);
  return s;
}

}  // namespace

int runQueryCommand(int argc, char** argv) {
  QueryOptions options;
  if (!parseQueryOptions(argc, argv, options)) {
    printQueryUsage();
    return 2;
  }
  if (!QDir(QString::fromStdString(options.library)).exists()) {
    fail("no presentation library directory", options.library.c_str());
    return 1;
  }
  ChartEngine engine(options.library, MissingFileReport::Silent);
  const LibraryResult libraryCode = engine.libraryResult();
  if (libraryCode != LibraryResult::Ok) {
    std::fprintf(stderr, "enctool query: cannot load the presentation library from '%s' (code %d: %s)\n",
                 options.library.c_str(), resultCode(libraryCode), libraryResultText(libraryCode).c_str());
    return 1;
  }

  ChartView view;
  view.pixelMillimetres = options.mariner.pixelMillimetres;
  bool failed = false;
  for (const CellSource& cell : options.sources.cells) {
    bool listed = false;
    // A cell that is not whole is queried as far as it goes, and fails the run.
    if (!loadCellReporting(engine, "query", cell, options.sources.fileBytes, view, listed).ok()) failed = true;
  }
  options.sources.store.reset();  // loaded: the store is free again
  // The true scale asked for, else the one loading left (the last cell's
  // compilation scale), at every position.
  const double wanted = options.scale > 0 ? options.scale : trueScale(view);
  // The viewport as the window's paint sets it up for a surface of this size.
  view.viewportWidth = options.width * LOGICAL_UNITS_PER_PIXEL;
  view.viewportHeight = options.height * LOGICAL_UNITS_PER_PIXEL;

  const DisplaySettings settings = querySettings(options, engine.library());
  const CellSnapshot cells = engine.cells().snapshot();
  for (const GeoPoint& at : options.positions) {
    setCentreGeo(at.latitude, at.longitude, view);
    setTrueScale(view, wanted);
    view.chooseDrawnCells(*cells);
    for (const PickedObject& object : pickObjects(view.drawnCells, view, settings, geoToChart(at)))
      std::printf("%s\n", objectLine(at, object, engine.library(), options.language).c_str());
  }
  std::fflush(stdout);
  return failed ? 1 : 0;
}

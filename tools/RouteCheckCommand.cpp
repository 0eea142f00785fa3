// enctool route-check --library DIR (--cells DIR | --store DIR [--manufacturer FILE] | CELL...)
//                     --route FILE [--safety M] [--xtd M] [--date YYYYMMDD] [--legs rhumb|great-circle]
//                     [--picture FILE.png]
//
// Checks a route against the chart as the route check of the window does
// (RouteCheck.h): the cells are loaded as the window loads them (with
// --store, the cells in use of a chart store with the updates it applied,
// encrypted ones decrypted with the permits it holds for the key file
// --manufacturer, else the scheme's test manufacturer), and the
// route's legs (the first route of a GPX file; its legs rhumb lines unless
// --legs great-circle) are checked with the safety contour --safety (10 m
// by default), each leg's corridor its own XTD or --xtd metres to each side,
// for the date --date (today by default). One JSON line per finding, by leg
// and then along it:
//   {"leg":1,"lat":..,"lon":..,"alongNm":..,"class":"WRECKS","foid":"...","cell":"...",
//    "kind":"alarm","reason":"danger","depth":4.0,"safetyContour":10}
// then {"legs":N,"distanceNm":..,"findings":N}. `depth` and `safetyContour`
// come with the reasons that have them, `scale` and `bestScale` with those
// about scales. --picture also draws the chart under the route with the
// route and a mark at each finding (red alarms, orange indications).
// Exit status: 0 whatever was found; 1 when the route, the library or a
// cell could not be read (the findings on the cells read are printed all
// the same) or the picture not written; 2 on a usage error.
#include <QDir>
#include <QGuiApplication>
#include <memory>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "CellFolder.h"
#include "CellLoading.h"
#include "CellSources.h"
#include "CoreDumps.h"
#include "ChartDate.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "Json.h"
#include "LibraryResult.h"
#include "ModelInfo.h"
#include "PresentationLibrary.h"
#include "ProtectionOptions.h"
#include "RouteCheck.h"
#include "RouteCheckPicture.h"
#include "RouteExchange.h"

namespace {


struct CheckOptions {
  std::string library = "S57Lib";
  std::string cellDirectory;
  std::string storeDirectory;
  std::string manufacturerFile;
  std::vector<std::string> cells;
  std::string route;
  std::string picture;
  LegKind gpxLegs = LegKind::Rhumb;
  RouteCheckSettings settings;
};

int usage() {
  std::fprintf(stderr,
               "usage: enctool route-check --library DIR (--cells DIR | --store DIR [--manufacturer FILE] |\n"
               "         CELL...) --route FILE [--safety M] [--xtd M] [--date YYYYMMDD] [--legs rhumb|great-circle] [--picture FILE.png]\n");
  return 2;
}

bool fail(const char* message, const char* value) {
  std::fprintf(stderr, "enctool route-check: %s '%s'\n", message, value);
  return false;
}

bool parseNumber(const char* text, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0' && std::isfinite(value);
}

bool parseOptions(int argc, char** argv, CheckOptions& o) {
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool takesValue = arg == "--library" || arg == "--cells" || arg == "--store" || arg == "--manufacturer" ||
                            arg == "--route" || arg == "--safety" ||
                            arg == "--xtd" || arg == "--date" || arg == "--legs" || arg == "--picture";
    const char* value = nullptr;
    if (takesValue) {
      if (i + 1 >= argc) return fail("option needs a value:", arg.c_str());
      value = argv[++i];
    }
    double number = 0;
    if (arg == "--library") {
      o.library = value;
    } else if (arg == "--cells") {
      o.cellDirectory = value;
    } else if (arg == "--store") {
      o.storeDirectory = value;
    } else if (arg == "--manufacturer") {
      o.manufacturerFile = value;
    } else if (arg == "--route") {
      o.route = value;
    } else if (arg == "--picture") {
      o.picture = value;
    } else if (arg == "--safety") {
      if (!parseNumber(value, number) || number < 0 || number > 500)
        return fail("--safety needs a depth in metres from 0 to 500, got", value);
      o.settings.safetyContour = static_cast<float>(number);
    } else if (arg == "--xtd") {
      if (!parseNumber(value, number) || number < 0 || number > kMaxXtdNm * kMetresPerNauticalMile)
        return fail("--xtd needs metres from 0 to 185200, got", value);
      o.settings.xtdMetres = number;
    } else if (arg == "--date") {
      char* end = nullptr;
      const long date = std::strtol(value, &end, 10);
      if (std::strlen(value) != 8 || *end != '\0' || !validDate(static_cast<int>(date)))
        return fail("--date needs a date YYYYMMDD, got", value);
      o.settings.date = static_cast<int>(date);
    } else if (arg == "--legs") {
      if (std::strcmp(value, "rhumb") != 0 && std::strcmp(value, "great-circle") != 0)
        return fail("--legs takes rhumb or great-circle, not", value);
      o.gpxLegs = std::strcmp(value, "great-circle") == 0 ? LegKind::GreatCircle : LegKind::Rhumb;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return fail("unknown option", arg.c_str());
    } else {
      o.cells.push_back(arg);
    }
  }
  if (o.route.empty()) {
    std::fprintf(stderr, "enctool route-check: --route FILE is required\n");
    return false;
  }
  const int givenSources = !o.cellDirectory.empty() + !o.storeDirectory.empty() + !o.cells.empty();
  if (givenSources > 1) {
    std::fprintf(stderr, "enctool route-check: give one of --cells DIR, --store DIR or cell files\n");
    return false;
  }
  if (!o.manufacturerFile.empty() && o.storeDirectory.empty()) {
    std::fprintf(stderr, "enctool route-check: --manufacturer goes with --store DIR\n");
    return false;
  }
  if (givenSources == 0) {
    std::fprintf(stderr, "enctool route-check: no cells: give --cells DIR, --store DIR or cell files\n");
    return false;
  }
  if (o.settings.date == 0) o.settings.date = todaysDate();
  return true;
}

std::string findingLine(const RouteFinding& f) {
  JsonLine line;
  line.add("leg", f.leg + 1)
      .addFixed("lat", f.position.latitude, 7)
      .addFixed("lon", f.position.longitude, 7)
      .addFixed("alongNm", f.alongMetres / kMetresPerNauticalMile, 4)
      .add("class", f.classAcronym);
  if (f.objectClass != 0) {
    ChartFeature object(FeatureKind::Point);
    object.agency = f.agency, object.featureNumber = f.featureNumber, object.featureSubdivision = f.featureSubdivision;
    line.add("foid", foidText(object));
  } else {
    line.add("foid", "");
  }
  line.add("cell", f.cell).add("kind", findingKindName(f.kind)).add("reason", findingReasonName(f.reason));
  if (!std::isnan(f.depth)) line.addFixed("depth", f.depth, 2);
  if (!std::isnan(f.limit)) line.addFixed("safetyContour", f.limit, 2);
  if (f.scale != 0) line.add("scale", f.scale).add("bestScale", f.betterScale);
  return line.str();
}

}  // namespace

int runRouteCheckCommand(int argc, char** argv) {
  CheckOptions options;
  if (!parseOptions(argc, argv, options)) return usage();

  RouteDocument document;
  const RouteFileResult read = readRouteFile(options.route, options.gpxLegs, document);
  if (!read.ok()) {
    std::fprintf(stderr, "enctool route-check: %s: %s\n", options.route.c_str(), read.text().c_str());
    return 1;
  }
  const Route& route = document.routes.front();

  CellSources sources;
  if (!options.cellDirectory.empty()) {
    if (!QDir(QString::fromStdString(options.cellDirectory)).exists()) {
      fail("no such cell directory", options.cellDirectory.c_str());
      return 1;
    }
    for (const CellSource& cell : scanCellFolder(options.cellDirectory).cells) options.cells.push_back(cell.path);
  } else if (!options.storeDirectory.empty()) {
    // A store that is not there would check the route against no chart at
    // all: a mistyped folder is refused rather than reported as a route
    // outside every cell.
    if (!QDir(QString::fromStdString(options.storeDirectory)).exists()) {
      fail("no such chart store", options.storeDirectory.c_str());
      return 1;
    }
    refuseCoreDumps();  // decrypted cells are in memory
    DataClient client;
    if (!loadManufacturer("route-check", options.manufacturerFile, client.identity)) return 1;
    if (!sources.fromStore("route-check", options.storeDirectory, client)) return 1;
  }
  if (!QDir(QString::fromStdString(options.library)).exists()) {
    fail("no presentation library directory", options.library.c_str());
    return 1;
  }
  // Drawing the picture needs fonts, and so an application; no display.
  std::unique_ptr<QGuiApplication> application;
  static int qtArgc = 1;
  static char programName[] = "enctool";
  static char* qtArgv[] = {programName, nullptr};
  if (!options.picture.empty()) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
  }
  ChartEngine engine(options.library, MissingFileReport::Silent);
  const LibraryResult libraryCode = engine.libraryResult();
  if (libraryCode != LibraryResult::Ok) {
    std::fprintf(stderr, "enctool route-check: cannot load the presentation library from '%s' (code %d: %s)\n",
                 options.library.c_str(), resultCode(libraryCode), libraryResultText(libraryCode).c_str());
    return 1;
  }
  if (application) engine.registerChartFont();

  ChartView view;
  bool failed = false;
  for (const std::string& cell : options.cells) {
    bool listed = false;
    // A cell that is not whole is checked as far as it goes, and fails the run.
    if (!loadCellReporting(engine, "route-check", cell, view, listed).ok()) failed = true;
  }
  for (const CellSource& cell : sources.cells) {
    bool listed = false;
    if (!loadCellReporting(engine, "route-check", cell, sources.fileBytes, view, listed).ok()) failed = true;
  }
  sources.store.reset();  // loaded: the store is free again

  const IndexedSnapshot cells = engine.cells().indexedSnapshot();
  const RouteCheckResult result = checkRoute(route, *cells, options.settings);
  for (const RouteFinding& f : result.findings) std::printf("%s\n", findingLine(f).c_str());
  std::printf("%s\n", JsonLine()
                          .add("legs", result.legs)
                          .addFixed("distanceNm", result.lengthMetres / kMetresPerNauticalMile, 4)
                          .add("findings", static_cast<long long>(result.findings.size()))
                          .str()
                          .c_str());
  std::fflush(stdout);

  if (!options.picture.empty()) {
    std::string error;
    if (!writeRouteCheckPicture(options.picture, engine, route, result, options.settings.safetyContour, view,
                                error)) {
      std::fprintf(stderr, "enctool route-check: %s\n", error.c_str());
      failed = true;
    }
  }
  return failed ? 1 : 0;
}

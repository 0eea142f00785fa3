// loadCell from file to the cell list: result codes, the duplicate check,
// view centring, and the look-up results of the built features.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "CatalogueWriter.h"
#include "CellFixtures.h"
#include "CellFolder.h"
#include "CellList.h"
#include "ChartEngine.h"
#include "ChartView.h"
#include "Crc32.h"
#include "DisplaySettings.h"
#include "LibraryFiles.h"
#include "LibraryResult.h"
#include "LookupSelection.h"
#include "ReaderResult.h"
#include "TrueScale.h"
#include "UpdateResult.h"

using namespace s57write;

namespace {
// A library with the fixture catalogues and one entry per table.
PresentationLibrary fixtureLibrary() {
  PresentationLibrary library;
  library.attributeCatalogue = fixtures::attributeCatalogue();
  for (auto [code, acronym] : {std::pair{306, "M_NSYS"}, {42, "DEPARE"}, {43, "DEPCNT"}, {75, "LIGHTS"}})
    library.objectClassCatalogue[code] = {acronym, acronym, code};
  auto put = [&library](LookupTableId table, const char* cls, int priority, const char* name) {
    LookupEntry e;
    e.className = cls;
    e.displayPriority = priority;
    e.conditions = {{"attf", "null"}};
    e.displayCategoryText = "STANDARD";
    e.instructions = {ProcedureCall{name}};
    library.lookupTables[static_cast<int>(table)][cls] = {e};
  };
  put(LookupTableId::PLAIN_BOUNDARIES, "DEPARE", 1, "DEPARE01");
  put(LookupTableId::SYMBOLIZED_BOUNDARIES, "DEPARE", 2, "DEPARE02");
  put(LookupTableId::LINES, "DEPCNT", 5, "DEPCNT02");
  put(LookupTableId::PAPER_CHART, "LIGHTS", 8, "LIGHTS05");
  put(LookupTableId::SIMPLIFIED, "LIGHTS", 9, "LIGHTS06");
  return library;
}

class LoadCell : public testing::Test {
protected:
  // loadCell with the fixture library into `into`, centring the view.
  CellLoadResult load(const std::string& path, CellList& into, const CellLoadOptions& options = CellLoadOptions(),
                      CellLoadReport* report = nullptr) {
    return loadCell(path, library, into, &view, options, report);
  }

  const PresentationLibrary library = fixtureLibrary();
  fixtures::TempDirectory dir;
  CellList list;
  ChartView view;
};
}  // namespace

TEST_F(LoadCell, RefusesEveryCellWhileTheLibraryIsNotLoaded) {
  const std::string path = fixtures::writeCell(fixtures::smallCell("NOLIB.000"), dir.path, "a.000");
  ChartEngine engine(dir.path + "/no-library", MissingFileReport::Silent);
  EXPECT_FALSE(engine.hasLibrary());
  EXPECT_EQ(engine.loadCell(path, &view), CellLoadResult::noLibrary());
  EXPECT_EQ(engine.cells().size(), 0u);
}

TEST_F(LoadCell, FailuresAddNothingAndLeaveTheViewAlone) {
  S57Writer noParameters;
  DataSet d;
  d.dsnm = "NODSPM.000";
  noParameters.addDataSetIdentification(d);
  noParameters.addIsolatedNode(1, {470000000, -1220000000});
  S57Writer zeroFactor;
  DataSet z;
  z.dsnm = "ZEROSOMF.000";
  Parameters zeroSounding;
  zeroSounding.somf = 0;
  zeroFactor.addDataSet(z, zeroSounding);
  {
    std::ofstream shortFile(dir.path + "/short.000", std::ios::binary);
    shortFile << std::string(24, '0');
    // A whole cell but for its last bytes: decoded as far as it goes, and
    // still refused.
    const std::string image = fixtures::smallCell("CUT.000").image();
    std::ofstream(dir.path + "/cut.000", std::ios::binary) << image.substr(0, image.size() - 5);
  }
  // Named like cells, but a FIFO without a writer and a folder: refused at
  // once, never waited on.
  ASSERT_EQ(mkfifo((dir.path + "/fifo.000").c_str(), 0600), 0);
  std::filesystem::create_directory(dir.path + "/folder.000");
  struct Case {
    std::string path;
    ReaderResult code;
  } cases[] = {
      {dir.path + "/missing.000", ReaderResult::CannotOpen},
      {dir.path + "/short.000", ReaderResult::FileTooShort},  // the reader's own code, passed on
      {dir.path + "/cut.000", ReaderResult::TruncatedRecord},
      {dir.path + "/fifo.000", ReaderResult::NotRegularFile},
      {dir.path + "/folder.000", ReaderResult::NotRegularFile},
      {fixtures::writeCell(noParameters, dir.path, "nodspm.000"), ReaderResult::NoFactors},
      {fixtures::writeCell(zeroFactor, dir.path, "zerosomf.000"), ReaderResult::NoFactors},
  };
  view.centre = {1, 2};
  view.scale = 3;
  for (const Case& c : cases) EXPECT_EQ(load(c.path, list), c.code) << c.path;
  EXPECT_EQ(list.size(), 0u);
  EXPECT_EQ(view.centre.x, 1);
  EXPECT_EQ(view.scale, 3.0f);
}

TEST_F(LoadCell, BuildsAFinishedCellAndCentresTheView) {
  const std::string path = fixtures::writeCell(fixtures::smallCell("GOOD.000"), dir.path, "good.000");
  ASSERT_EQ(load(path, list), ReaderResult::Ok);
  const CellSnapshot cells = list.snapshot();
  ASSERT_EQ(cells->size(), 1u);
  const S57Cell& cell = *cells->front();
  EXPECT_EQ(cell.name, "GOOD.000");
  EXPECT_EQ(cell.compilationScale, 20000);
  EXPECT_EQ(cell.coordinateFactor, 10000000);
  EXPECT_EQ(cell.soundingFactor, 10);
  ASSERT_EQ(cell.extents.size(), 1u);  // one box round all its geometry
  EXPECT_EQ(view.centre.x, cell.centreX);
  EXPECT_EQ(view.centre.y, cell.centreY);
  EXPECT_EQ(trueScale(view), 20000);
  const ChartPoint southWest = geoToChart({47.0, -122.0}), northEast = geoToChart({47.1, -121.9});
  EXPECT_NEAR(cell.centreX, (southWest.x + northEast.x) / 2, 1e-3);
  EXPECT_NEAR(cell.centreY, (southWest.y + northEast.y) / 2, 1e-3);

  // Draw order: M_NSYS has no look-up entry, keeps priority -1 and comes
  // first; the inner, deeper depth area is painted over the outer one.
  ASSERT_EQ(cell.areas.size(), 3u);
  EXPECT_EQ(cell.areas[0]->objectClass, 306);
  EXPECT_EQ(cell.areas[1]->findAttribute("DRVAL1"), "0");
  EXPECT_EQ(cell.areas[2]->findAttribute("DRVAL1"), "10");
  EXPECT_FLOAT_EQ(cell.areas[2]->depthOrderKey, -0.1f);

  const AreaFeature& depth = *cell.areas[1];
  EXPECT_EQ(depth.firstLookup.instructions.at(0).as<ProcedureCall>().name, "DEPARE01");
  EXPECT_EQ(depth.secondLookup.instructions.at(0).as<ProcedureCall>().name, "DEPARE02");
  EXPECT_EQ(depth.display.priority, 2);
  EXPECT_EQ(cell.lines.at(0)->firstLookup.instructions.at(0).as<ProcedureCall>().name, "DEPCNT02");
  const PointFeature& light = *cell.points.at(0);
  EXPECT_EQ(light.firstLookup.instructions.at(0).as<ProcedureCall>().name, "LIGHTS05");
  EXPECT_EQ(light.secondLookup.instructions.at(0).as<ProcedureCall>().name, "LIGHTS06");
  EXPECT_EQ(light.display.priority, 9);
  EXPECT_EQ(cell.lights, (std::vector<PointFeature*>{cell.points[0].get()}));
  EXPECT_EQ(cell.nonSectorLights.size(), 1u);
}

TEST_F(LoadCell, AnUnknownCompilationScaleLoadsAndKeepsTheViewScale) {
  for (int cscl : {0, -1}) {
    CellList cells;
    view.scale = 12345;
    const std::string name = "US5NOSC" + std::to_string(-cscl) + ".000";
    ASSERT_EQ(load(fixtures::writeCell(fixtures::smallCell(name, 0.1, cscl), dir.path, name), cells),
              ReaderResult::Ok);
    const S57Cell& cell = *cells.snapshot()->front();
    EXPECT_EQ(cell.compilationScale, cscl);  // kept as the file says
    EXPECT_EQ(view.centre.x, cell.centreX);  // centred all the same
    EXPECT_EQ(view.scale, 12345.0f);
  }
}

namespace {
// A cell whose coastline is one edge of `vertices` vertices referenced
// `references` times.
S57Writer repeatedEdgeCell(const std::string& name, int vertices, int references) {
  S57Writer w;
  DataSet d;
  d.dsnm = name;
  w.addDataSet(d);
  w.addConnectedNode(1, {470000000, -1220000000});
  w.addConnectedNode(2, {470000000 + vertices, -1220000000});
  std::vector<Coordinate> inner;
  for (int i = 0; i < vertices; ++i) inner.push_back({470000000 + i, -1219000000 + (i % 2)});
  w.addEdge(1, 1, 2, inner);
  Feature coastline;
  coastline.prim = 2;
  coastline.objl = 30;  // COALNE
  coastline.spatialPointers.assign(static_cast<size_t>(references), {kEdge, 1, 1, 255, 255});
  w.addFeature(coastline);
  return w;
}
}  // namespace

TEST_F(LoadCell, GeometryPastItsBoundIsRefusedQuickly) {
  // The bound: 12 vertices per coordinate of the file, plus 100,000. An
  // edge of 1000 vertices and its two nodes hold 1002 coordinates, so the
  // budget of 112,024 vertices takes 111 references of it, not 112.
  EXPECT_EQ(load(fixtures::writeCell(repeatedEdgeCell("FITS.000", 1000, 111), dir.path, "fits.000"), list),
            ReaderResult::Ok);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list.snapshot()->front()->lines.at(0)->vertices.size(), 111u * 1002u);
  EXPECT_EQ(load(fixtures::writeCell(repeatedEdgeCell("OVER.000", 1000, 112), dir.path, "over.000"), list),
            ReaderResult::GeometryTooLarge);

  // 12,000 vertices referenced 11,000 times would be 132 million vertices;
  // the load stops at the bound instead.
  const std::string amplified = fixtures::writeCell(repeatedEdgeCell("AMPLIFY.000", 12000, 11000), dir.path, "amp.000");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(load(amplified, list), ReaderResult::GeometryTooLarge);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
  EXPECT_EQ(list.size(), 1u);
}

TEST_F(LoadCell, ASecondCellOfTheSameNameIsRefusedWithoutMovingTheView) {
  const std::string first = fixtures::writeCell(fixtures::smallCell("SAME.000", 0.1), dir.path, "a.000");
  const std::string second = fixtures::writeCell(fixtures::smallCell("SAME.000", 0.5), dir.path, "b.000");
  const std::string other = fixtures::writeCell(fixtures::smallCell("OTHER.000", 0.5), dir.path, "c.000");
  ASSERT_EQ(load(first, list), ReaderResult::Ok);
  const ChartView after = view;
  EXPECT_EQ(load(second, list), ReaderResult::DuplicateCell);
  EXPECT_EQ(load(first, list), ReaderResult::DuplicateCell);
  EXPECT_EQ(list.size(), 1u);
  EXPECT_EQ(view.centre.x, after.centre.x);
  EXPECT_EQ(load(other, list), ReaderResult::Ok);
  EXPECT_EQ(list.size(), 2u);
  EXPECT_EQ(list.snapshot()->back()->name, "OTHER.000");
  // The append itself refuses a duplicate too (two loaders racing).
  auto copy = std::make_unique<S57Cell>();
  copy->name = "OTHER.000";
  EXPECT_EQ(list.append(std::move(copy)), ReaderResult::DuplicateCell);
  EXPECT_EQ(list.size(), 2u);

  // A withdrawn cell (cancelled, or making way for its newer copy) leaves
  // the snapshots taken after it; one taken before still holds it whole.
  const CellSnapshot before = list.snapshot();
  EXPECT_TRUE(list.withdraw("SAME.000"));
  EXPECT_FALSE(list.withdraw("SAME.000"));
  EXPECT_FALSE(list.contains("SAME.000"));
  ASSERT_EQ(list.snapshot()->size(), 1u);
  EXPECT_EQ(list.snapshot()->front()->name, "OTHER.000");
  EXPECT_EQ(list.indexedSnapshot()->cells().size(), 1u);
  ASSERT_EQ(before->size(), 2u);
  EXPECT_EQ(before->front()->name, "SAME.000");
  EXPECT_EQ(load(second, list), ReaderResult::Ok);  // its newer copy takes its place
  EXPECT_EQ(list.snapshot()->back()->name, "SAME.000");
}

// A cell of points alone (no area at all) still has an extent, so it is
// drawn where its points are, and the view is centred on them.
TEST_F(LoadCell, ACellWithoutAreasIsCentredOnItsPoints) {
  S57Writer w;
  DataSet d;
  d.dsnm = "POINTS.000";
  w.addDataSet(d);
  w.addIsolatedNode(1, {470000000, -1220000000});
  Feature light;
  light.prim = 1;
  light.objl = 75;
  light.spatialPointers = {{kIsolatedNode, 1, 255, 255, 255}};
  w.addFeature(light);
  view.centre = {5, 6};
  view.scale = 7;
  ASSERT_EQ(load(fixtures::writeCell(w, dir.path, "p.000"), list), ReaderResult::Ok);
  const S57Cell& cell = *list.snapshot()->at(0);
  ASSERT_EQ(cell.extents.size(), 1u);
  ASSERT_EQ(cell.points.size(), 1u);
  const ChartPoint at = cell.points[0]->position.point;
  EXPECT_NEAR(at.x, geoToChart({47.0, -122.0}).x, 1e-3);
  EXPECT_EQ(view.centre.x, at.x);
  EXPECT_EQ(view.centre.y, at.y);
  EXPECT_EQ(trueScale(view), 20000);  // the compilation scale, as the true scale at the points
}

TEST_F(LoadCell, AppliesTheUpdatesBesideTheCellAndKeepsWhatStoppedThemInItsWarnings) {
  fixtures::writeCell(fixtures::smallCell("UPDATED.000"), dir.path, "UPDATED.000");
  auto update = [&](int number, int rcid, int rver) {
    DataSet d;
    d.dsnm = "UPDATED.00" + std::to_string(number);
    d.expp = 2;
    d.updn = std::to_string(number);
    Feature f;
    f.rcid = rcid;
    f.rver = rver;
    f.ruin = kDelete;
    S57Writer w;
    w.addDataSetIdentification(d).addFeature(f);
    fixtures::writeCell(w, dir.path, d.dsnm);
  };
  update(1, 5, 2);   // the light goes
  update(2, 4, 1);   // a contour version that does not follow: stops here
  update(3, 3, 2);   // never reached
  CellLoadOptions options;
  options.warnings = {notInCatalogueWarning("UPDATED.000", "CATALOG.031")};
  CellLoadReport report;
  ASSERT_EQ(load(dir.path + "/UPDATED.000", list, options, &report), ReaderResult::Ok);
  ASSERT_NE(report.cell, nullptr);
  const S57Cell& cell = *report.cell;
  EXPECT_EQ(cell.edition, 1);
  EXPECT_EQ(cell.updatesApplied, std::vector<int>{1});
  EXPECT_TRUE(cell.points.empty());
  EXPECT_EQ(cell.lines.size(), 1u);
  EXPECT_EQ(cell.areas.size(), 3u);
  ASSERT_EQ(cell.loadWarnings.size(), 2u);
  EXPECT_EQ(cell.loadWarnings[0].kind, LoadWarningKind::NotInCatalogue);
  const LoadWarning& stop = cell.loadWarnings[1];
  EXPECT_EQ(stop.text, report.updates.error);
  EXPECT_EQ(stop.text.rfind("UPDATED.002: not applied: record version does not follow", 0), 0u);
  EXPECT_EQ(stop.kind, LoadWarningKind::UpdateStopped);
  EXPECT_EQ(stop.file, "UPDATED.002");
  EXPECT_EQ(stop.update, UpdateResult::VersionMismatch);

  // The base alone: nothing applied, nothing to warn of.
  CellList baseOnly;
  CellLoadOptions noUpdates;
  noUpdates.applyUpdates = false;
  ASSERT_EQ(load(dir.path + "/UPDATED.000", baseOnly, noUpdates, &report), ReaderResult::Ok);
  EXPECT_EQ(report.cell->points.size(), 1u);
  EXPECT_TRUE(report.cell->updatesApplied.empty());
  EXPECT_TRUE(report.cell->loadWarnings.empty());
}

// A folder loaded as the window's import loads it: a file whose CRC-32
// disagrees with its catalogue is never used (a base is not loaded, an
// update stops the chain there), and an update of edition 0 cancels the
// cell, which is then not listed.
TEST_F(LoadCell, AFolderNeverUsesAFileFailingItsCatalogueAndHonoursACancellation) {
  auto update = [&](int number, int edition, int rcid) {
    DataSet d;
    d.dsnm = "UPDATED.00" + std::to_string(number);
    d.expp = 2;
    d.edtn = std::to_string(edition);
    d.updn = std::to_string(number);
    d.isdt = "2024010" + std::to_string(number);
    S57Writer w;
    w.addDataSetIdentification(d);
    if (edition != 0) {
      Feature f;
      f.rcid = rcid;
      f.rver = 2;
      f.ruin = kDelete;
      w.addFeature(f);
    }
    return w.image();
  };
  const std::string base = fixtures::smallCell("UPDATED.000").image();
  const struct {
    const char* what;
    std::vector<std::pair<std::string, std::string>> files;  // name, bytes
    const char* corrupt;                                      // listed with a wrong CRC-32
    ReaderResult code;
    std::vector<int> applied;
    UpdateResult stopCode;
  } cases[] = {
      {"a base failing its CRC", {{"UPDATED.000", base}}, "UPDATED.000", ReaderResult::CrcMismatch, {}, UpdateResult::Ok},
      {"an update failing its CRC",
       {{"UPDATED.000", base}, {"UPDATED.001", update(1, 1, 5)}, {"UPDATED.002", update(2, 1, 4)},
        {"UPDATED.003", update(3, 1, 3)}},
       "UPDATED.002", ReaderResult::Ok, {1}, UpdateResult::CrcMismatch},
      {"a cancellation", {{"UPDATED.000", base}, {"UPDATED.001", update(1, 1, 5)}, {"UPDATED.002", update(2, 0, 0)}},
       "", ReaderResult::CellCancelled, {}, UpdateResult::Ok},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fixtures::TempDirectory set;
    std::vector<CatalogueFile> listed;
    for (const auto& [name, bytes] : c.files) {
      std::ofstream(set.path + "/" + name, std::ios::binary) << bytes;
      char crc[9];
      std::snprintf(crc, sizeof crc, "%08X", name == c.corrupt ? 0x1234567Fu : crc32(bytes));
      listed.push_back({name, crc});
    }
    std::ofstream(set.path + "/CATALOG.031", std::ios::binary) << catalogueImage(listed);
    const CellFolder folder = scanCellFolder(set.path);
    ASSERT_EQ(folder.cells.size(), 1u);
    const CellSource& source = folder.cells[0];
    CellLoadOptions options;
    options.updateFiles = &source.updates;
    options.warnings = source.warnings;
    CellLoadReport report;
    CellList cells;
    EXPECT_EQ(load(source.path, cells, options, &report), c.code);
    if (c.code != ReaderResult::Ok) {
      EXPECT_EQ(report.cell, nullptr);
      EXPECT_EQ(cells.snapshot()->size(), 0u);
      if (c.code == ReaderResult::CellCancelled) {
        EXPECT_EQ(report.updates.cancellationFile, "UPDATED.002");
        EXPECT_EQ(report.updates.cancellationDate, "20240102");
      }
      continue;
    }
    ASSERT_NE(report.cell, nullptr);
    EXPECT_EQ(report.cell->updatesApplied, c.applied);
    EXPECT_EQ(report.updates.code, c.stopCode);
    EXPECT_NE(report.updates.error.find("UPDATED.002: not applied: the file's CRC-32 disagrees with its catalogue"),
              std::string::npos)
        << report.updates.error;
  }
}

namespace {
// Where each data record of an ISO 8211 image starts, from the lengths in
// the leaders; the first is the DDR.
std::vector<size_t> recordStarts(const std::string& image) {
  std::vector<size_t> starts;
  for (size_t at = 0; at + 5 <= image.size();) {
    starts.push_back(at);
    const size_t length = std::stoul(image.substr(at, 5));
    if (length == 0) break;
    at += length;
  }
  return starts;
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The first record of the image that is a feature record: the tag of its
// second directory entry is FRID.
size_t firstFeatureRecord(const std::string& image) {
  for (const size_t at : recordStarts(image)) {
    if (at + 24 > image.size()) break;
    const size_t entry = 4 + static_cast<size_t>(image[at + 20] - '0') + static_cast<size_t>(image[at + 21] - '0');
    if (image.compare(at + 24 + entry, 4, "FRID") == 0) return at;
  }
  return image.size();
}
}  // namespace

// A cell that lost or gained whole records reads without a reader error; it
// is listed as far as it goes, with the finding first among its warnings and
// the finding's code as the result, never as a silent success.
TEST_F(LoadCell, ACellThatIsNotWholeIsListedWithItsCodeAndItsFindingFirst) {
  const S57Writer writer = fixtures::smallCell("PART.000");
  const std::string image = writer.image();
  const std::vector<size_t> at = writer.iso().recordOffsets();
  // [1] DSID, [2] DSPM, the nodes and edges, then the five features: the
  // M_NSYS area, two depth areas, a contour and a light.
  const size_t features = at.size() - 5;
  const std::string lastFeature = image.substr(at.back());
  struct Case {
    std::string name, bytes;
    ReaderResult code;
    size_t areas;
  } cases[] = {
      {"CUT.000", image.substr(0, at[features]), ReaderResult::RecordCountMismatch, 0},
      {"LOST.000", image.substr(0, at[features + 1]) + image.substr(at[features + 2]),
       ReaderResult::RecordCountMismatch, 2},
      {"TWICE.000", image + lastFeature, ReaderResult::RecordCountMismatch, 3},
  };
  CellLoadOptions options;
  options.warnings = {notInCatalogueWarning("X.000", "CATALOG.031")};
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The DSNM stays PART.000: a list of its own for each.
    CellList cells;
    const std::string path = dir.path + "/" + c.name;
    std::ofstream(path, std::ios::binary) << c.bytes;
    CellLoadReport report;
    const CellLoadResult code = load(path, cells, options, &report);
    EXPECT_EQ(code, c.code);
    EXPECT_TRUE(code.listed());
    ASSERT_NE(report.cell, nullptr);
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(report.cell->areas.size(), c.areas);
    ASSERT_GE(report.cell->loadWarnings.size(), 2u);
    const LoadWarning& first = report.cell->loadWarnings.front();
    EXPECT_EQ(first.kind, LoadWarningKind::RecordsDisagree);
    EXPECT_EQ(first.reader, c.code);
    EXPECT_EQ(first.text.rfind(c.name + ": records lost or added", 0), 0u) << first.text;
    EXPECT_EQ(report.cell->loadWarnings.back().kind, LoadWarningKind::NotInCatalogue);
  }
  // No feature at all is never a silent success, even as DSSI says 0.
  S57Writer empty;
  DataSet d;
  d.dsnm = "EMPTY.000";
  empty.addDataSet(d).addIsolatedNode(1, {470000000, -1220000000});
  CellLoadReport report;
  EXPECT_EQ(load(fixtures::writeCell(empty, dir.path, "empty.000"), list, CellLoadOptions(), &report),
            ReaderResult::NoFeatures);
  ASSERT_NE(report.cell, nullptr);
  EXPECT_EQ(report.cell->loadWarnings.at(0).reader, ReaderResult::NoFeatures);
  // A whole cell gives 0 and no finding.
  EXPECT_EQ(load(fixtures::writeCell(writer, dir.path, "whole.000"), list, CellLoadOptions(), &report),
            ReaderResult::Ok);
  EXPECT_TRUE(report.cell->loadWarnings.empty());
}

// Real cells cut at a record boundary, as a copy that stopped short leaves
// them: no reader error, and the cut is reported.
TEST_F(LoadCell, RealCellsCutAtARecordBoundaryAreReported) {
  const struct {
    std::string source;
    double share;  // 0: just before the first feature record
  } cuts[] = {
      {CHART_SHARED_ENC "/s58/AA3MSPAN.000", 0},
      {CHART_SHARED_ENC "/US5WA22M/US5WA22M.000", 0.09},
  };
  for (const auto& cut : cuts) {
    SCOPED_TRACE(cut.source);
    if (!std::filesystem::exists(cut.source)) GTEST_SKIP() << cut.source << " is absent";
    const std::string image = readFile(cut.source);
    size_t end = 0;
    if (cut.share == 0) {
      end = firstFeatureRecord(image);
    } else {
      for (const size_t at : recordStarts(image))
        if (at <= image.size() * cut.share) end = at;
    }
    ASSERT_GT(end, 0u);
    ASSERT_LT(end, image.size());
    const std::string path = dir.path + "/" + std::filesystem::path(cut.source).filename().string();
    std::ofstream(path, std::ios::binary) << image.substr(0, end);
    CellList cells;
    CellLoadReport report;
    EXPECT_EQ(load(path, cells, CellLoadOptions(), &report), ReaderResult::RecordCountMismatch);
    ASSERT_NE(report.cell, nullptr);
    const LoadWarning& finding = report.cell->loadWarnings.at(0);
    EXPECT_NE(finding.text.find(" geo feature records, 0 read"), std::string::npos) << finding.text;
  }
}

namespace {
// One offscreen application for the process, never destroyed (the offscreen
// platform does not free its screens on shutdown).
QGuiApplication& guiApplication() {
  static int argc = 1;
  static char name[] = "chart_test";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QGuiApplication(argc, argv);
  }();
  return *app;
}
}  // namespace

TEST(StartEngine, LoadsTheLibraryRegistersTheFontAndChecksTheCellDirectory) {
  guiApplication();
  fixtures::TempDirectory dir;
  const QString before = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.path)));

  {
    ChartEngine engine(kLibraryDirectory);
    EXPECT_EQ(startEngine(engine), EngineResult::NoLibrary);  // no S57Lib here
    EXPECT_FALSE(engine.hasLibrary());
    EXPECT_EQ(engine.chartFont().applicationFontId(), -1);
    EXPECT_EQ(engine.loadCell("anything.000"), CellLoadResult::noLibrary());
  }

  // Seven empty library files: the first one already gives nothing, and the
  // code that says so is kept for the window.
  QDir(QString::fromStdString(dir.path)).mkdir("S57Lib");
  for (const LibraryFile& library : libraryFiles()) {
    if (!library.required()) continue;
    QFile file(QStringLiteral("S57Lib/") + library.name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  {
    ChartEngine engine(kLibraryDirectory);
    EXPECT_EQ(startEngine(engine), EngineResult::NoLibrary);
    EXPECT_EQ(engine.libraryResult(), libraryFileResult(LibraryResult::NothingRead, 0));
    EXPECT_FALSE(engine.hasLibrary());
  }

  const std::filesystem::path generated = CHART_SOURCE_DIR "/S57Lib";
  if (!std::filesystem::is_directory(generated)) {
    QDir::setCurrent(before);
    GTEST_SKIP() << "no generated library in " << generated;
  }
  std::filesystem::copy(generated, std::filesystem::path(dir.path) / "S57Lib",
                        std::filesystem::copy_options::overwrite_existing | std::filesystem::copy_options::recursive);
  {
    ChartEngine engine(kLibraryDirectory);
    EXPECT_EQ(startEngine(engine), EngineResult::NoCellFolder);  // no s57000 directory
    EXPECT_EQ(engine.libraryResult(), LibraryResult::Ok);
    EXPECT_TRUE(engine.hasLibrary());
    ASSERT_GE(engine.chartFont().applicationFontId(), 0);
    EXPECT_FALSE(QFontDatabase::applicationFontFamilies(engine.chartFont().applicationFontId()).isEmpty());

    QDir(QString::fromStdString(dir.path)).mkdir("s57000");
    EXPECT_EQ(startEngine(engine), EngineResult::Ok);
  }
  QDir::setCurrent(before);
}

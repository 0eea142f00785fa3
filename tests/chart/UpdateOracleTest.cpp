// The shared cells that come with update files, loaded with their updates,
// against GDAL as an independent reader (ogrinfo with UPDATES=APPLY): the
// features per class, every feature's attributes matched by its object
// identifier (FOID, written as GDAL's LNAM), the soundings of each sounding
// feature, and the update GDAL reports as failed. The IHO's loading tests
// go through a chart store: the update set imported onto the base set, the
// cell loaded from the store, against GDAL on the same files side by side.
// Needs the generated library in S57Lib for the class and attribute
// acronyms.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>

#include <unistd.h>

#include "CellList.h"
#include "CellLoad.h"
#include "ChartStore.h"
#include "ChartView.h"
#include "DisplaySettings.h"
#include "PresentationLibrary.h"
#include "S57CellReader.h"
#include "ToolRun.h"
#include "UpdateChain.h"
#include "UpdateResult.h"

namespace fs = std::filesystem;

namespace {

const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";
const std::string kEnc = CHART_SHARED_ENC;
const std::string kS64 = CHART_SHARED_ENC "/../iho/s64/";
// The IHO's cells side by side with their updates, as GDAL reads them.
const fs::path kSideBySide = fs::temp_directory_path() / ("update_oracle_" + std::to_string(::getpid()));

struct UpdatedCell {
  std::string path;          // the base file with its update files beside it
  std::vector<int> updates;  // the numbers we apply
  // We refuse its update whole where GDAL applies it: compared with the
  // base file alone.
  bool refused = false;
  // Imported into a chart store in this order, the cell loaded from there;
  // none: loaded from `path`.
  std::vector<std::string> imports;
};

const std::vector<UpdatedCell>& updatedCells() {
  static const std::vector<UpdatedCell> cells = {
      {kEnc + "/US5WA22M/US5WA22M.000", {1, 2, 3, 4}, false, {}},
      {kEnc + "/s58/AA400008.000", {1}, false, {}},
      {kEnc + "/s58/AA400010.000", {}, false, {}},  // its update is built to fail
      // Its update deletes an attribute the feature does not have.
      {kEnc + "/s58/AA400011.000", {}, true, {}},
      {(kSideBySide / "edition1/GB5X01SW.000").string(), {1, 2, 3, 4, 5}, false,
       {kS64 + "2.1.1 Power Up", kS64 + "2.2.2 Loading of Updates"}},
      {(kSideBySide / "edition2/GB5X01SW.000").string(), {1}, false,
       {kS64 + "2.1.1 Power Up", kS64 + "2.2.2 Loading of Updates", kS64 + "2.2.5 Good Base Cells",
        kS64 + "2.2.4 Loading of New Update"}},
  };
  return cells;
}

// Copies the IHO's base and update files of GB5X01SW into one folder per
// edition, as GDAL wants them.
void placeSideBySide() {
  const std::pair<const char*, std::vector<std::string>> editions[] = {
      {"edition1",
       {"2.1.1 Power Up/ENC_ROOT/GB5X01SW.000", "2.2.2 Loading of Updates/ENC_ROOT/GB5X01SW.001",
        "2.2.2 Loading of Updates/ENC_ROOT/GB5X01SW.002", "2.2.2 Loading of Updates/ENC_ROOT/GB5X01SW.003",
        "2.2.2 Loading of Updates/ENC_ROOT/GB5X01SW.004", "2.2.2 Loading of Updates/ENC_ROOT/GB5X01SW.005"}},
      {"edition2",
       {"2.2.5 Good Base Cells/ENC_ROOT/GB5X01SW.000", "2.2.4 Loading of New Update/ENC_ROOT/GB5X01SW.001"}},
  };
  for (const auto& [folder, files] : editions) {
    fs::create_directories(kSideBySide / folder);
    for (const std::string& file : files)
      fs::copy_file(kS64 + file, kSideBySide / folder / fs::path(file).filename(),
                    fs::copy_options::overwrite_existing);
  }
}

struct GdalFeature {
  std::string layer;
  std::map<std::string, std::pair<std::string, std::string>> attributes;  // acronym -> (type, value)
  int points = -1;  // members of a MULTIPOINT
};

struct GdalCell {
  std::map<std::string, GdalFeature> features;  // by LNAM
  std::map<std::string, long> counts;           // layer -> "Feature Count", DSID left out
  std::vector<std::string> failedUpdates;       // "RCNM=130,RCID=8"
};

// Standard output, with standard error where the command merges it.
std::string run(const std::string& command, testsupport::Stderr stderrMode = testsupport::Stderr::Discard) {
  return testsupport::runCommand(command, stderrMode).out;
}

// The features of `ogrinfo -al` with UPDATES=APPLY (or IGNORE for a cell
// whose update we refuse) and lists as strings: "OGRFeature(CLASS):n" heads
// a feature, "  NAME (Type) = value" lines follow (a value may go on over
// further lines), then the geometry.
GdalCell readWithGdal(const UpdatedCell& updated) {
  GdalCell result;
  const std::string& cell = updated.path;
  const std::string options = std::string(" -oo UPDATES=") + (updated.refused ? "IGNORE" : "APPLY") +
                              " -oo RETURN_PRIMITIVES=OFF -oo LIST_AS_STRING=ON '" + cell + "'";
  std::string layer;
  for (std::istringstream lines(run("ogrinfo -ro -al -so" + options)); !lines.eof();) {
    std::string line;
    std::getline(lines, line);
    if (line.rfind("Layer name: ", 0) == 0) layer = line.substr(12);
    else if (line.rfind("Feature Count: ", 0) == 0 && layer != "DSID" && std::atol(line.c_str() + 15) > 0)
      result.counts[layer] = std::atol(line.c_str() + 15);  // the empty layers of the primitives left out
  }
  static const std::regex header(R"(^OGRFeature\((\w+)\):\d+$)"), field(R"(^  (\S+) \((\w+)\) = (.*)$)"),
      multipoint(R"(^  MULTIPOINT.* : (\d+) geometries:$)"), failed(R"(An update to (RCNM=\d+,RCID=\d+) failed)");
  GdalFeature current;
  std::string lnam, lastAttribute;
  auto finish = [&] {
    if (!lnam.empty()) result.features[lnam] = current;
    current = GdalFeature();
    lnam.clear();
  };
  std::istringstream lines(run("ogrinfo -ro -al -geom=SUMMARY" + options, testsupport::Stderr::Merge));
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // a value's own line break
    std::smatch m;
    if (std::regex_search(line, m, failed)) {
      result.failedUpdates.push_back(m[1]);
    } else if (std::regex_match(line, m, header)) {
      finish();
      current.layer = m[1];
      lastAttribute.clear();
    } else if (std::regex_match(line, m, field)) {
      lastAttribute.clear();
      if (m[1] == "LNAM") {
        lnam = m[3];
      } else if (m[1].length() == 6) {  // the S-57 acronyms; GDAL's own fields are named otherwise
        current.attributes[m[1]] = {m[2], m[3]};
        lastAttribute = m[1];
      }
    } else if (std::regex_match(line, m, multipoint)) {
      current.points = std::atoi(m[1].str().c_str());
      lastAttribute.clear();
    } else if (!lastAttribute.empty() && !line.empty() && line[0] != ' ') {
      current.attributes[lastAttribute].second += "\n" + line;
    } else {
      lastAttribute.clear();
    }
  }
  finish();
  return result;
}

std::string lnamOf(const ChartFeature& f) {
  char text[24];
  std::snprintf(text, sizeof text, "%04X%08X%04X", static_cast<unsigned>(f.agency),
                static_cast<unsigned>(f.featureNumber), static_cast<unsigned>(f.featureSubdivision));
  return text;
}

bool validUtf8(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    if (n == 0 || i + n > text.size()) return false;
    for (size_t k = 1; k < n; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += n;
  }
  return true;
}

// Our value against GDAL's: numbers by value, text as GDAL gives it, in
// UTF-8 (our ATTF values keep the cell's Latin-1 bytes) and with the
// carriage returns of line breaks dropped (GDAL's output loses them).
bool sameValue(const std::string& ours, const std::string& type, const std::string& theirs) {
  if (type == "Integer" || type == "Real") {
    char* end = nullptr;
    const double value = std::strtod(ours.c_str(), &end);
    return end != ours.c_str() && std::fabs(value - std::atof(theirs.c_str())) < 1e-9;
  }
  std::string text;
  if (validUtf8(ours)) {
    text = ours;
  } else {
    for (const char c : ours) {
      const auto b = static_cast<unsigned char>(c);
      if (b < 0x80) text += c;
      else text += {static_cast<char>(0xC0 | (b >> 6)), static_cast<char>(0x80 | (b & 0x3F))};
    }
  }
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text == theirs;
}

class UpdatedCells : public testing::Test {
protected:
  static void SetUpTestSuite() {
    if (fs::is_directory(kS64)) placeSideBySide();
  }
  static void TearDownTestSuite() { fs::remove_all(kSideBySide); }

  void SetUp() override {
    for (const UpdatedCell& c : updatedCells())
      if (!fs::exists(c.path)) GTEST_SKIP() << c.path << " is absent";
    if (!fs::is_directory(kLibrary)) GTEST_SKIP() << "no generated library in " << kLibrary;
    if (!testsupport::onPath("ogrinfo")) GTEST_SKIP() << "ogrinfo (gdal-bin) is not installed";
    ASSERT_EQ(loadPresentationLibrary(library, kLibrary), LibraryResult::Ok);
  }

  // Loads the cell with its updates into `list`: from its folder, or
  // imported into a chart store and loaded from there as a start would.
  const S57Cell* load(const UpdatedCell& c, CellList& list, CellLoadReport& report) {
    ChartView view;
    if (c.imports.empty()) {
      EXPECT_EQ(loadCell(c.path, library, list, &view, CellLoadOptions(), &report), ReaderResult::Ok);
    } else {
      const fs::path folder = kSideBySide / ("store" + std::to_string(&c - updatedCells().data()));
      ChartStore store(folder.string());
      for (const std::string& set : c.imports) EXPECT_TRUE(store.import({set}).written) << set;
      std::string error;
      EXPECT_TRUE(store.load(error)) << error;
      const StoredCell* stored = store.index().find(fs::path(c.path).stem().string());
      if (!stored) {
        ADD_FAILURE() << "the store holds no " << c.path;
        return nullptr;
      }
      const CellSource source = store.cellSource(*stored);
      CellLoadOptions options;
      options.updateFiles = &source.updates;
      options.fileBytes = store.fileBytes();
      EXPECT_EQ(loadCell(source.path, library, list, &view, options, &report), ReaderResult::Ok);
    }
    if (report.cell) {
      EXPECT_EQ(report.cell->updatesApplied, c.updates);
    }
    return report.cell;
  }

  std::string acronym(int code) const {
    const auto& classes = library.objectClassCatalogue;
    const auto it = classes.find(code);
    return it == classes.end() ? "OBJL " + std::to_string(code) : it->second.acronym;
  }

  PresentationLibrary library;
};

}  // namespace

TEST_F(UpdatedCells, FeatureCountsPerClassMatchOgrinfo) {
  for (const UpdatedCell& c : updatedCells()) {
    SCOPED_TRACE(c.path);
    CellList list;
    CellLoadReport report;
    const S57Cell* cell = load(c, list, report);
    ASSERT_NE(cell, nullptr);
    std::map<std::string, long> ours;
    auto count = [&](const auto& features) {
      for (const auto& f : features) ++ours[acronym(f->objectClass)];
    };
    count(cell->points);
    count(cell->soundings);
    count(cell->lines);
    count(cell->areas);
    // Records without geometry build no feature; GDAL counts them.
    S57CellReader reader;
    ASSERT_EQ(reader.readCell(c.path), ReaderResult::Ok);
    applyUpdateChain(reader, findUpdateFiles(c.path));
    for (const auto& record : reader.features)
      if (record->PRIM < 1 || record->PRIM > 3) ++ours[acronym(record->OBJL)];
    EXPECT_EQ(ours, readWithGdal(c).counts);
  }
}

TEST_F(UpdatedCells, FeatureAttributesMatchOgrinfoByObjectIdentifier) {
  for (const UpdatedCell& c : updatedCells()) {
    SCOPED_TRACE(c.path);
    CellList list;
    CellLoadReport report;
    const S57Cell* cell = load(c, list, report);
    ASSERT_NE(cell, nullptr);
    const GdalCell gdal = readWithGdal(c);
    ASSERT_FALSE(gdal.features.empty());
    size_t compared = 0;
    auto compare = [&](const ChartFeature& f, int soundings) {
      const auto it = gdal.features.find(lnamOf(f));
      if (it == gdal.features.end()) {
        ADD_FAILURE() << "GDAL has no feature " << lnamOf(f);
        return;
      }
      const GdalFeature& theirs = it->second;
      EXPECT_EQ(acronym(f.objectClass), theirs.layer) << lnamOf(f);
      std::map<std::string, std::string> ours;
      for (const FeatureAttribute& a : f.attributes) ours[a.acronym] = a.value;
      for (const auto& [name, typed] : theirs.attributes) {
        const auto mine = ours.find(name);
        if (mine == ours.end()) ADD_FAILURE() << lnamOf(f) << " lacks " << name << " = " << typed.second;
        else EXPECT_TRUE(sameValue(mine->second, typed.first, typed.second))
            << lnamOf(f) << " " << name << ": ours '" << mine->second << "', GDAL's '" << typed.second << "'";
      }
      // An empty value (unknown) is no attribute to GDAL.
      for (const auto& [name, value] : ours)
        if (!value.empty() && !theirs.attributes.count(name))
          ADD_FAILURE() << lnamOf(f) << " has " << name << " = " << value << ", GDAL has none";
      // GDAL applies what it can of a failed update; we apply none of it,
      // so its geometry is compared only where every update applied.
      if (soundings >= 0 && gdal.failedUpdates.empty()) {
        EXPECT_EQ(soundings, theirs.points) << lnamOf(f);
      }
      ++compared;
    };
    for (const auto& f : cell->areas) compare(*f, -1);
    for (const auto& f : cell->lines) compare(*f, -1);
    for (const auto& f : cell->points) compare(*f, -1);
    for (const auto& f : cell->soundings) compare(*f, static_cast<int>(f->soundings.size()));
    std::printf("%s: %zu features compared with GDAL's\n", fs::path(c.path).filename().c_str(), compared);
  }
}

TEST_F(UpdatedCells, TheUpdateGdalReportsAsFailedIsNamedWithItsRecord) {
  const UpdatedCell& aa400010 = updatedCells()[2];
  const GdalCell gdal = readWithGdal(aa400010);
  ASSERT_FALSE(gdal.failedUpdates.empty()) << "GDAL applied AA400010.001 in full";
  CellList list;
  CellLoadReport report;
  const S57Cell* cell = load(aa400010, list, report);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(report.updates.code, UpdateResult::VersionMismatch);
  // We stop at the first record GDAL names; the cell says so in its warnings.
  ASSERT_EQ(cell->loadWarnings.size(), 1u);
  EXPECT_EQ(cell->loadWarnings.front().file, "AA400010.001");
  const std::string& warning = cell->loadWarnings.front().text;
  EXPECT_EQ(warning.rfind("AA400010.001: ", 0), 0u) << warning;
  EXPECT_NE(warning.find(gdal.failedUpdates.front()), std::string::npos) << warning;
  EXPECT_EQ(warning, report.updates.error);
  for (const UpdatedCell& c : updatedCells())
    if (&c != &aa400010) {
      SCOPED_TRACE(c.path);
      EXPECT_TRUE(readWithGdal(c).failedUpdates.empty());
    }
}

// The pointer insertions of US5WA22M.003 put new edges into the boundaries
// of a dozen areas by index: misplaced, they would break the rings.
TEST_F(UpdatedCells, AreaBoundariesOfUS5WA22MStayClosedWithItsUpdates) {
  const UpdatedCell& us5 = updatedCells()[0];
  auto breaks = [&](bool updates) {
    CellList list;
    ChartView view;
    CellLoadOptions options;
    options.applyUpdates = updates;
    CellLoadReport report;
    EXPECT_EQ(loadCell(us5.path, library, list, &view, options, &report), ReaderResult::Ok);
    int open = 0;
    for (const auto& area : report.cell->areas) {
      const auto& parts = area->exteriorParts;
      const auto& v = area->exteriorVertices;
      size_t ringStart = 0;
      for (size_t i = 0; i + 1 < parts.size(); ++i) {
        const ChartPoint& end = v[parts[i].offset + parts[i].count - 1].point;
        const ChartPoint& start = v[parts[ringStart].offset].point;
        const ChartPoint& next = v[parts[i + 1].offset].point;
        if (end.x == start.x && end.y == start.y) ringStart = i + 1;  // a ring closed
        else if (end.x != next.x || end.y != next.y) ++open;
      }
    }
    return open;
  };
  const int base = breaks(false);
  EXPECT_EQ(breaks(true), base);
  std::printf("open joints between exterior edges: %d with and without the updates\n", base);
}

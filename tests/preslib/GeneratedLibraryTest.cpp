// The library built from the real sources: the cached chartsymbols.xml and
// raster sheet of the set-up and Debian's gdal-data tables. Skipped when they
// are not there.
#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "CatalogueCsv.h"
#include "ChartSymbolsXml.h"
#include "ColourToken.h"
#include "LibraryConverter.h"
#include "LibraryFixture.h"
#include "MissingDrawings.h"
#include "PresentationLibrary.h"

namespace {
std::string cached(const std::string& name) {
  for (const std::string& candidate : {std::string(CHART_BINARY_DIR) + "/sources/" + name,
                                       std::string(CHART_SOURCE_DIR) + "/build/sources/" + name})
    if (std::filesystem::is_regular_file(candidate)) return candidate;
  return {};
}

const char* const kObjectClassesCsv = "/usr/share/gdal/s57objectclasses.csv";
const char* const kAttributesCsv = "/usr/share/gdal/s57attributes.csv";
const char* const kExpectedInputCsv = "/usr/share/gdal/s57expectedinput.csv";

// The names misspelt in the XML's look-ups that name drawings it has.
const std::vector<std::string> kRepairs = {"SY TOWERS74| -> TOWERS74", "SY rdocal02 -> RDOCAL02",
                                           "SY rdocal03 -> RDOCAL03"};

// The names look-ups use that the XML has in no form at all, as the source
// writes them and as the library reads them (eight characters): drawn with
// stand-ins.
const std::set<std::string> kSymbolsAbsentFromSource = {
    "BCNCON81", "BOYLAT52", "BOYLAT53",  "BOYLAT54", "BOYLAT55", "BOYLAT56", "BOYSPH79",
    "BOYSPR02", "BOYSPR03", "DANGER53",  "DGPS01DRFSTA01", "ESSARE01", "FLTHAZ02", "NEWOBJ 01",
    "NEWOBJ01", "PSSARE01", "TOPSHP33",  "VEHTRF01", "boyspp50"};
const std::set<std::string> kMissingSymbols = {
    "BCNCON81", "BOYLAT52", "BOYLAT53", "BOYLAT54", "BOYLAT55", "BOYLAT56", "BOYSPH79",
    "BOYSPR02", "BOYSPR03", "DANGER53", "DGPS01DR", "ESSARE01", "FLTHAZ02", "NEWOBJ 0",
    "NEWOBJ01", "PSSARE01", "TOPSHP33", "VEHTRF01", "boyspp50"};
const std::set<std::string> kMissingLineStyles = {"ARCSLN01", "NEWOBJ01"};

class GeneratedLibrary : public testing::Test {
protected:
  static void SetUpTestSuite() {
    sources_.xml = cached("chartsymbols.xml");
    sources_.raster = cached("rastersymbols-day.png");
    sources_.objectClasses = kObjectClassesCsv;
    sources_.attributes = kAttributesCsv;
    if (std::filesystem::exists(kExpectedInputCsv)) sources_.attributeValues = kExpectedInputCsv;
    if (sources_.xml.empty() || sources_.raster.empty() || !std::filesystem::exists(kObjectClassesCsv) ||
        !std::filesystem::exists(kAttributesCsv))
      return;
    dir_ = new TempDir;
    converted_ = convertLibrary(sources_, dir_->file("S57Lib"), report_, error_);
    if (!converted_) return;
    std::printf("converted: %s\n", report_.summary().c_str());
    library_ = new PresentationLibrary;
    loadResult_ = loadPresentationLibrary(*library_, dir_->file("S57Lib"));
    readChartSymbolsXml(sources_.xml, xml_, error_);
  }
  static void TearDownTestSuite() {
    delete library_;
    delete dir_;
    library_ = nullptr;
    dir_ = nullptr;
  }
  void SetUp() override {
    if (sources_.xml.empty() || sources_.raster.empty())
      GTEST_SKIP() << "no cached chartsymbols.xml and rastersymbols-day.png under " << CHART_BINARY_DIR
                   << "/sources: run scripts/build-library.sh first";
    if (!std::filesystem::exists(kObjectClassesCsv)) GTEST_SKIP() << "gdal-data is not installed";
    ASSERT_TRUE(converted_) << error_;
    ASSERT_EQ(loadResult_, 0);
  }

  static LibrarySources sources_;
  static ConversionReport report_;
  static TempDir* dir_;
  static bool converted_;
  static std::string error_;
  static PresentationLibrary* library_;
  static int loadResult_;
  static ChartSymbolsXml xml_;
};

LibrarySources GeneratedLibrary::sources_;
ConversionReport GeneratedLibrary::report_;
TempDir* GeneratedLibrary::dir_ = nullptr;
bool GeneratedLibrary::converted_ = false;
std::string GeneratedLibrary::error_;
PresentationLibrary* GeneratedLibrary::library_ = nullptr;
int GeneratedLibrary::loadResult_ = -1;
ChartSymbolsXml GeneratedLibrary::xml_;

std::set<std::string> vectorNames(const std::vector<XmlDrawing>& drawings) {
  std::set<std::string> names;
  for (const XmlDrawing& d : drawings)
    if (d.hasVector) names.insert(d.name);
  return names;
}

std::set<std::string> allNames(const std::vector<XmlDrawing>& drawings) {
  std::set<std::string> names;
  for (const XmlDrawing& d : drawings) names.insert(d.name);
  return names;
}

// Distinct codes of a catalogue table, comment rows ("###") left out.
std::size_t distinctCodes(const char* path) {
  CsvTable table;
  std::string error;
  if (!readCsvTable(path, table, error)) return 0;
  std::set<std::string> codes;
  for (const auto& row : table.rows)
    if (row.size() > 1 && row[1].rfind("###", 0) != 0) codes.insert(row[0]);
  return codes.size();
}
}  // namespace

TEST_F(GeneratedLibrary, ColoursMatchTheXmlTables) {
  const std::map<std::string, ColourScheme> schemes = {{"DAY_BRIGHT", ColourScheme::DAY_BRIGHT},
                                                       {"DUSK", ColourScheme::DUSK},
                                                       {"DAY_BLACKBACK", ColourScheme::DAY_BLACKBACK},
                                                       {"DAY_WHITEBACK", ColourScheme::DAY_WHITEBACK},
                                                       {"NIGHT", ColourScheme::NIGHT}};
  ASSERT_EQ(xml_.colourTables.size(), 5u);
  for (const XmlColourTable& t : xml_.colourTables) {
    const ColourTable& loaded = library_->colourTable(schemes.at(t.name));
    int set = 0;
    for (const QColor& c : loaded.entries) set += c.isValid() ? 1 : 0;
    EXPECT_EQ(set, static_cast<int>(t.colours.size())) << t.name;
    for (const XmlColour& c : t.colours)
      EXPECT_EQ(loaded.entries[colourIndex(c.token)], QColor(c.red, c.green, c.blue)) << t.name << " " << c.token;
  }
}

TEST_F(GeneratedLibrary, LookupsMatchTheXmlTableByTable) {
  const std::map<std::string, LookupTableId> tables = {{"Plain", LookupTableId::PLAIN_BOUNDARIES},
                                                       {"Symbolized", LookupTableId::SYMBOLIZED_BOUNDARIES},
                                                       {"Paper", LookupTableId::PAPER_CHART},
                                                       {"Simplified", LookupTableId::SIMPLIFIED},
                                                       {"Lines", LookupTableId::LINES}};
  std::map<LookupTableId, std::size_t> entries;
  std::map<LookupTableId, std::set<std::string>> classes;
  std::size_t longNames = 0;
  for (const XmlLookup& l : xml_.lookups) {
    if (l.className.size() != 6) {
      ++longNames;
      continue;
    }
    ++entries[tables.at(l.tableName)];
    classes[tables.at(l.tableName)].insert(l.className);
  }
  EXPECT_EQ(longNames, 5u);  // the _RDOCAL records
  for (const auto& [name, id] : tables) {
    std::size_t loaded = 0;
    for (const auto& [cls, list] : library_->lookupTable(id)) loaded += list.size();
    EXPECT_EQ(loaded, entries[id]) << name;
    EXPECT_EQ(library_->lookupTable(id).size(), classes[id].size()) << name;
  }
}

TEST_F(GeneratedLibrary, DrawingsAndCataloguesMatchTheSources) {
  // Every name of the XML has a drawing (its vector one, the project's or one
  // traced from its bitmap), and so have the project's digits.
  std::set<std::string> symbols = allNames(xml_.symbols);
  for (int row = 0; row < 8; ++row)
    for (int digit = 0; digit < 10; ++digit) symbols.insert("SAFCON" + std::to_string(row) + std::to_string(digit));
  for (const char* family : {"SOUNDG", "SOUNDS"}) {
    for (int row = 0; row < 6; ++row)
      for (int digit = 0; digit < 10; ++digit) symbols.insert(family + std::to_string(row) + std::to_string(digit));
    for (const char* mark : {"A1", "B1", "C2"}) symbols.insert(family + std::string(mark));
  }
  EXPECT_EQ(library_->symbols.size(), symbols.size());
  EXPECT_EQ(library_->patterns.size(), allNames(xml_.patterns).size());
  EXPECT_EQ(library_->lineStyles.size(), vectorNames(xml_.lineStyles).size());
  for (const auto& [name, s] : library_->symbols) EXPECT_EQ(symbols.count(name), 1u) << name;

  EXPECT_EQ(library_->objectClassCatalogue.size(), distinctCodes(kObjectClassesCsv));
  EXPECT_EQ(library_->attributeCatalogue.size(), distinctCodes(kAttributesCsv));
  EXPECT_EQ(library_->objectClassCatalogue.at(42).acronym, "DEPARE");
  EXPECT_EQ(library_->attributeCatalogue.at("87").acronym, "DRVAL1");
}

TEST_F(GeneratedLibrary, MisspeltNamesAreRepairedAndTheRestAreAbsentFromTheSource) {
  std::vector<std::string> repairs;
  for (const NameRepair& r : report_.names.repairs) repairs.push_back(r.text());
  std::sort(repairs.begin(), repairs.end());
  EXPECT_EQ(repairs, kRepairs);
  EXPECT_EQ(report_.lookupsWithRepairedName, 5);
  EXPECT_EQ(report_.names.missing.symbols, kSymbolsAbsentFromSource);
  EXPECT_TRUE(report_.names.missing.patterns.empty());
  EXPECT_EQ(report_.names.missing.lineStyles, kMissingLineStyles);

  // What the library reads: the same names, cut to eight characters, and
  // none has a drawing of its kind in the XML, in any case. (ESSARE01 is a
  // line style there; the look-ups ask for a symbol.)
  const DrawingNames missing = missingDrawings(*library_);
  std::printf("drawings the look-ups name that the library lacks: %zu\n", missing.size());
  EXPECT_EQ(missing.symbols, kMissingSymbols);
  EXPECT_TRUE(missing.patterns.empty());
  EXPECT_EQ(missing.lineStyles, kMissingLineStyles);
  auto upper = [](const std::string& name) { return QString::fromStdString(name).toUpper().toStdString(); };
  for (const auto& [inXml, names] : {std::pair{&xml_.symbols, &missing.symbols}, {&xml_.lineStyles, &missing.lineStyles}}) {
    std::set<std::string> xmlNames;
    for (const XmlDrawing& d : *inXml) xmlNames.insert(upper(d.name));
    for (const std::string& name : *names) EXPECT_EQ(xmlNames.count(upper(name)), 0u) << name;
  }
}

TEST_F(GeneratedLibrary, AttributeValuesMatchTheExpectedInputTable) {
  if (sources_.attributeValues.empty()) GTEST_SKIP() << kExpectedInputCsv << " is not installed";
  CsvTable table;
  std::string error;
  ASSERT_TRUE(readCsvTable(kExpectedInputCsv, table, error)) << error;
  std::size_t values = 0;
  for (const auto& [attribute, meanings] : library_->attributeValues) values += meanings.size();
  EXPECT_EQ(values, table.rows.size());
  EXPECT_EQ(library_->attributeValues.at(75).at(3), "red");  // COLOUR
  EXPECT_EQ(library_->attributeValues.at(4).at(1), "conical (nun, ogival)");  // BOYSHP
}

TEST_F(GeneratedLibrary, SoundingSymbolsAreTheXmlVectorsOrTheProjectsDigits) {
  // The XML's vector marks stay; the digits and the deep drying mark, bitmaps
  // there, are the project's in each family's colour.
  const std::set<std::string> xmlVectors = vectorNames(xml_.symbols);
  for (const char* name : {"SOUNDGB1", "SOUNDGC2", "SOUNDSA1", "SOUNDSB1", "SOUNDSC2"})
    EXPECT_EQ(xmlVectors.count(name), 1u) << name;
  EXPECT_EQ(xmlVectors.count("SOUNDGA1"), 0u);
  EXPECT_EQ(report_.soundingFigureSymbols, 2 * 60 + 1);
  for (const auto& [prefix, colour] : {std::pair<std::string, int>{"SOUNDG", colourIndex("SNDG1")},
                                       {"SOUNDS", colourIndex("SNDG2")}}) {
    for (const char* suffix : {"00", "12", "30", "59", "A1"}) {
      if (xmlVectors.count(prefix + suffix)) continue;  // SOUNDSA1
      const SymbolDefinition& s = library_->symbols.at(prefix + suffix);
      ASSERT_GE(s.commands.size(), 2u) << prefix << suffix;
      EXPECT_EQ(s.commands[0].colour, colour) << prefix << suffix;
      EXPECT_EQ(s.commands[1].opcode, kSW) << prefix << suffix;  // strokes, not traced rectangles
    }
  }
}

TEST_F(GeneratedLibrary, TracedBitmapsStaySmall) {
  // Every other bitmap-only drawing is traced; the rectangles bound the
  // library's size, its loading time and the cost of drawing a symbol.
  EXPECT_GT(report_.tracedSymbols, 500);
  EXPECT_EQ(report_.tracedPatterns, 5);
  EXPECT_LT(report_.tracedRectangles, 25000);
  EXPECT_LT(report_.mostTracedRectangles, 250) << report_.mostTracedName;
  const std::set<std::string> xmlVectors = vectorNames(xml_.symbols);
  for (const char* name : {"OBSTRN11", "DANGER51", "DANGER52", "ISODGR51", "LIGHTS90", "TOPMAR01", "BOYCAN60"}) {
    EXPECT_EQ(xmlVectors.count(name), 0u) << name;
    EXPECT_EQ(library_->symbols.count(name), 1u) << name;
  }
}

TEST_F(GeneratedLibrary, ProcedureCallsNameTheImplementedRevisions) {
  const std::set<std::string> older = {"DEPARE01", "DEPCNT02", "OBSTRN04", "RESARE02", "WRECKS02"};
  std::set<std::string> called;
  for (const LookupTable& table : library_->lookupTables)
    for (const auto& [cls, list] : table)
      for (const LookupEntry& e : list)
        for (const Instruction& in : e.instructions)
          if (in.kind == kCS) called.insert(in.name);
  for (const std::string& name : older) EXPECT_EQ(called.count(name), 0u) << name;
  for (const char* name : {"DEPARE02", "DEPCNT03", "OBSTRN06", "RESARE03", "WRECKS04"})
    EXPECT_EQ(called.count(name), 1u) << name;
}

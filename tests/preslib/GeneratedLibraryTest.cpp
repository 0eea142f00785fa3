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

// The names misspelt in the XML's look-ups that name drawings it has or
// that the project's supplementary drawings add.
const std::vector<std::string> kRepairs = {"SY NEWOBJ 01 -> NEWOBJ01", "SY TOWERS74| -> TOWERS74",
                                           "SY boyspp50 -> BOYSPP50", "SY rdocal02 -> RDOCAL02",
                                           "SY rdocal03 -> RDOCAL03"};

// The drawings the supplementary file adds: every name the look-ups use that
// the XML has in no form at all, but one, and NONHODAT, which the draw pass
// names itself round non-official data.
const std::set<std::string> kSupplementarySymbols = {
    "BCNCON81", "BOYLAT52", "BOYLAT53", "BOYLAT54", "BOYLAT55", "BOYLAT56", "BOYSPH79", "BOYSPP50", "BOYSPR02",
    "BOYSPR03", "DANGER53", "ESSARE01", "FLTHAZ02", "NEWOBJ01", "PSSARE01", "TOPSHP33", "VEHTRF01"};
const std::set<std::string> kSupplementaryLineStyles = {"ARCSLN01", "NEWOBJ01", "NONHODAT"};

// What is left: two names run together, as the source writes it and as the
// library reads it (eight characters); drawn with a stand-in.
const std::set<std::string> kSymbolsAbsentFromSource = {"DGPS01DRFSTA01"};
const std::set<std::string> kMissingSymbols = {"DGPS01DR"};

// The look-ups whose display category the viewing group mends: class,
// geometry and group. Every one goes from Standard to Display Base.
const std::set<std::string> kMendedCategories = {
    "$LINES Line 10000", "$LINES Line 11060", "$LINES Line 11080", "$TEXTS Area 10000", "$TEXTS Line 10000",
    "$TEXTS Point 10000", "ACHPNT Point 10000", "CHNWIR Line 10000", "DRGARE Area 13030", "DWRTPT Area 15010",
    "HULKES Point 12410", "ISTZNE Area 15010", "LAKSHR Line 10000", "MORFAC Area 12410", "MORFAC Point 12410",
    "OFSPLF Point 12210", "PILPNT Point 12410", "PRCARE Area 15010", "PRCARE Point 15010", "PYLONS Point 12210",
    "RCRTCL Line 15020", "RCTLPT Area 15020", "RCTLPT Point 15020", "RDOCAL Line 15060", "RDOCAL Point 15060",
    "SLCONS Area 12410", "SLCONS Point 12410", "TSELNE Line 15010", "TSEZNE Area 15010", "TSSBND Line 15010",
    "TSSCRS Area 15010", "TSSLPT Area 15010", "TSSRON Area 15010", "TWRTPT Area 15010", "UNSARE Area 11050",
    "ZEMCNT Line 10000", "_cmapl Line 10000", "_texto Point 10000", "rdocal Line 15060", "rdocal Point 15060"};

class GeneratedLibrary : public testing::Test {
protected:
  static void SetUpTestSuite() {
    sources_.xml = cached("chartsymbols.xml");
    sources_.raster = cached("rastersymbols-day.png");
    sources_.supplement = CHART_SOURCE_DIR "/tools/mklib/SupplementaryDrawings.xml";
    sources_.chineseNames = CHART_SOURCE_DIR "/tools/mklib/ChineseNames.csv";
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
    ASSERT_EQ(loadResult_, LibraryResult::Ok);
  }

  static LibrarySources sources_;
  static ConversionReport report_;
  static TempDir* dir_;
  static bool converted_;
  static std::string error_;
  static PresentationLibrary* library_;
  static LibraryResult loadResult_;
  static ChartSymbolsXml xml_;
};

LibrarySources GeneratedLibrary::sources_;
ConversionReport GeneratedLibrary::report_;
TempDir* GeneratedLibrary::dir_ = nullptr;
bool GeneratedLibrary::converted_ = false;
std::string GeneratedLibrary::error_;
PresentationLibrary* GeneratedLibrary::library_ = nullptr;
LibraryResult GeneratedLibrary::loadResult_ = LibraryResult::CannotOpen;
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
  // traced from its bitmap), and so have the project's digits and the
  // supplementary drawings.
  std::set<std::string> symbols = allNames(xml_.symbols);
  symbols.insert(kSupplementarySymbols.begin(), kSupplementarySymbols.end());
  for (int row = 0; row < 8; ++row)
    for (int digit = 0; digit < 10; ++digit) symbols.insert("SAFCON" + std::to_string(row) + std::to_string(digit));
  for (const char* family : {"SOUNDG", "SOUNDS"}) {
    for (int row = 0; row < 6; ++row)
      for (int digit = 0; digit < 10; ++digit) symbols.insert(family + std::to_string(row) + std::to_string(digit));
    for (const char* mark : {"A1", "B1", "C2"}) symbols.insert(family + std::string(mark));
  }
  EXPECT_EQ(library_->symbols.size(), symbols.size());
  EXPECT_EQ(library_->patterns.size(), allNames(xml_.patterns).size());
  EXPECT_EQ(library_->lineStyles.size(), vectorNames(xml_.lineStyles).size() + kSupplementaryLineStyles.size());
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
  EXPECT_EQ(report_.lookupsWithRepairedName, 8);
  EXPECT_EQ(report_.names.missing.symbols, kSymbolsAbsentFromSource);
  EXPECT_TRUE(report_.names.missing.patterns.empty());
  EXPECT_TRUE(report_.names.missing.lineStyles.empty());

  // What the library reads: the same name, cut to eight characters, and it
  // has no drawing of its kind in the XML, in any case.
  const DrawingNames missing = missingDrawings(*library_);
  std::printf("drawings the look-ups name that the library lacks: %zu\n", missing.size());
  EXPECT_EQ(missing.symbols, kMissingSymbols);
  EXPECT_TRUE(missing.patterns.empty());
  EXPECT_TRUE(missing.lineStyles.empty());
  auto upper = [](const std::string& name) { return QString::fromStdString(name).toUpper().toStdString(); };
  for (const auto& [inXml, names] : {std::pair{&xml_.symbols, &missing.symbols}, {&xml_.lineStyles, &missing.lineStyles}}) {
    std::set<std::string> xmlNames;
    for (const XmlDrawing& d : *inXml) xmlNames.insert(upper(d.name));
    for (const std::string& name : *names) EXPECT_EQ(xmlNames.count(upper(name)), 0u) << name;
  }
}

// The supplementary drawings are those of names the XML has in no form
// (ESSARE01 only as a line style, the look-ups ask for a symbol), and each
// is in the library as the file draws it.
TEST_F(GeneratedLibrary, SupplementaryDrawingsAreTheNamesTheXmlLacks) {
  EXPECT_EQ(report_.supplementarySymbols, static_cast<int>(kSupplementarySymbols.size()));
  EXPECT_EQ(report_.supplementaryPatterns, 0);
  EXPECT_EQ(report_.supplementaryLineStyles, static_cast<int>(kSupplementaryLineStyles.size()));
  EXPECT_TRUE(report_.supplementaryLeftOut.empty());
  ChartSymbolsXml supplement;
  std::string error;
  ASSERT_TRUE(readDrawingsXml(sources_.supplement, supplement, error)) << error;
  EXPECT_EQ(allNames(supplement.symbols), kSupplementarySymbols);
  EXPECT_EQ(allNames(supplement.lineStyles), kSupplementaryLineStyles);
  const std::set<std::string> xmlSymbols = allNames(xml_.symbols), xmlLineStyles = allNames(xml_.lineStyles);
  for (const XmlDrawing& d : supplement.symbols) {
    EXPECT_EQ(xmlSymbols.count(d.name), 0u) << d.name;
    ASSERT_EQ(library_->symbols.count(d.name), 1u) << d.name;
    const SymbolDefinition& s = library_->symbols.at(d.name);
    EXPECT_EQ(s.pivotColumn, scaleSymbolUnits(d.pivotX)) << d.name;
    EXPECT_FALSE(s.commands.empty()) << d.name;
    for (const auto& [letter, token] : s.colourReferences)
      EXPECT_TRUE(colourIndex(token) != 0 || token == "NODTA") << d.name << " " << token;
  }
  for (const XmlDrawing& d : supplement.lineStyles) {
    EXPECT_EQ(xmlLineStyles.count(d.name), 0u) << d.name;
    EXPECT_EQ(library_->lineStyles.count(d.name), 1u) << d.name;
  }
}

// Display categories that contradict the viewing group are mended to it,
// always towards Display Base here; the aids to navigation (17xxx) keep
// theirs.
TEST_F(GeneratedLibrary, DisplayCategoriesAreMendedToTheirViewingGroups) {
  std::set<std::string> mended;
  for (const CategoryRepair& r : report_.categories) {
    mended.insert(r.className + " " + r.geometry + " " + r.viewingGroup);
    EXPECT_EQ(r.from, "Standard") << r.text();
    EXPECT_EQ(r.to, "Displaybase") << r.text();
  }
  EXPECT_EQ(mended, kMendedCategories);
  EXPECT_EQ(report_.lookupsWithMendedCategory, 124);
  for (const LookupTable& table : library_->lookupTables)
    for (const auto& [cls, list] : table)
      for (const LookupEntry& e : list) {
        if (e.viewingGroup.size() != 5 || e.viewingGroup.compare(0, 2, "17") == 0) continue;
        if (e.viewingGroup[0] == '1' && e.displayCategoryText != "MARINERS_STANDARD" &&
            !e.displayCategoryText.empty()) {
          EXPECT_EQ(e.displayCategoryText, "DISPLAYBASE") << cls << " " << e.viewingGroup;
        }
      }
  EXPECT_EQ(library_->lookupTable(LookupTableId::PAPER_CHART).at("BOYLAT").front().displayCategoryText, "STANDARD");
}

TEST_F(GeneratedLibrary, AttributeValuesMatchTheExpectedInputTable) {
  if (sources_.attributeValues.empty()) GTEST_SKIP() << kExpectedInputCsv << " is not installed";
  CsvTable table;
  std::string error;
  ASSERT_TRUE(readCsvTable(kExpectedInputCsv, table, error)) << error;
  std::size_t values = 0, withMeaning = 0;
  for (const auto& [attribute, meanings] : library_->attributeValues) values += meanings.size();
  for (const std::vector<std::string>& row : table.rows)
    withMeaning += row.size() > 2 && row[2].find_first_not_of(' ') != std::string::npos ? 1 : 0;
  EXPECT_EQ(values, withMeaning);  // a value listed without a meaning shows as its code
  EXPECT_EQ(library_->attributeValues.at(400).count(61), 0u);  // HORDAT
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
          if (const ProcedureCall* call = in.find<ProcedureCall>()) called.insert(call->name);
  for (const std::string& name : older) EXPECT_EQ(called.count(name), 0u) << name;
  for (const char* name : {"DEPARE02", "DEPCNT03", "OBSTRN06", "RESARE03", "WRECKS04"})
    EXPECT_EQ(called.count(name), 1u) << name;
}

// Under 中文显示 nothing of the S-57 catalogue the library lists falls back
// to English: every object class and attribute (the 17xxx and 2xxxx
// extensions of inland and military layers are no part of it) and every
// enumerated and list value has a Chinese name, no two alike within their
// kind; and every text format the look-ups and the light procedure use has
// its Chinese wording.
TEST_F(GeneratedLibrary, TheS57CatalogueHasChineseNamesThroughout) {
  const ChineseNames& names = library_->chineseNames;
  std::vector<std::string> missing;
  std::map<std::string, std::string> seen;  // kind and Chinese -> what has it
  auto distinct = [&](const std::string& kind, const std::string& chinese, const std::string& what) {
    const auto [previous, fresh] = seen.emplace(kind + " " + chinese, what);
    EXPECT_TRUE(fresh) << what << " and " << previous->second << " are both " << chinese;
  };
  std::size_t classes = 0, attributes = 0, values = 0;
  for (const auto& [code, record] : library_->objectClassCatalogue) {
    if (code >= 17000) continue;
    ++classes;
    if (const std::string* chinese = names.className(code))
      distinct("class", *chinese, record.acronym);
    else
      missing.push_back("class " + record.acronym);
  }
  for (const auto& [codeText, record] : library_->attributeCatalogue) {
    const int code = std::stoi(codeText);
    if (code >= 17000) continue;
    ++attributes;
    if (const std::string* chinese = names.attributeName(code))
      distinct("attribute", *chinese, record.acronym);
    else
      missing.push_back("attribute " + record.acronym);
  }
  for (const auto& [attribute, meanings] : library_->attributeValues)
    for (const auto& [value, meaning] : meanings) {
      ++values;
      const std::string what = "value " + std::to_string(attribute) + " " + std::to_string(value) + " (" + meaning + ")";
      if (const std::string* chinese = names.valueName(attribute, value))
        distinct("value " + std::to_string(attribute), *chinese, what);
      else
        missing.push_back(what);
    }
  EXPECT_TRUE(missing.empty()) << missing.size() << " without a Chinese name, first " << missing.front();
  EXPECT_EQ(classes, 184u);  // 163 geographic, 13 meta, 3 collection and 5 cartographic classes
  EXPECT_EQ(attributes, 200u);
  if (!sources_.attributeValues.empty()) {
    EXPECT_GT(values, 900u);
  }

  std::set<std::string> formats = {"%03.0lf deg"};  // the bearing of a directional light
  for (const LookupTable& table : library_->lookupTables)
    for (const auto& [cls, entries] : table)
      for (const LookupEntry& e : entries)
        for (const Instruction& i : e.instructions)
          if (const FormattedText* te = i.find<FormattedText>(); te && te->format != "%s") formats.insert(te->format);
  EXPECT_GT(formats.size(), 10u);
  for (const std::string& format : formats) EXPECT_NE(names.text(format), nullptr) << format;

  const std::pair<const std::string*, const char*> terms[] = {
      {names.className(42), "水深区"},    {names.className(159), "沉船"},     {names.className(153), "礁石"},
      {names.className(86), "碍航物"},    {names.className(129), "水深点"},   {names.className(43), "等深线"},
      {names.attributeName(87), "最小水深"}, {names.attributeName(113), "底质"}, {names.attributeName(181), "净空高度"},
      {names.valueName(113, 4), "沙"},    {names.valueName(113, 1), "泥"},    {names.valueName(187, 4), "干出"},
      {names.text("clr %4.1lf"), "净空 %.1lf"}, {names.text("%03.0lf deg"), "%03.0lf°"},
  };
  for (const auto& [chinese, expected] : terms) {
    ASSERT_NE(chinese, nullptr) << expected;
    EXPECT_EQ(*chinese, expected);
  }
}

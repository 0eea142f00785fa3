// The converter from chartsymbols.xml and the catalogue tables: what the
// readers find in the files it writes, and how it refuses bad sources.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

#include "ColourToken.h"
#include "ConverterFixture.h"
#include "PresentationLibrary.h"
#include "TestInstructions.h"

using testsupport::drawingName;

int runMklibCommand(int argc, char** argv);

namespace {
std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Converted {
  bool ok = false;
  std::string error;
  ConversionReport report;
  PresentationLibrary library;
  LibraryResult loadResult = LibraryResult::CannotOpen;
};

void convertAndLoad(const TempDir& dir, Converted& c) {
  c.ok = convertLibrary(writeFixtureSources(dir), dir.file("S57Lib"), c.report, c.error);
  if (c.ok) c.loadResult = loadPresentationLibrary(c.library, dir.file("S57Lib"));
}

// Horizontal centre and top of a symbol's drawing, in library units after scaling.
std::pair<int, int> centreAndTop(const SymbolDefinition& s) {
  int left = 1 << 30, right = -(1 << 30), top = 1 << 30;
  for (const VectorCommand& c : s.commands) {
    if (c.opcode != kPU && c.opcode != kPD) continue;
    left = std::min(left, c.first);
    right = std::max(right, c.first);
    top = std::min(top, c.second);
  }
  return {(left + right) / 2 - s.pivotColumn, top - s.pivotRow};
}
}  // namespace

TEST(Converter, ColoursAndCatalogues) {
  TempDir dir;
  Converted c;
  convertAndLoad(dir, c);
  ASSERT_TRUE(c.ok) << c.error;
  ASSERT_EQ(c.loadResult, LibraryResult::Ok);
  const ColourTable& day = c.library.colourTable(ColourScheme::DAY_BRIGHT);
  EXPECT_EQ(day.entries[0], QColor(1, 2, 3));  // the unknown token did not overwrite NODTA
  EXPECT_EQ(day.entries[2], QColor(7, 8, 9));
  EXPECT_EQ(c.library.colourTable(ColourScheme::NIGHT).entries[2], QColor(0, 0, 1));
  EXPECT_FALSE(c.library.colourTable(ColourScheme::DUSK).entries[2].isValid());
  EXPECT_EQ(c.report.unknownColourTokens, 1);

  // Comment rows of the tables are left out; quoted fields keep their commas and quotes.
  ASSERT_EQ(c.library.objectClassCatalogue.size(), 2u);
  EXPECT_EQ(c.library.objectClassCatalogue.at(5).name, "Beacon, cardinal");
  EXPECT_EQ(c.library.objectClassCatalogue.at(42).acronym, "DEPARE");
  ASSERT_EQ(c.library.attributeCatalogue.size(), 2u);
  EXPECT_EQ(c.library.attributeCatalogue.at("61").name, "Category of signal station, \"traffic\"");
  EXPECT_EQ(c.library.attributeCatalogue.at("87").acronym, "DRVAL1");
}

TEST(Converter, LookupsAreGroupedByTableAndClassAndMapped) {
  TempDir dir;
  Converted c;
  convertAndLoad(dir, c);
  ASSERT_TRUE(c.ok) << c.error;
  const LookupTable& plain = c.library.lookupTable(LookupTableId::PLAIN_BOUNDARIES);
  ASSERT_EQ(plain.size(), 2u);
  // The two DEPARE records of Plain, apart in the XML, form one run in XML order.
  const auto& depare = plain.at("DEPARE");
  ASSERT_EQ(depare.size(), 2u);
  EXPECT_EQ(depare[0].viewingGroup, "1");
  EXPECT_EQ(depare[1].viewingGroup, "4");
  const LookupEntry& e = depare[0];
  EXPECT_EQ(e.geometryLetter, "A");
  EXPECT_EQ(e.displayPriority, 2);  // Area 1
  EXPECT_EQ(e.radarFlag, "S");
  EXPECT_EQ(e.tableName, "PLAIN_BOUNDARIES");
  EXPECT_EQ(e.displayCategoryText, "DISPLAYBASE");
  ASSERT_EQ(e.conditions.size(), 2u);
  EXPECT_EQ(e.conditions[0].acronym, "DRVAL1");
  EXPECT_EQ(e.conditions[0].value, "0");
  EXPECT_EQ(e.conditions[1].acronym, "DRVAL2");
  ASSERT_EQ(e.instructions.size(), 2u);
  EXPECT_EQ(drawingName(e.instructions[1]), "DEPARE02");  // the older revision renamed
  EXPECT_EQ(plain.at("ACHARE")[0].conditions[0].acronym, "attf");
  EXPECT_EQ(plain.at("ACHARE")[0].displayCategoryText, "STANDARD");

  EXPECT_EQ(c.library.lookupTable(LookupTableId::LINES).at("DEPARE").size(), 1u);
  const LookupTable& paper = c.library.lookupTable(LookupTableId::PAPER_CHART);
  ASSERT_EQ(paper.size(), 1u);  // _RDOCAL does not fit the class columns
  const LookupEntry& wreck = paper.at("WRECKS")[0];
  EXPECT_EQ(drawingName(wreck.instructions[0]), "WRECKS04");
  EXPECT_EQ(drawingName(wreck.instructions[1]), "LIGHTS05");  // other names stay
  EXPECT_EQ(wreck.displayPriority, 8);
  EXPECT_EQ(wreck.radarFlag, "O");
  EXPECT_EQ(wreck.geometryLetter, "P");
  EXPECT_EQ(wreck.displayCategoryText, "");
  EXPECT_EQ(c.report.lookupsWithLongClassName, 1);
  EXPECT_EQ(c.report.lookups, 5);
  EXPECT_TRUE(c.library.lookupTable(LookupTableId::SYMBOLIZED_BOUNDARIES).empty());
}

TEST(Converter, DrawingsKeepTheirVectorFormOnly) {
  TempDir dir;
  Converted c;
  convertAndLoad(dir, c);
  ASSERT_TRUE(c.ok) << c.error;
  // The long HPGL is spread over several vector lines, none of them past the line buffer.
  const std::string symbols = readFile(dir.file("S57Lib/S57Symbols"));
  std::istringstream lines(symbols);
  int vectorLines = 0;
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LT(line.size() + 1, 1024u);
    vectorLines += line.compare(0, 4, "SVCT") == 0 && line.find("PD1001,") != std::string::npos ? 1 : 0;
  }
  EXPECT_EQ(vectorLines, 1);
  const SymbolDefinition& s = c.library.symbols.at("TESTSY01");  // the bitmap-only namesake did not replace it
  ASSERT_EQ(s.commands.size(), 153u);
  EXPECT_EQ(s.commands.back().first, scaleSymbolUnits(1150));
  EXPECT_EQ(std::make_tuple(s.pivotColumn, s.boxColumn, s.width), std::make_tuple(600, 540, 60));
  EXPECT_EQ(c.library.symbols.count("RASTER01"), 0u);
  EXPECT_EQ(c.report.bitmapOnlySymbols, 2);

  const PatternDefinition& p = c.library.patterns.at("TESTPA01");
  EXPECT_EQ(p.fillKind, "STG");
  EXPECT_EQ(p.spacingKind, "CON");
  EXPECT_EQ(p.minimumDistance, 600);
  EXPECT_EQ(p.maximumDistance, 1200);
  EXPECT_EQ(c.library.patterns.count("BITMAPPA"), 0u);

  // Each pen selection starts a segment of the line style.
  const LineStyleDefinition& l = c.library.lineStyles.at("TESTLS01");
  ASSERT_EQ(l.segments.size(), 2u);
  EXPECT_EQ(std::make_tuple(l.segments[0].colour, l.segments[0].width, l.segments[0].largestX),
            std::make_tuple(5, 2, 60));
  EXPECT_EQ(std::make_tuple(l.segments[1].colour, l.segments[1].width, l.segments[1].largestX),
            std::make_tuple(2, 1, 300));
  EXPECT_EQ(std::make_tuple(l.pivotColumn, l.pivotRow, l.width, l.height, l.boxColumn, l.boxRow),
            std::make_tuple(60, 120, 180, 60, 30, 36));
}

TEST(Converter, ContourLabelDigitsSitInTheirPlaces) {
  TempDir dir;
  Converted c;
  convertAndLoad(dir, c);
  ASSERT_TRUE(c.ok) << c.error;
  EXPECT_EQ(c.report.contourLabelSymbols, 80);
  std::pair<int, int> place[8];
  for (int row = 0; row < 8; ++row) {
    for (int digit = 0; digit < 10; ++digit) {
      const std::string name = "SAFCON" + std::to_string(row) + std::to_string(digit);
      ASSERT_EQ(c.library.symbols.count(name), 1u) << name;
      const SymbolDefinition& s = c.library.symbols.at(name);
      EXPECT_EQ(s.colourReferences.at("A"), "DEPSC") << name;
      ASSERT_FALSE(s.commands.empty()) << name;
      EXPECT_EQ(s.commands[0].opcode, kSP);
      EXPECT_EQ(s.commands[0].colour, 26) << name;
    }
    place[row] = centreAndTop(c.library.symbols.at("SAFCON" + std::to_string(row) + "0"));
  }
  const int width = place[1].first - place[2].first;  // one digit place
  EXPECT_GT(width, 0);
  EXPECT_NEAR(place[0].first, 0, 1);  // row 0 centred on the pivot
  EXPECT_NEAR(place[2].first, -width / 2, 1);  // rows 2 and 1 either side of the centre
  EXPECT_NEAR(place[3].first, place[2].first - width, 1);
  EXPECT_NEAR(place[4].first, place[3].first - width, 1);
  EXPECT_NEAR(place[7].first, place[1].first + width, 1);
  EXPECT_NEAR(place[6].first, place[0].first + width, 1);
  EXPECT_NEAR(place[5].first, place[1].first + width, 1);
  EXPECT_GT(place[6].second, place[0].second);  // the tenths are lowered
  EXPECT_EQ(place[5].second, place[6].second);
  for (int row : {1, 2, 3, 4, 7}) EXPECT_EQ(place[row].second, place[0].second) << row;
}

TEST(Converter, SoundingFiguresReadLeftToRightAroundThePivot) {
  TempDir dir;
  Converted c;
  convertAndLoad(dir, c);
  ASSERT_TRUE(c.ok) << c.error;
  // The fixture has no sounding symbols: every digit and mark is the project's.
  EXPECT_EQ(c.report.soundingFigureSymbols, 2 * (60 + 3));

  // Stroke bounds relative to the pivot: left, right, top, bottom.
  auto bounds = [&](const std::string& name) {
    const SymbolDefinition& s = c.library.symbols.at(name);
    std::array<int, 4> b = {1 << 30, -(1 << 30), 1 << 30, -(1 << 30)};
    for (const VectorCommand& v : s.commands) {
      if (v.opcode != kPU && v.opcode != kPD) continue;
      b = {std::min(b[0], v.first), std::max(b[1], v.first), std::min(b[2], v.second), std::max(b[3], v.second)};
    }
    return std::array<int, 4>{b[0] - s.pivotColumn, b[1] - s.pivotColumn, b[2] - s.pivotRow, b[3] - s.pivotRow};
  };
  struct Family {
    const char* prefix;
    int colour;
  } families[] = {{"SOUNDG", colourIndex("SNDG1")}, {"SOUNDS", colourIndex("SNDG2")}};
  for (const Family& f : families) {
    SCOPED_TRACE(f.prefix);
    for (int row = 0; row < 6; ++row) {
      for (int digit = 0; digit < 10; ++digit) {
        const std::string name = f.prefix + std::to_string(row) + std::to_string(digit);
        ASSERT_EQ(c.library.symbols.count(name), 1u) << name;
        const SymbolDefinition& s = c.library.symbols.at(name);
        ASSERT_GE(s.commands.size(), 2u) << name;
        EXPECT_EQ(s.commands[0].colour, f.colour) << name;
      }
    }
    for (const char* mark : {"A1", "B1", "C2"}) EXPECT_EQ(c.library.symbols.count(f.prefix + std::string(mark)), 1u);

    // Rows by the digit 8, which fills its glyph's box.
    std::array<int, 4> row[6];
    for (int r = 0; r < 6; ++r) row[r] = bounds(f.prefix + std::to_string(r) + "8");
    const int place = row[0][0] - row[1][0];
    EXPECT_GT(place, row[0][1] - row[0][0]);  // a place is wider than a digit
    EXPECT_GT(row[0][0], 0);                  // the units digit right of the pivot,
    EXPECT_LT(row[1][1], 0);                  // the metres of a small depth left of it
    EXPECT_NEAR(row[0][0] + row[1][1], 0, 1); // the two-digit figure centred on the pivot
    EXPECT_NEAR(row[2][0], row[0][0] - 2 * place, 1);
    EXPECT_NEAR(row[3][0], row[0][0] - 3 * place, 1);
    EXPECT_NEAR(row[4][0], row[0][0] + place, 1);
    for (int r = 1; r < 5; ++r) EXPECT_EQ(std::make_pair(row[r][2], row[r][3]), std::make_pair(row[0][2], row[0][3]));
    EXPECT_NEAR(row[0][2] + row[0][3], 0, 1);  // whole digits centred vertically
    // The tenths: right of row 1 where row 0 would be, smaller, and lowered.
    EXPECT_EQ(row[5][0], row[0][0]);
    EXPECT_LT(row[5][1] - row[5][0], row[0][1] - row[0][0]);
    EXPECT_LT(row[5][3] - row[5][2], row[0][3] - row[0][2]);
    EXPECT_GT(row[5][3], row[0][3]);
    // The drying bar lies under the metres digit, the swept bracket under the whole figure.
    const std::array<int, 4> bar = bounds(f.prefix + std::string("A1")), bracket = bounds(f.prefix + std::string("B1"));
    EXPECT_GT(bar[2], row[1][3]);
    EXPECT_LE(bar[0], row[1][0]);
    EXPECT_GE(bar[1], row[1][1]);
    EXPECT_GT(bracket[2], row[0][3]);
    EXPECT_LE(bracket[0], row[2][0]);
    EXPECT_GE(bracket[1], row[0][1]);
  }
}

TEST(Converter, MklibRepairsMisspeltNamesAndNamesTheMissingOnes) {
  TempDir dir;
  std::string xml = fixtureXml();
  const std::string misspelt =
      "<lookup id=\"7\" RCID=\"7\" name=\"BCNCAR\"><type>Point</type><disp-prio>Hazards</disp-prio>"
      "<radar-prio>On Top</radar-prio><table-name>Simplified</table-name>"
      "<instruction>SY(testsy01,ORIENT);SY(NOSUCH01|;LC(TESTLS01|</instruction>"
      "<display-cat>Standard</display-cat><comment>7</comment></lookup>\n";
  xml.insert(xml.find("</lookups>"), misspelt);
  const LibrarySources sources = writeFixtureSources(dir, xml);
  std::vector<std::string> args = {"--xml",        sources.xml, "--objects", sources.objectClasses,
                                   "--attributes", sources.attributes, "--out", dir.file("S57Lib")};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  testing::internal::CaptureStdout();
  const int code = runMklibCommand(static_cast<int>(argv.size()), argv.data());
  const std::string output = testing::internal::GetCapturedStdout();
  ASSERT_EQ(code, 0) << output;
  EXPECT_NE(output.find("1 with a drawing name repaired"), std::string::npos) << output;
  EXPECT_NE(output.find("\nenctool mklib: repaired SY testsy01 -> TESTSY01 (1 use, first at line "), std::string::npos)
      << output;
  EXPECT_NE(output.find("\nenctool mklib: repaired LC TESTLS01| -> TESTLS01 (1 use"), std::string::npos) << output;
  EXPECT_NE(output.find("\nenctool mklib: look-ups name 1 drawing no source has: symbols NOSUCH01|\n"),
            std::string::npos)
      << output;

  PresentationLibrary library;
  ASSERT_EQ(loadPresentationLibrary(library, dir.file("S57Lib")), LibraryResult::Ok);
  const LookupEntry& beacon = library.lookupTable(LookupTableId::SIMPLIFIED).at("BCNCAR")[0];
  ASSERT_EQ(beacon.instructions.size(), 3u);
  EXPECT_EQ(drawingName(beacon.instructions[0]), "TESTSY01");
  EXPECT_EQ(beacon.instructions[0].as<Symbol>().rotationAttribute, "ORIENT");
  EXPECT_EQ(drawingName(beacon.instructions[1]), "NOSUCH01");  // left as it is: drawn with a stand-in
  EXPECT_EQ(drawingName(beacon.instructions[2]), "TESTLS01");
}

// A look-up whose category keeps it out of a display its viewing group
// belongs to (1xxxx Display Base, 2xxxx Standard, 3xxxx Other) is mended and
// reported; a category showing it in more displays than its group, the
// aids to navigation (17xxx), Mariners' categories and groups that are not
// five digits stand.
TEST(Converter, DisplayCategoriesFollowTheirViewingGroups) {
  TempDir dir;
  std::string xml = fixtureXml();
  auto lookup = [](const char* cls, const char* type, const char* table, const char* category, const char* group) {
    return std::string("<lookup id=\"9\" RCID=\"9\" name=\"") + cls + "\"><type>" + type +
           "</type><disp-prio>Area 1</disp-prio><radar-prio>Suppressed</radar-prio><table-name>" + table +
           "</table-name><instruction>AC(CHBLK)</instruction><display-cat>" + category +
           "</display-cat><comment>" + group + "</comment></lookup>\n";
  };
  xml.insert(xml.find("</lookups>"),
             lookup("DRGARE", "Area", "Plain", "Standard", "13030") +
                 lookup("DRGARE", "Area", "Symbolized", "Standard", "13030") +
                 lookup("HULKES", "Point", "Paper", "Other", "12410") +
                 lookup("RIVERS", "Line", "Lines", "Other", "22010") +
                 lookup("BOYLAT", "Point", "Simplified", "Standard", "17010") +  // an aid to navigation
                 lookup("LNDMRK", "Point", "Simplified", "Standard", "32220") +  // never to fewer displays
                 lookup("PILPNT", "Point", "Simplified", "Mariners", "12410") +
                 lookup("CANALS", "Line", "Lines", "Standard", "1241"));
  LibrarySources sources = writeFixtureSources(dir, xml);
  ConversionReport report;
  std::string error;
  ASSERT_TRUE(convertLibrary(sources, dir.file("S57Lib"), report, error)) << error;
  PresentationLibrary library;
  ASSERT_EQ(loadPresentationLibrary(library, dir.file("S57Lib")), LibraryResult::Ok);
  auto category = [&library](LookupTableId table, const char* cls) -> std::string {
    const LookupTable& t = library.lookupTable(table);
    return t.count(cls) ? t.at(cls).back().displayCategoryText : "(none)";
  };
  EXPECT_EQ(category(LookupTableId::PLAIN_BOUNDARIES, "DRGARE"), "DISPLAYBASE");
  EXPECT_EQ(category(LookupTableId::SYMBOLIZED_BOUNDARIES, "DRGARE"), "DISPLAYBASE");
  EXPECT_EQ(category(LookupTableId::PAPER_CHART, "HULKES"), "DISPLAYBASE");
  EXPECT_EQ(category(LookupTableId::LINES, "RIVERS"), "STANDARD");
  EXPECT_EQ(category(LookupTableId::SIMPLIFIED, "BOYLAT"), "STANDARD");
  EXPECT_EQ(category(LookupTableId::SIMPLIFIED, "LNDMRK"), "STANDARD");
  EXPECT_EQ(category(LookupTableId::SIMPLIFIED, "PILPNT"), "MARINERS_STANDARD");
  EXPECT_EQ(category(LookupTableId::LINES, "CANALS"), "STANDARD");

  EXPECT_EQ(report.lookupsWithMendedCategory, 4);
  const std::string lines = report.categoryReport();
  EXPECT_NE(lines.find("mended display category DRGARE Area 13030: Standard -> Displaybase (Plain, Symbolized) "
                       "(2 look-ups, first at line "),
            std::string::npos)
      << lines;
  EXPECT_NE(lines.find("mended display category HULKES Point 12410: Other -> Displaybase (Paper) (1 look-up"),
            std::string::npos)
      << lines;
  EXPECT_NE(lines.find("mended display category RIVERS Line 22010: Other -> Standard (Lines)"), std::string::npos)
      << lines;
  EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 3) << lines;
  EXPECT_NE(report.summary().find("4 with a display category mended"), std::string::npos) << report.summary();
}

// The reader takes consecutive records of one class as one list under the
// table of the first, so no table begins with the class the one before it
// ends with: every table keeps all its records. Two tables of one and the
// same class each cannot be kept apart and are refused.
TEST(Converter, EachTableKeepsItsRecordsWhereTablesMeetOnOneClass) {
  auto lookup = [](const char* cls, const char* type, const char* table) {
    return std::string("<lookup id=\"9\" RCID=\"9\" name=\"") + cls + "\"><type>" + type +
           "</type><disp-prio>Area 1</disp-prio><radar-prio>Suppressed</radar-prio><table-name>" + table +
           "</table-name><instruction>AC(CHBLK)</instruction><display-cat>Standard</display-cat>"
           "<comment>1</comment></lookup>\n";
  };
  std::string xml = fixtureXml();  // Plain: DEPARE, ACHARE; Paper: WRECKS
  xml.insert(xml.find("</lookups>"), lookup("ACHARE", "Area", "Symbolized") + lookup("DRGARE", "Area", "Symbolized") +
                                         lookup("WRECKS", "Point", "Simplified") +
                                         lookup("BCNCAR", "Point", "Simplified"));
  TempDir dir;
  ConversionReport report;
  std::string error;
  ASSERT_TRUE(convertLibrary(writeFixtureSources(dir, xml), dir.file("S57Lib"), report, error)) << error;
  PresentationLibrary library;
  ASSERT_EQ(loadPresentationLibrary(library, dir.file("S57Lib")), LibraryResult::Ok);
  EXPECT_EQ(library.lookupTable(LookupTableId::PLAIN_BOUNDARIES).at("ACHARE").size(), 1u);
  EXPECT_EQ(library.lookupTable(LookupTableId::SYMBOLIZED_BOUNDARIES).size(), 2u);
  EXPECT_EQ(library.lookupTable(LookupTableId::SYMBOLIZED_BOUNDARIES).at("ACHARE").size(), 1u);
  EXPECT_EQ(library.lookupTable(LookupTableId::PAPER_CHART).at("WRECKS").size(), 1u);
  EXPECT_EQ(library.lookupTable(LookupTableId::SIMPLIFIED).at("WRECKS").size(), 1u);
  EXPECT_EQ(library.lookupTable(LookupTableId::SIMPLIFIED).at("BCNCAR").size(), 1u);

  std::string single = fixtureXml();
  single.insert(single.find("</lookups>"), lookup("WRECKS", "Point", "Simplified"));
  TempDir other;
  EXPECT_FALSE(convertLibrary(writeFixtureSources(other, single), other.file("S57Lib"), report, error));
  EXPECT_NE(error.find("two look-up tables hold one class each, the same: WRECKS"), std::string::npos) << error;
}

// The project's supplementary drawings join the XML's where the XML has no
// vector drawing of the name, and look-up names are repaired against them
// too; a supplementary drawing of a name the XML draws is left out.
TEST(Converter, SupplementaryDrawingsFillTheXmlsGaps) {
  TempDir dir;
  std::string xml = fixtureXml();
  xml.insert(xml.find("</lookups>"),
             "<lookup id=\"8\" RCID=\"8\" name=\"BCNCAR\"><type>Point</type><disp-prio>Hazards</disp-prio>"
             "<radar-prio>On Top</radar-prio><table-name>Paper</table-name>"
             "<instruction>SY(ownsy001);LC(OWNLS001)</instruction><display-cat>Standard</display-cat>"
             "<comment>8</comment></lookup>\n");
  auto drawing = [](const char* tag, const char* name, const char* hpgl) {
    return std::string("<") + tag + "><name>" + name + "</name><description>own</description>" +
           "<color-ref>ACHBLK</color-ref><vector width=\"100\" height=\"100\"><distance min=\"0\" max=\"0\"/>"
           "<pivot x=\"50\" y=\"50\"/><origin x=\"0\" y=\"0\"/><HPGL>" + hpgl + "</HPGL></vector></" + tag + ">\n";
  };
  const std::string supplement =
      "<?xml version=\"1.0\"?>\n<chartsymbols>\n<line-styles>\n" +
      drawing("line-style", "OWNLS001", "SPA;SW1;PU0,50;PD100,50;") + "</line-styles>\n<symbols>\n" +
      drawing("symbol", "OWNSY001", "SPA;SW1;PU50,50;CI40;") + drawing("symbol", "TESTSY01", "SPA;SW1;PU0,0;PD9,9;") +
      "</symbols>\n</chartsymbols>\n";
  LibrarySources sources = writeFixtureSources(dir, xml);
  sources.supplement = dir.write("SupplementaryDrawings.xml", supplement);
  ConversionReport report;
  std::string error;
  ASSERT_TRUE(convertLibrary(sources, dir.file("S57Lib"), report, error)) << error;
  PresentationLibrary library;
  ASSERT_EQ(loadPresentationLibrary(library, dir.file("S57Lib")), LibraryResult::Ok);

  ASSERT_EQ(library.symbols.count("OWNSY001"), 1u);
  EXPECT_EQ(library.symbols.at("OWNSY001").commands.back().opcode, kCI);
  ASSERT_EQ(library.lineStyles.count("OWNLS001"), 1u);
  EXPECT_GT(library.symbols.at("TESTSY01").commands.size(), 100u);  // the XML's own drawing stays
  const LookupEntry& beacon = library.lookupTable(LookupTableId::PAPER_CHART).at("BCNCAR")[0];
  EXPECT_EQ(drawingName(beacon.instructions[0]), "OWNSY001");  // "ownsy001" repaired against it
  EXPECT_EQ(drawingName(beacon.instructions[1]), "OWNLS001");
  EXPECT_TRUE(report.names.missing.empty());
  EXPECT_EQ(report.supplementarySymbols, 1);
  EXPECT_EQ(report.supplementaryLineStyles, 1);
  EXPECT_EQ(report.supplementaryLeftOut, std::vector<std::string>{"symbol TESTSY01"});
  EXPECT_NE(report.nameReport().find("supplementary drawings left out, the XML has them: symbol TESTSY01\n"),
            std::string::npos)
      << report.nameReport();
  EXPECT_NE(report.summary().find("from the supplementary drawings 1 symbols, 0 patterns and 1 line styles "
                                  "(1 left out: the XML has them)"),
            std::string::npos)
      << report.summary();
}

// The expected-input table becomes the attribute value file when given:
// values by attribute in ascending order, quoted meanings whole.
TEST(Converter, AttributeValuesFromTheExpectedInputTable) {
  TempDir dir;
  LibrarySources sources = writeFixtureSources(dir);
  ConversionReport report;
  std::string error;
  ASSERT_TRUE(convertLibrary(sources, dir.file("plain"), report, error)) << error;
  EXPECT_FALSE(std::filesystem::exists(dir.file("plain/S57AttributeValues")));

  sources.attributeValues = dir.write("expected.csv",
                                      "\"Code\",\"ID\",\"Meaning\"\r\n75,3,red\r\n2,1,\"stake, pole, perch, post\"\r\n"
                                      "75,1,white\r\n400,61,\r\n");  // a value without a meaning shows as its code
  ASSERT_TRUE(convertLibrary(sources, dir.file("S57Lib"), report, error)) << error;
  EXPECT_EQ(report.attributeValues, 3);
  EXPECT_NE(report.summary().find("3 attribute values"), std::string::npos);
  EXPECT_EQ(readFile(dir.file("S57Lib/S57AttributeValues")),
            "BEGIN\nAttribute values from s57expectedinput.csv\n<\nCode: 2\n1: stake, pole, perch, post\n>\n"
            "<\nCode: 75\n1: white\n3: red\n>\n");
  PresentationLibrary library;
  ASSERT_EQ(loadPresentationLibrary(library, dir.file("S57Lib")), LibraryResult::Ok);
  EXPECT_EQ(library.attributeValues.at(75).at(3), "red");

  // A bad row names its line, and nothing is written.
  sources.attributeValues = dir.write("bad.csv", "Code,ID,Meaning\n75,1,white\n75,x,black\n");
  EXPECT_FALSE(convertLibrary(sources, dir.file("out"), report, error));
  EXPECT_NE(error.find("bad.csv: line 3: the codes \"75\", \"x\" are not numbers"), std::string::npos) << error;
  EXPECT_FALSE(std::filesystem::exists(dir.file("out")));
}

// The project's Chinese names become the Chinese name file when given; a row
// is checked against the catalogue tables, so a name cannot land on another
// class or attribute than its row says.
TEST(Converter, ChineseNamesFromTheProjectsTable) {
  TempDir dir;
  LibrarySources sources = writeFixtureSources(dir);
  ConversionReport report;
  std::string error;
  ASSERT_TRUE(convertLibrary(sources, dir.file("plain"), report, error)) << error;
  EXPECT_FALSE(std::filesystem::exists(dir.file("plain/S57ChineseNames")));

  const std::string header = "kind,code,name,chinese,english\n";
  sources.chineseNames = dir.write("names.csv", header +
                                                    "class,42,DEPARE,水深区,Depth area\n"
                                                    "attribute,87,DRVAL1,最小水深,Depth range value 1\n"
                                                    "value,87,4,沙,\"sand, as a value\"\n"
                                                    "text,,clr %4.1lf,净空 %.1lf,\n");
  ASSERT_TRUE(convertLibrary(sources, dir.file("S57Lib"), report, error)) << error;
  EXPECT_EQ(report.chineseNames, 4);
  EXPECT_NE(report.summary().find("4 Chinese names"), std::string::npos);
  EXPECT_EQ(readFile(dir.file("S57Lib/S57ChineseNames")),
            "BEGIN\nChinese names from ChineseNames.csv\nclass\t42\t水深区\nattribute\t87\t最小水深\n"
            "value\t87\t4\t沙\ntext\tclr %4.1lf\t净空 %.1lf\nEND\n");
  PresentationLibrary library;
  ASSERT_EQ(loadPresentationLibrary(library, dir.file("S57Lib")), LibraryResult::Ok);
  EXPECT_EQ(*library.chineseNames.className(42), "水深区");

  // A bad row names its line, and nothing is written.
  struct Case {
    const char* rows;
    const char* error;
  } cases[] = {
      {"class,42,DEPARX,水深区\n", "line 2: the catalogue has no class DEPARX of code 42 (code 42 is DEPARE)"},
      {"class,43,DEPCNT,等深线\n", "line 2: the catalogue has no class DEPCNT of code 43"},
      {"attribute,87,DRVAL2,最大水深\n", "line 2: the catalogue has no attribute DRVAL2 of code 87"},
      {"value,99,1,白\n", "line 2: the catalogue has no attribute of code 99"},
      {"value,87,x,白\n", "line 2: the codes \"87\", \"x\" are not numbers"},
      {"class,42,DEPARE,\n", "line 2: the Chinese \"\" is empty or not printable UTF-8"},
      {"class,42,DEPARE,\xE6\xB0\n", "is empty or not printable UTF-8"},
      {"colour,1,R,红\n", "line 2: unknown kind \"colour\""},
      {"class,42\n", "line 2: too few fields"},
      {"class,42,DEPARE,水深区\nclass,42,DEPARE,深度区\n", "line 3: class 42 DEPARE has a Chinese name already (line 2)"},
  };
  for (const Case& c : cases) {
    sources.chineseNames = dir.write("bad.csv", header + c.rows);
    EXPECT_FALSE(convertLibrary(sources, dir.file("out"), report, error)) << c.rows;
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
    EXPECT_NE(error.find("bad.csv: "), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.file("out")));
  }
}

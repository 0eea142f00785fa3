// Symbols, patterns and complex line styles: record layout, the vector
// command language and the scaling of library units.
#include <gtest/gtest.h>

#include <tuple>

#include "LibraryFixture.h"
#include "VectorCommandParser.h"
#include "VectorDrawingReader.h"

namespace {
using Command = std::tuple<int, int, int, int>;  // opcode, colour, first, second

std::vector<Command> tuples(const std::vector<VectorCommand>& commands) {
  std::vector<Command> out;
  for (const VectorCommand& c : commands) out.emplace_back(c.opcode, c.colour, c.first, c.second);
  return out;
}

const std::string kHead = "BEGIN\n" + fieldLine("LBID", "test");

// A record: terminator, identifier, module, definition, exposition, colour references, vector lines.
std::string record(const std::string& module, const std::string& definitionTag, const std::string& definition,
                   const std::string& colours, const std::string& vectorTag, const std::vector<std::string>& vectors) {
  std::string r = kTerminatorLine + fieldLine("0001", "00001") + fieldLine(module, "SY00001NIL") +
                  fieldLine(definitionTag, definition) + fieldLine("SXPO", "text") + fieldLine("SCRF", colours);
  for (const std::string& v : vectors) r += fieldLine(vectorTag, v);
  return r;
}

std::string symbolRecord(const std::string& name, const std::string& colours, const std::vector<std::string>& vectors,
                         const std::string& numbers = std::string("01234") + "00001" + "00500" + "-0005" + "00000" + "00000") {
  return record("SYMB", "SYMD", name + "V" + numbers, colours, "SVCT", vectors);
}

std::string lineStyleRecord(const std::string& name, const std::vector<std::string>& vectors) {
  return record("LNST", "LIND", name + "00010" + "00010" + "00005" + "00005" + "00000" + "00000", "ACHBLKBCHRED",
                "LVCT", vectors);
}
}  // namespace

TEST(VectorCommands, TheCommandLanguage) {
  const ColourReferences refs{{"A", "CHBLK"}, {"B", "CHRED"}};
  struct Case {
    const char* command;
    std::vector<Command> expected;
  } cases[] = {
      {"SPA", {{1, 2, 0, 0}}},
      {"SPC", {{1, 0, 0, 0}}},  // a letter without reference selects index 0
      {"SW1", {{2, 0, 1, 0}}},
      {"PM0", {{3, 0, 0, 0}}},
      {"ST3", {{4, 0, 3, 0}}},
      {"PU100,200", {{5, 0, 60, 120}}},
      {"PU-5,1", {{5, 0, -3, 0}}},
      {"PD300,200,300,400", {{6, 0, 180, 120}, {6, 0, 180, 240}}},
      {"PD10,20,30", {{6, 0, 6, 12}}},  // an odd last number is dropped
      {"PD", {{6, 0, 0, 0}}},
      {"CI50", {{7, 0, 30, 0}}},
      {"CI1234", {{7, 0, 740, 0}}},
      {"FP", {}},
      {"AA100,100,90", {}},
      {"", {}},
      // Too short for their arguments: skipped.
      {"SP", {}},
      {"SW", {}},
      {"PU100", {}},
      {"CI", {}},
  };
  for (const Case& c : cases) {
    std::vector<VectorCommand> out;
    parseVectorCommand(c.command, refs, out);
    EXPECT_EQ(tuples(out), c.expected) << c.command;
  }
}

TEST(SymbolFile, RecordFieldsAndCommands) {
  TempDir dir;
  std::map<std::string, SymbolDefinition> symbols;
  const std::string path = dir.write(
      "S57Symbols", kHead + symbolRecord("TESTSY01", "ACHBLKBCHREDACHGRN",
                                         {"SPA;SW1;PU100,200;PD300,200,300,400;", "SPB;CI50"}) +
                        kTerminatorLine);
  ASSERT_EQ(readSymbolFile(path, symbols), LibraryResult::Ok);
  ASSERT_EQ(symbols.count("TESTSY01"), 1u);
  const SymbolDefinition& s = symbols["TESTSY01"];
  EXPECT_EQ(s.name, "TESTSY01");
  EXPECT_EQ(s.typeLetter, "V");
  // 01234 00001 00500 -0005 00000 00000, scaled by 0.6
  EXPECT_EQ(std::make_tuple(s.pivotColumn, s.pivotRow, s.width, s.height, s.boxColumn, s.boxRow),
            std::make_tuple(740, 0, 300, -3, 0, 0));
  EXPECT_EQ(s.colourReferences.at("A"), "CHBLK");  // the first token of a letter given twice
  EXPECT_EQ(s.colourReferences.size(), 2u);
  EXPECT_EQ(tuples(s.commands), (std::vector<Command>{{1, 2, 0, 0},
                                                       {2, 0, 1, 0},
                                                       {5, 0, 60, 120},
                                                       {6, 0, 180, 120},
                                                       {6, 0, 180, 240},
                                                       {1, 5, 0, 0},
                                                       {7, 0, 30, 0}}));
}

TEST(SymbolFile, SkipsAndReplaces) {
  TempDir dir;
  std::map<std::string, SymbolDefinition> symbols;
  // A definition line of 47 characters is skipped; 48 is the shortest taken.
  const std::string shortDefinition = record("SYMB", "SYMD", "SHORTSY1V" + std::string(27, '0'), "", "SVCT", {"SPA"});
  const std::string shortestDefinition =
      record("SYMB", "SYMD", "SHORTSY2V" + std::string(28, '0'), "", "SVCT", {"SW2"});
  // A colour reference line shorter than 10 characters gives no references.
  std::string noColours = symbolRecord("NOCOLOUR", "ACHBLK", {"SPA"});
  const std::string colourLine = fieldLine("SCRF", "ACHBLK");
  noColours.replace(noColours.find(colourLine), colourLine.size(), "SCRF\n");
  const std::string path =
      dir.write("S57Symbols", kHead + shortDefinition + shortestDefinition + "stray line\n" +
                                  symbolRecord("TWICE001", "ACHBLK", {"SW1"}) +
                                  symbolRecord("TWICE001", "ACHBLK", {"SW2"}) + noColours + kTerminatorLine);
  ASSERT_EQ(readSymbolFile(path, symbols), LibraryResult::Ok);
  EXPECT_EQ(symbols.count("SHORTSY1"), 0u);
  ASSERT_EQ(symbols.count("SHORTSY2"), 1u);
  EXPECT_EQ(tuples(symbols["TWICE001"].commands), (std::vector<Command>{{2, 0, 2, 0}}));  // the later record
  EXPECT_TRUE(symbols["NOCOLOUR"].colourReferences.empty());
  EXPECT_EQ(tuples(symbols["NOCOLOUR"].commands), (std::vector<Command>{{1, 0, 0, 0}}));
}

TEST(SymbolFile, ReadsWithoutTrailingTerminatorAndWithWindowsLineEndings) {
  TempDir dir;
  std::string text = kHead + symbolRecord("LASTSY01", "ACHBLK", {"SPA;PU10,10"});
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  std::map<std::string, SymbolDefinition> plain, windows;
  ASSERT_EQ(readSymbolFile(dir.write("a", text), plain), LibraryResult::Ok);
  ASSERT_EQ(readSymbolFile(dir.write("b", crlf), windows), LibraryResult::Ok);
  ASSERT_EQ(plain.count("LASTSY01"), 1u);
  EXPECT_EQ(tuples(plain["LASTSY01"].commands), tuples(windows["LASTSY01"].commands));
  EXPECT_EQ(plain["LASTSY01"].commands.size(), 2u);
}

TEST(PatternFile, DefinitionColumns) {
  TempDir dir;
  std::map<std::string, PatternDefinition> patterns;
  const std::string definition = "DIAMOND1VLINCON0100002000022500225002250043130112500093";
  const std::string path =
      dir.write("S57Patterns", kHead + record("PATT", "PATD", definition, "\\DEPCN", "PVCT", {"SP\\;SW1;PU1125,93"}));
  ASSERT_EQ(readPatternFile(path, patterns), LibraryResult::Ok);
  const PatternDefinition& p = patterns.at("DIAMOND1");
  EXPECT_EQ(p.typeLetter, "V");
  EXPECT_EQ(p.fillKind, "LIN");
  EXPECT_EQ(p.spacingKind, "CON");
  EXPECT_EQ(p.minimumDistance, 600);    // 1000
  EXPECT_EQ(p.maximumDistance, 1200);   // 2000
  EXPECT_EQ(p.pivotColumn, 1350);       // 2250
  EXPECT_EQ(p.pivotRow, 1350);
  EXPECT_EQ(p.width, 1350);
  EXPECT_EQ(p.height, 2587);            // 4313
  EXPECT_EQ(p.boxColumn, 675);          // 1125
  EXPECT_EQ(p.boxRow, 55);              // 93
  EXPECT_EQ(tuples(p.commands), (std::vector<Command>{{1, 27, 0, 0}, {2, 0, 1, 0}, {5, 0, 675, 55}}));

  // 63 characters is too short for a pattern definition.
  std::map<std::string, PatternDefinition> none;
  ASSERT_EQ(readPatternFile(
                dir.write("b", kHead + record("PATT", "PATD", definition.substr(0, 52), "", "PVCT", {})), none),
            LibraryResult::Ok);
  EXPECT_TRUE(none.empty());
}

TEST(LineStyleFile, EachVectorLineIsASegmentSortedByLargestX) {
  TempDir dir;
  std::map<std::string, LineStyleDefinition> styles;
  const std::vector<std::string> lines = {"SPA;SW2;PU0,0;PD500,0;PD600,0", "SPB;SPA;PU50,0;PD100,0",
                                          "SPB;PU10,10;CI5;PD"};
  const std::string path = dir.write("S57ComplexLineStyles",
                                     kHead + lineStyleRecord("SORTED01", lines) + lineStyleRecord("ARCSLN01", lines) +
                                         lineStyleRecord("ESSARE01", lines) + kTerminatorLine);
  ASSERT_EQ(readLineStyleFile(path, styles), LibraryResult::Ok);

  const LineStyleDefinition& sorted = styles.at("SORTED01");
  EXPECT_EQ(std::make_tuple(sorted.pivotColumn, sorted.pivotRow, sorted.width, sorted.height),
            std::make_tuple(6, 6, 3, 3));
  ASSERT_EQ(sorted.segments.size(), 3u);
  // A segment without a PD pair keeps 0 and 666666.
  EXPECT_EQ(sorted.segments[0].largestX, 0);
  EXPECT_EQ(sorted.segments[0].smallestX, 666666);
  EXPECT_EQ(sorted.segments[0].colour, 5);  // CHRED
  EXPECT_EQ(tuples(sorted.segments[0].commands),
            (std::vector<Command>{{5, 0, 6, 6}, {7, 0, 3, 0}, {6, 0, 0, 0}}));
  EXPECT_EQ(sorted.segments[1].largestX, 60);
  EXPECT_EQ(sorted.segments[1].smallestX, 60);
  EXPECT_EQ(sorted.segments[1].colour, 2);  // the last SP of the line wins
  EXPECT_EQ(sorted.segments[1].width, 0);
  EXPECT_EQ(sorted.segments[2].largestX, 360);
  EXPECT_EQ(sorted.segments[2].smallestX, 300);
  EXPECT_EQ(sorted.segments[2].width, 2);
  EXPECT_EQ(tuples(sorted.segments[2].commands),
            (std::vector<Command>{{2, 0, 2, 0}, {5, 0, 0, 0}, {6, 0, 300, 0}, {6, 0, 360, 0}}));

  for (const char* fileOrder : {"ARCSLN01", "ESSARE01"}) {
    const LineStyleDefinition& s = styles.at(fileOrder);
    ASSERT_EQ(s.segments.size(), 3u);
    EXPECT_EQ(s.segments[0].largestX, 360) << fileOrder;
    EXPECT_EQ(s.segments[1].largestX, 60) << fileOrder;
    EXPECT_EQ(s.segments[2].largestX, 0) << fileOrder;
  }
}

TEST(DrawingFiles, MissingFilesAndFilesWithoutBegin) {
  TempDir dir;
  std::map<std::string, SymbolDefinition> symbols;
  std::map<std::string, PatternDefinition> patterns;
  std::map<std::string, LineStyleDefinition> styles;
  EXPECT_EQ(readSymbolFile(dir.file("none"), symbols), LibraryResult::CannotOpen);
  EXPECT_EQ(readPatternFile(dir.file("none"), patterns), LibraryResult::CannotOpen);
  EXPECT_EQ(readLineStyleFile(dir.file("none"), styles), LibraryResult::CannotOpen);
  EXPECT_EQ(readSymbolFile(dir.write("s", "begin\n" + symbolRecord("TESTSY01", "ACHBLK", {"SPA"})), symbols),
            LibraryResult::Ok);
  EXPECT_TRUE(symbols.empty());
}

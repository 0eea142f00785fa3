// The colour file, the colour token list and the two index look-ups.
#include <gtest/gtest.h>

#include "ColourFileReader.h"
#include "ColourToken.h"
#include "LibraryFixture.h"

namespace {
using Tables = std::array<ColourTable, kColourSchemeCount>;

struct Read {
  LibraryResult result;
  Tables tables;
};

Read readColours(const std::string& content) {
  TempDir dir;
  Read r{};
  r.result = readColourFile(dir.write("S57Colours", content), r.tables);
  return r;
}

int setEntries(const Tables& tables) {
  int n = 0;
  for (const ColourTable& t : tables)
    for (const QColor& c : t.entries) n += c.isValid() ? 1 : 0;
  return n;
}

const ColourTable& table(const Read& r, ColourScheme s) { return r.tables[static_cast<int>(s)]; }
}  // namespace

TEST(ColourToken, IndicesAndTheProcedureFallback) {
  EXPECT_EQ(colourIndex("NODTA"), 0);
  EXPECT_EQ(colourIndex("CHBLK"), 2);
  EXPECT_EQ(colourIndex("CHMGF"), 9);
  EXPECT_EQ(colourIndex("DEPVS"), 31);
  EXPECT_EQ(colourIndex("DEP04"), 66);
  EXPECT_EQ(colourIndex("foo"), 0);
  EXPECT_EQ(colourIndex(""), 0);
  EXPECT_EQ(colourIndex("chblk"), 0);    // case-sensitive
  EXPECT_EQ(colourIndex("CHBLK "), 0);   // whole text
  EXPECT_EQ(procedureColourIndex("DEP04"), 66);
  EXPECT_EQ(procedureColourIndex("foo"), 66);
  EXPECT_EQ(procedureColourIndex("NODTA"), 0);
  EXPECT_EQ(procedureColourIndex("DEP03"), 65);
  for (int i = 0; i < kColourCount; ++i) EXPECT_EQ(colourIndex(colourToken(i)), i);
  EXPECT_EQ(colourToken(67), "");
  EXPECT_EQ(colourToken(-1), "");
}

TEST(ColourFile, ResultsForWholeFiles) {
  struct Case {
    const char* name;
    std::string content;
    int result;
    int setEntries;
  } cases[] = {
      {"only BEGIN", "BEGIN\n", 0, 0},
      {"empty file", "", 0, 0},
      {"first line not BEGIN", "BEGINS\n<\nDAY_BRIGHT\nCHBLK;a;b;c;d;1;2;3\n", 0, 0},
      {"row with 7 fields", "BEGIN\n<\nDAY_BRIGHT\nCHBLK;a;b;c;d;1;2\n", 9, 0},
      {"scheme name without <", "BEGIN\nDAY_BRIGHT\n", 9, 0},
      {"row before any scheme", "BEGIN\nCHBLK;a;b;c;d;1;2;3\n", 9, 0},
      {"unknown scheme", "BEGIN\n<\nEVENING\nCHBLK;a;b;c;d;1;2;3\n", 9, 0},
      {"short lines are ignored", "BEGIN\n<\nNIGHT\nabc;d\n;;;;;;;;;\nCHBLK;a;b;c;d;1;2;3\n", 0, 1},
      {"all five schemes",
       "BEGIN\n<\nDAY_BRIGHT\nCHBLK;;;;;1;2;3\n<\nDUSK\nCHBLK;;;;;1;2;3\n<\nDAY_BLACKBACK\nCHBLK;;;;;1;2;3\n"
       "<\nDAY_WHITEBACK\nCHBLK;;;;;1;2;3\n<\nNIGHT\nCHBLK;;;;;1;2;3\n",
       0, 5},
      {"Windows line endings", "BEGIN\r\n<\r\nDUSK\r\nCHBLK;a;b;c;d;1;2;3\r\n", 0, 1},
  };
  for (const Case& c : cases) {
    const Read r = readColours(c.content);
    EXPECT_EQ(resultCode(r.result), c.result) << c.name;
    EXPECT_EQ(setEntries(r.tables), c.setEntries) << c.name;
  }
}

TEST(ColourFile, ComponentsTokensAndOverwriting) {
  const Read r = readColours(
      "BEGIN\n<\nDAY_BRIGHT\n"
      "NODTA;x;y;L;n;300;0;0\n"
      "CHBLK;x;y;L;n;12;34;56;extra;fields\n"
      "CHRED;x;y;L;n;-1;0;0\n"
      "CHGRN;x;y;L;n; 7;8x;9\n"
      "<\nNIGHT\n"
      "CHBLK;x;y;L;n;1;1;1\n"
      "CHBLK;x;y;L;n;2;2;2\n"
      "FOOBA;x;y;L;n;4;5;6\n");
  ASSERT_EQ(r.result, LibraryResult::Ok);
  const ColourTable& day = table(r, ColourScheme::DAY_BRIGHT);
  EXPECT_FALSE(day.entries[0].isValid());  // 300 is out of range
  EXPECT_EQ(day.entries[2], QColor(12, 34, 56));
  EXPECT_EQ(day.entries[2].alpha(), 255);
  EXPECT_FALSE(day.entries[5].isValid());
  EXPECT_EQ(day.entries[6], QColor(7, 8, 9));
  const ColourTable& night = table(r, ColourScheme::NIGHT);
  EXPECT_EQ(night.entries[2], QColor(2, 2, 2));  // the later row wins
  EXPECT_EQ(night.entries[0], QColor(4, 5, 6));  // an unknown token writes NODTA
  EXPECT_FALSE(table(r, ColourScheme::DUSK).entries[2].isValid());
}

TEST(ColourFile, MissingFileIsOne) {
  TempDir dir;
  Tables tables{};
  testing::internal::CaptureStdout();
  EXPECT_EQ(readColourFile(dir.file("S57Colours"), tables), LibraryResult::CannotOpen);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");  // the colour reader prints nothing
}

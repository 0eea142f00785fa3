// Line pieces as fgets with a 1024-byte buffer hands them out, and the
// shared number reading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LibraryFixture.h"
#include "LibraryLine.h"
#include "LibraryLineReader.h"

namespace {
std::vector<std::string> piecesOf(const std::string& text) {
  LibraryLineReader reader;
  reader.assign(text);
  std::vector<std::string> pieces;
  std::string_view line;
  while (reader.next(line)) pieces.emplace_back(line);
  return pieces;
}
}  // namespace

TEST(LibraryLineReader, CutsLinesWithTheirLineFeedAndLongLinesIntoPieces) {
  using V = std::vector<std::string>;
  const std::string longLine(2100, 'x');
  struct Case {
    std::string text;
    V pieces;
  } cases[] = {
      {"", V{}},
      {"BEGIN\n", V{"BEGIN\n"}},
      {"a\n\nlast", V{"a\n", "\n", "last"}},
      {std::string(1022, 'y') + "\n", V{std::string(1022, 'y') + "\n"}},
      {std::string(1023, 'y') + "\n", V{std::string(1023, 'y'), "\n"}},
      {longLine + "\nz\n", V{std::string(1023, 'x'), std::string(1023, 'x'), std::string(54, 'x') + "\n", "z\n"}},
  };
  for (const Case& c : cases) EXPECT_EQ(piecesOf(c.text), c.pieces) << "text of " << c.text.size() << " bytes";
}

TEST(LibraryLineReader, DropsOnlyACarriageReturnBeforeALineFeed) {
  EXPECT_EQ(piecesOf("BEGIN\r\n<\r\nx\ry\r"), (std::vector<std::string>{"BEGIN\n", "<\n", "x\ry\r"}));
  // The piece boundary is counted after the carriage returns are gone.
  EXPECT_EQ(piecesOf(std::string(1022, 'y') + "\r\n"), std::vector<std::string>{std::string(1022, 'y') + "\n"});
}

TEST(LibraryLineReader, ReadsAFileAndRefusesWhatItCannotOpen) {
  TempDir dir;
  LibraryLineReader reader;
  EXPECT_FALSE(reader.open(dir.file("absent")));
  EXPECT_FALSE(reader.open(dir.path()));  // a folder is no file
  ASSERT_TRUE(reader.open(dir.write("f", "one\r\ntwo")));
  std::string_view line;
  ASSERT_TRUE(reader.next(line));
  EXPECT_EQ(line, "one\n");
  ASSERT_TRUE(reader.next(line));
  EXPECT_EQ(line, "two");
  EXPECT_FALSE(reader.next(line));
}

TEST(LibraryLine, ReadDecimalFollowsAtoi) {
  struct Case {
    const char* text;
    int value;
  } cases[] = {{"", 0},           {"abc", 0},     {"  42x", 42},   {"\t-17,3", -17}, {"+5", 5},
               {"0000A", 0},      {" 0004", 4},   {"- 3", 0},      {"99999999999", 2147483647},
               {"-99999999999", -2147483647 - 1}};
  for (const Case& c : cases) EXPECT_EQ(readDecimal(c.text), c.value) << '"' << c.text << '"';
}

TEST(LibraryLine, FieldContentExcludesTheLastTwoCharacters) {
  EXPECT_EQ(fieldContent("INST   12AC(DEPVS)\x1f\n"), "AC(DEPVS)");
  EXPECT_EQ(fieldContent("ATTC    1\x1f\n"), "");
  EXPECT_EQ(fieldContent("SHORT\n"), "");
}

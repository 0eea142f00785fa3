// The building blocks under the record reader: binary subfields, leader
// numbers, splitting at terminators and the bounded record view.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "BinaryValue.h"
#include "DecimalNumber.h"
#include "FieldSplitter.h"
#include "RecordView.h"

using namespace std::string_literals;

TEST(BinaryValue, ReadsLittleEndianByWidth) {
  struct Case {
    std::string bytes;
    int width;
    int32_t expected;
  };
  const Case cases[] = {
      {"\x7f", 1, 127},
      {"\xff", 1, 255},                         // b11 is unsigned
      {"\x34\x12", 2, 0x1234},
      {"\xff\xff", 2, 65535},                   // b12 is unsigned
      {"\x01\x00\x00\x00"s, 4, 1},
      {"\xff\xff\xff\xff", 4, -1},              // b14/b24 are signed
      {"\x00\x00\x00\x80"s, 4, INT32_MIN},
      {"\x05\x06", 1, 5},                       // only `width` bytes are read
      {"\x01\x02\x03", 3, 0},                   // unknown width
      {"\x01\x02\x03\x04", 8, 0},
      {"\x01\x02", 4, 0},                       // fewer bytes than the width
      {"", 1, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(binaryValue(c.bytes, c.width), c.expected) << "width " << c.width;
}

TEST(DecimalNumber, ReadsLeaderNumbersLikeAtoi) {
  const std::pair<std::string, int> cases[] = {
      {"00175", 175}, {"  42", 42}, {" \t\n7", 7}, {"-12", -12}, {"+8", 8},  {"12a45", 12},
      {"abc", 0},     {"", 0},      {"- 5", 0},    {"99999999999999", INT_MAX},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(decimalNumber(text), expected) << text;
}

TEST(FieldSplitter, CutsAtSeparatorsUnlessInsideTheMinimumLength) {
  struct Case {
    std::string text;
    size_t minPieceLength;
    std::vector<std::string> pieces;
  };
  const Case cases[] = {
      {"a|b|c", 0, {"a", "b", "c"}},
      {"a||b", 0, {"a", "", "b"}},      // adjacent separators: an empty piece
      {"|a", 0, {"", "a"}},
      {"a|b|", 0, {"a", "b"}},          // none after a separator at the very end
      {"|", 0, {""}},
      {"", 0, {}},                      // empty text: no pieces
      {"ab", 0, {"ab"}},
      {"|x|abc|", 2, {"|x", "abc"}},    // a label "|x" is not cut inside
      {"ab|c|def", 3, {"ab|c", "def"}},
      {"ab", 5, {"ab"}},                // the last piece may be shorter
  };
  for (const Case& c : cases) {
    std::vector<std::string> pieces;
    for (std::string_view p : splitField(c.text, '|', c.minPieceLength)) pieces.emplace_back(p);
    EXPECT_EQ(pieces, c.pieces) << "'" << c.text << "' min " << c.minPieceLength;
  }
}

TEST(RecordView, HandsOutOnlyEntriesAndFieldsInsideTheRecord) {
  // Leader: length 38, base address 32, sizes of length and position 2 and 1;
  // one entry "0001" (length 6, position 0), directory terminator, 6 field bytes.
  const std::string record = "00038 D     00032   2104" "0001" "06" "0" "\x1e" "ABCDE\x1e";
  ASSERT_EQ(record.size(), 38u);
  const RecordView view(record);
  EXPECT_EQ(view.baseAddress(), 32);
  EXPECT_EQ(view.entrySize(), 7);
  EXPECT_EQ(view.entryCount(), 1);

  DirectoryEntry entry;
  ASSERT_TRUE(view.entry(0, entry));
  EXPECT_EQ(entry.tag, "0001");
  std::string_view field;
  ASSERT_TRUE(view.field(entry, field));
  EXPECT_EQ(field, "ABCDE\x1e");

  EXPECT_FALSE(view.entry(2, entry));  // would start inside the field area, end past it
  EXPECT_FALSE(view.entry(-1, entry));
  const DirectoryEntry pastEnd{"0001", 7, 0}, negative{"0001", 2, -1}, farAway{"0001", 1, 999};
  EXPECT_FALSE(view.field(pastEnd, field));
  EXPECT_FALSE(view.field(negative, field));
  EXPECT_FALSE(view.field(farAway, field));

  // A record cut inside its leader reads as far as it goes and no further.
  const RecordView cut(std::string_view(record).substr(0, 14));
  EXPECT_EQ(cut.baseAddress(), 0);  // "00" only, then the cut
  EXPECT_FALSE(cut.entry(0, entry));
  std::string_view tag;
  EXPECT_FALSE(cut.recordType(tag));
}

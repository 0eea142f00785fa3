// The data descriptive record: field descriptions and the DDR's own faults.
#include <gtest/gtest.h>

#include "FieldDescriptions.h"
#include "Iso8211Writer.h"
#include "S57CellReader.h"
#include "S57Writer.h"

namespace {

using Pairs = std::vector<SubfieldDescription>;

std::string fieldText(std::string_view controls, std::string_view descriptor,
                      std::string_view formats) {
  return std::string(controls) + '\x1f' + std::string(descriptor) + '\x1f' +
         std::string(formats) + '\x1e';
}

}  // namespace

TEST(FieldDescriptions, PairsLabelsWithExpandedFormats) {
  struct Case {
    const char* descriptor;
    const char* formats;
    Pairs expected;
  };
  const Case cases[] = {
      {"RCNM!A!B", "(b11,2b12)", {{"RCNM", "b11"}, {"A", "b12"}, {"B", "b12"}}},
      // More formats than labels: only as many pairs as labels.
      {"A!B", "(b11,b12,b14)", {{"A", "b11"}, {"B", "b12"}}},
      {"A!B", "(3b11)", {{"A", "b11"}, {"B", "b11"}}},
      // More labels than formats: the extra labels get nothing.
      {"A!B!C", "(b11)", {{"A", "b11"}}},
      // The repeating-group star stays on the first label; formats may carry
      // their own parentheses.
      {"*NAME!ORNT!USAG", "(B(40),2b11)", {{"*NAME", "B(40)"}, {"ORNT", "b11"}, {"USAG", "b11"}}},
      {"U!I", "(2A(8))", {{"U", "A(8)"}, {"I", "A(8)"}}},
      // A repeat count is one digit; "0" is no repeat count.
      {"A!B", "(12b11,0x)", {{"A", "2b11"}, {"B", "0x"}}},
      {"", "(b12)", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(describeSubfields(c.descriptor, c.formats), c.expected)
        << c.descriptor << " " << c.formats;
}

TEST(FieldDescriptions, ReadsEveryS57FieldOfAWrittenDdr) {
  s57write::S57Writer writer;
  S57CellReader reader;
  ASSERT_EQ(reader.readCellBytes(writer.image()), ReaderResult::Ok);
  const FieldDescriptionTable& table = reader.fieldDescriptions;
  EXPECT_EQ(table.count("0000"), 0u);
  EXPECT_EQ(table.count("0001"), 0u);
  EXPECT_EQ(table.size(), 18u);  // the update control fields FFPC, FSPC, VRPC, SGCC included
  EXPECT_EQ(table.at("FRID"), (Pairs{{"RCNM", "b11"}, {"RCID", "b14"}, {"PRIM", "b11"},
                                     {"GRUP", "b11"}, {"OBJL", "b12"}, {"RVER", "b12"},
                                     {"RUIN", "b11"}}));
  EXPECT_EQ(table.at("SG3D"), (Pairs{{"*YCOO", "b24"}, {"XCOO", "b24"}, {"VE3D", "b24"}}));
  const Pairs& dsid = table.at("DSID");
  ASSERT_EQ(dsid.size(), 16u);
  EXPECT_EQ(dsid[7], (SubfieldDescription{"UADT", "A(8)"}));
  EXPECT_EQ(dsid[9], (SubfieldDescription{"STED", "R(4)"}));
  EXPECT_EQ(dsid[15], (SubfieldDescription{"COMT", "A"}));
}

TEST(FieldDescriptions, DdrWithOnlyControlAndIdentifierFieldsGivesAnEmptyTable) {
  iso8211::Writer writer;
  writer.describe("0001", "0500;&   ", "ISO 8211 Record Identifier", "", "(b12)");
  S57CellReader reader;
  EXPECT_EQ(reader.readCellBytes(writer.image()), ReaderResult::Ok);
  EXPECT_TRUE(reader.fieldDescriptions.empty());
}

TEST(FieldDescriptions, SkipsTextsNotInThreePartsAndKeepsTheLaterOfTwoDescriptions) {
  iso8211::Record ddr;
  ddr.add("0000", "0000;&   \x1e")
      .add("TWOP", "1600;&   Two parts\x1f" "A!B\x1e")
      .add("FOUR", fieldText("1600;&   ", "A!B", "(b11,b11)\x1f" "extra"))
      .add("TWIC", fieldText("1600;&   ", "A", "(b11)"))
      .add("TWIC", fieldText("1600;&   ", "B!C", "(A,b12)"))
      .add("GOOD", fieldText("1600;&   ", "X", "(b14)"));
  FieldDescriptionTable table;
  EXPECT_EQ(parseFieldDescriptions(ddr.encodeDescriptive(), table), ReaderResult::Ok);
  EXPECT_EQ(table.count("TWOP"), 0u);
  EXPECT_EQ(table.count("FOUR"), 0u);
  EXPECT_EQ(table.at("TWIC"), (Pairs{{"B", "A"}, {"C", "b12"}}));
  EXPECT_EQ(table.at("GOOD"), (Pairs{{"X", "b14"}}));
}

TEST(FieldDescriptions, DdrFaultsGiveTheirCodes) {
  iso8211::Record good;
  good.add("0000", "0000;&   \x1e").add("FRID", fieldText("1600;&   ", "RCNM", "(b11)"));
  const std::string ddr = good.encodeDescriptive();
  // Sizes are 2 (length) and 2 (position) here, so entry 1 is at 24 + 8.
  ASSERT_EQ(ddr.substr(20, 2), "22");
  ASSERT_EQ(ddr.substr(32, 4), "FRID");

  struct Case {
    const char* what;
    std::string ddr;
    int code;
  };
  std::string lengthPastEnd = ddr, positionPastEnd = ddr, negativePosition = ddr,
              directoryPastEnd = ddr;
  lengthPastEnd.replace(36, 2, "99");
  positionPastEnd.replace(38, 2, "90");
  negativePosition.replace(38, 2, "-1");
  directoryPastEnd.replace(12, 5, "00999");  // base address implies ~60 entries
  const Case cases[] = {
      {"good", ddr, 0},
      {"shorter than its leader", ddr.substr(0, 23), 5},
      {"leader only: no entries", ddr.substr(0, 12) + "00024" + ddr.substr(17, 7), 0},
      {"field length past the end", lengthPastEnd, 7},
      {"field position past the end", positionPastEnd, 7},
      {"negative field position", negativePosition, 7},
      {"directory past the end", directoryPastEnd, 7},
  };
  for (const Case& c : cases) {
    FieldDescriptionTable table;
    EXPECT_EQ(resultCode(parseFieldDescriptions(c.ddr, table)), c.code) << c.what;
  }
}

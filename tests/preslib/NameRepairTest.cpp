// Drawing names misspelt in look-up instructions, repaired against the
// drawings the converter writes, and the names left without a drawing.
#include <gtest/gtest.h>

#include "LibraryMapping.h"
#include "NameRepair.h"

namespace {
const DrawingNames kDrawings{{"RDOCAL02", "TOWERS74", "DGPS0001", "DRFSTA01", "AB", "ABC", "CDE", "DE"},
                             {"PATT0001"},
                             {"LINE0001"}};
}  // namespace

TEST(NameRepair, OnlyRepairsThatNameExistingDrawings) {
  struct Case {
    const char* name;
    std::vector<std::string> repaired;
  } cases[] = {
      {"rdocal02", {"RDOCAL02"}},              // case
      {"TOWERS74|", {"TOWERS74"}},             // a stray character
      {" towers 74 ", {"TOWERS74"}},           // spaces and case together
      {"DGPS0001DRFSTA01", {"DGPS0001", "DRFSTA01"}},  // two names run together
      {"dgps0001|drfsta01", {"DGPS0001", "DRFSTA01"}},
      {"ABCDE", {}},                           // AB + CDE or ABC + DE: no guess
      {"NEWOBJ 01", {}},                       // no such drawing, however written
      {"DGPS0001XXXXXX01", {}},                // only one of the two exists
      {"||", {}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(mapping::repairedDrawingName(c.name, kDrawings.symbols), c.repaired) << c.name;
}

TEST(NameRepair, InstructionsAreRewrittenAndEveryRepairReported) {
  NameRepairs found;
  struct Case {
    const char* source;
    const char* written;
  } cases[] = {
      {"SY(rdocal02,ORIENT);TX(OBJNAM,1,2,2,'14106',0,0,CHMGD,11)",
       "SY(RDOCAL02,ORIENT);TX(OBJNAM,1,2,2,'14106',0,0,CHMGD,11)"},
      {"SY(TOWERS74|;TX(OBJNAM,3,2,2,'15110',1,-1,CHBLK,26)", "SY(TOWERS74);TX(OBJNAM,3,2,2,'15110',1,-1,CHBLK,26)"},
      {"SY(DGPS0001DRFSTA01)", "SY(DGPS0001);SY(DRFSTA01)"},
      {"SY(rdocal02)", "SY(RDOCAL02)"},
      // A name is repaired only against drawings of its own kind.
      {"AP(patt0001);LC(line0001);LC(rdocal02)", "AP(PATT0001);LC(LINE0001);LC(rdocal02)"},
      {"SY(FLTHAZ02);LS(DASH,1,CSTLN);AP(GONE0001);CS(OBSTRN04)", "SY(FLTHAZ02);LS(DASH,1,CSTLN);AP(GONE0001);CS(OBSTRN04)"},
  };
  long long line = 100;
  for (const Case& c : cases) EXPECT_EQ(repairDrawingNames(c.source, kDrawings, ++line, found), c.written) << c.source;

  std::vector<std::string> repairs;
  for (const NameRepair& r : found.repairs)
    repairs.push_back(r.text() + " x" + std::to_string(r.commands) + " @" + std::to_string(r.firstLine));
  EXPECT_EQ(repairs, (std::vector<std::string>{"SY rdocal02 -> RDOCAL02 x2 @101", "SY TOWERS74| -> TOWERS74 x1 @102",
                                               "SY DGPS0001DRFSTA01 -> DGPS0001 + DRFSTA01 x1 @103",
                                               "AP patt0001 -> PATT0001 x1 @105", "LC line0001 -> LINE0001 x1 @105"}));
  EXPECT_EQ(found.missing.symbols, (std::set<std::string>{"FLTHAZ02"}));
  EXPECT_EQ(found.missing.patterns, (std::set<std::string>{"GONE0001"}));
  EXPECT_EQ(found.missing.lineStyles, (std::set<std::string>{"rdocal02"}));
}

// The restricted-area symbols and boundaries.
#include "ProcedureFixtures.h"
#include "RestrictedAreaProcedures.h"

using namespace fixtures;

namespace {
using Names = std::vector<std::string>;

Attributes lists(const char* restrn, const char* catrea) {
  Attributes a;
  if (restrn) a.push_back({"RESTRN", restrn});
  if (catrea) a.push_back({"CATREA", catrea});
  return a;
}
}  // namespace

class RestrictedAreaTest : public ProcedureTest {};

TEST_F(RestrictedAreaTest, ResareResultTable) {
  struct Case {
    const char* restrn;
    const char* catrea;
    const char* symbol;
    const char* lineStyle;
    int priority;  // -1: left as it was
  } cases[] = {
      {"7", nullptr, "ENTRES51", "ENTRES51", 6},
      {"7,1", nullptr, "ENTRES61", "ENTRES51", 6},
      {"1,7", nullptr, "ENTRES61", "ENTRES51", 6},  // entry before anchoring
      {"14", "1", "ENTRES61", "ENTRES51", 6},
      {"8,10", nullptr, "ENTRES71", "ENTRES51", 6},
      {"7", "4", "ENTRES71", "ENTRES51", 6},
      {"7,13,10", nullptr, "ENTRES61", "ENTRES51", 6},  // 61 before 71
      {"1", nullptr, "ACHRES51", "ACHRES51", 6},
      {"3,1", nullptr, "ACHRES61", "ACHRES51", 6},  // anchoring before fishing
      {"2", "4", "ACHRES71", "ACHRES51", 6},
      {"3", nullptr, "FSHRES51", "FSHRES51", 6},
      {"24,13", nullptr, "FSHRES61", "FSHRES51", 6},
      {"5", "26", "FSHRES61", "FSHRES51", 6},
      {"4,9", nullptr, "FSHRES71", "FSHRES51", 6},
      {"13", nullptr, "CTYARE51", "CTYARE51", 6},
      {"27,22", nullptr, "CTYARE71", "CTYARE51", 6},
      {"13", "5", "CTYARE71", "CTYARE51", 6},
      {"9", nullptr, "RSRDEF51", "CTYARE51", -1},
      {"28", nullptr, "INFARE51", "CTYARE51", -1},
      {"07", nullptr, "INFARE51", "CTYARE51", -1},  // codes match as whole texts
      {" 7", nullptr, "INFARE51", "CTYARE51", -1},
      {nullptr, "1,4", "CTYARE71", "CTYARE51", 6},
      {nullptr, "1", "CTYARE51", "CTYARE51", 6},
      {nullptr, "4", "INFARE51", "CTYARE51", 6},
      {nullptr, "2", "RSRDEF51", "CTYARE51", 6},
      {nullptr, nullptr, "RSRDEF51", "CTYARE51", 6},
  };
  // The boundary follows the area boundary style, not the symbol style.
  for (bool plain : {false, true}) {
    settings().plainBoundaries = plain;
    settings().paperChartSymbols = !plain;
    for (const Case& c : cases) {
      AreaFeature area;
      area.attributes = lists(c.restrn, c.catrea);
      ProcedureResult out = ProcedureResult::startingFrom(area);
      restrictedAreaProcedure(area, settings(), out);
      const std::string boundary = plain ? "LS DASH,2,CHMGD" : std::string("LC ") + c.lineStyle;
      EXPECT_EQ(describe(out.instructions), (Names{std::string("SY ") + c.symbol, boundary}))
          << (c.restrn ? c.restrn : "-") << " / " << (c.catrea ? c.catrea : "-");
      EXPECT_EQ(out.display.priority, c.priority) << (c.restrn ? c.restrn : "-");
    }
  }
}

TEST_F(RestrictedAreaTest, RestrictionSymbolsFollowRestrnAlone) {
  struct Case {
    const char* restrn;
    const char* symbol;
  } cases[] = {
      {"7", "ENTRES51"},   {"7,1", "ENTRES61"}, {"8,9", "ENTRES71"},  {"1", "ACHRES51"},
      {"1,3", "ACHRES61"}, {"2,9", "ACHRES71"}, {"3,1", "ACHRES61"},  {"3", "FSHRES51"},
      {"3,13", "FSHRES61"}, {"5,9", "FSHRES71"}, {"3,1,2", "ACHRES61"}, {"13", "CTYARE51"},
      {"13,9", "CTYARE71"}, {"9", "RSRDEF51"},  {"28", "INFARE51"},
  };
  for (const Case& c : cases) {
    std::vector<Instruction> out;
    restrictionSymbols(c.restrn, out);
    EXPECT_EQ(describe(out), Names{std::string("SY ") + c.symbol}) << c.restrn;
  }
}

TEST_F(RestrictedAreaTest, RestrnProcedureNeedsRestrn) {
  LineFeature none;
  std::vector<Instruction> out;
  restrictionProcedure(none, out);
  EXPECT_TRUE(out.empty());

  AreaFeature area;
  area.attributes = {{"RESTRN", "7"}};
  restrictionProcedure(area, out);
  EXPECT_EQ(describe(out), Names{"SY ENTRES51"});
}

// Depth shades and the dredged-area additions of the depth-area procedure.
#include "DepthAreaProcedure.h"
#include "ProcedureFixtures.h"

using namespace fixtures;

namespace {
constexpr int kDepthArea = 42, kDredgedArea = 46;
using Names = std::vector<std::string>;

Attributes range(const char* drval1, const char* drval2) {
  Attributes a;
  if (drval1) a.push_back({"DRVAL1", drval1});
  if (drval2) a.push_back({"DRVAL2", drval2});
  return a;
}
}  // namespace

class DepthAreaProcedureTest : public ProcedureTest {
protected:
  // The instructions the procedure makes for a depth area.
  Names depthArea(Attributes attributes, int objectClass = kDepthArea) {
    AreaFeature area;
    area.objectClass = objectClass;
    area.attributes = std::move(attributes);
    std::vector<Instruction> out;
    depthAreaProcedure(area, settings(), out);
    return describe(out);
  }
};

TEST_F(DepthAreaProcedureTest, ShadesForTheThreeContourSets) {
  struct Case {
    int contourSet;
    const char* drval1;
    const char* drval2;
    const char* colour;
  } cases[] = {
      {10, nullptr, nullptr, "DEPIT"},  // -1 and -0.9
      {10, "0", "0", "DEPIT"},          // DRVAL2 not above 0
      {10, "-2", "5", "DEPIT"},
      {10, "abc", "abc", "DEPIT"},      // not numbers: 0
      {5, "0", "2", "DEPVS"},           // DRVAL1 below the shallow contour 2
      {5, "2", "5", "DEPMS"},
      {5, "5", "8", "DEPMD"},
      {5, "10", "20", "DEPDW"},
      {10, "2", "4", "DEPVS"},
      {10, "5", "10", "DEPMS"},
      {10, "5", "5", "DEPVS"},          // DRVAL2 must be above the contour
      {10, "10", "15", "DEPMD"},
      {10, "10", nullptr, "DEPMD"},     // DRVAL2 = 10.1
      {10, "20", "30", "DEPDW"},
      {20, "10", "15", "DEPMS"},
      {20, "15", "25", "DEPMS"},
      {20, "20", "30", "DEPDW"},        // past safety is past deep too: never DEPMD
      {20, "20", nullptr, "DEPDW"},
  };
  for (const Case& c : cases) {
    settings().setContourSet(c.contourSet);
    EXPECT_EQ(depthArea(range(c.drval1, c.drval2)), Names{std::string("AC ") + c.colour})
        << c.contourSet << ": " << (c.drval1 ? c.drval1 : "-") << " " << (c.drval2 ? c.drval2 : "-");
  }
}

TEST_F(DepthAreaProcedureTest, TwoShadesAndShallowPattern) {
  struct Case {
    bool twoShades, pattern;
    const char* drval1;
    const char* drval2;
    Names expected;
  } cases[] = {
      {true, false, "5", "10", {"AC DEPVS"}},
      {true, false, "10", "15", {"AC DEPDW"}},
      {true, true, "5", "10", {"AC DEPVS", "AP DIAMOND1"}},
      {true, true, "10", "15", {"AC DEPDW"}},
      {false, true, "5", "10", {"AC DEPMS", "AP DIAMOND1"}},
      {false, true, "10", "15", {"AC DEPMD"}},
      {false, true, "20", "30", {"AC DEPDW"}},
  };
  for (const Case& c : cases) {
    settings().twoDepthShades = c.twoShades;
    settings().shallowPattern = c.pattern;
    EXPECT_EQ(depthArea(range(c.drval1, c.drval2)), c.expected)
        << c.twoShades << c.pattern << " " << c.drval1 << " " << c.drval2;
  }
}

TEST_F(DepthAreaProcedureTest, DredgedAreaGetsPatternBoundaryAndRestriction) {
  EXPECT_EQ(depthArea({{"DRVAL1", "12"}, {"RESTRN", "7"}}, kDredgedArea),
            (Names{"AC DEPMD", "AP DRGARE01", "LS DASH,2,CHGRF", "SY ENTRES51"}));
  EXPECT_EQ(depthArea({{"DRVAL1", "12"}}, kDredgedArea), (Names{"AC DEPMD", "AP DRGARE01", "LS DASH,2,CHGRF"}));
  EXPECT_EQ(depthArea({{"DRVAL1", "12"}, {"RESTRN", "9"}}), (Names{"AC DEPMD", "SY RSRDEF51"}));
}

TEST_F(DepthAreaProcedureTest, ColourAppendsToTheList) {
  std::vector<Instruction> out;
  depthAreaColour(3, 4, settings(), out);
  depthAreaColour(30, 40, settings(), out);
  EXPECT_EQ(describe(out), (Names{"AC DEPVS", "AC DEPDW"}));
}

// Topmark symbols by shape and by the carrier underneath.
#include "ProcedureFixtures.h"
#include "TopmarkProcedure.h"

using namespace fixtures;

namespace {
constexpr int kTopmark = 144, kBeacon = 7, kLateralBuoy = 17, kMooring = 84, kLightVessel = 77;

// The symbol of a topmark of `shape` at (10, 10) on a carrier of `carrierClass`.
std::string topmark(const char* shape, int carrierClass, Attributes carrier = {}, double carrierX = 10) {
  S57Cell cell;
  addPoint(cell, carrierClass, carrierX, 10, std::move(carrier));
  PointFeature& t = addPoint(cell, kTopmark, 10, 10);
  if (shape) t.attributes = {{"TOPSHP", shape}};
  std::vector<Instruction> out;
  topmarkProcedure(t, cell, out);
  EXPECT_EQ(out.size(), 1u);
  return out.empty() ? "" : describe(out[0]);
}
}  // namespace

TEST(TopmarkProcedure, SymbolByShapeOnFloatingAndFixedCarriers) {
  struct Case {
    const char* shape;
    const char* floating;
    const char* fixed;
  } cases[] = {
      {"1", "TOPMAR02", "TOPMAR22"},  {"29", "TOPMAR02", "TOPMAR22"}, {"25", "TOPMAR04", "TOPMAR24"},
      {"32", "TOPMAR10", "TOPMAR30"}, {"4", "TOPMAR12", "TOPMAR32"},  {"21", "TOPMAR13", "TOPMAR33"},
      {"6", "TOPMAR14", "TOPMAR34"},  {"23", "TOPMAR14", "TOPMAR34"}, {"7", "TOPMAR65", "TOPMAR85"},
      {"30", "TOPMAR17", "TOPMAR86"}, {"9", "TOPMAR16", "TOPMAR36"},  {"10", "TOPMAR08", "TOPMAR28"},
      {"11", "TOPMAR07", "TOPMAR27"}, {"31", "TOPMAR14", "TOPMAR14"}, {"13", "TOPMAR05", "TOPMAR25"},
      {"14", "TOPMAR06", "TOPMAR26"}, {"15", "TMARDEF2", "TOPMAR88"}, {"16", "TMARDEF2", "TOPMAR87"},
      {"17", "TMARDEF2", "TMARDEF1"}, {"28", "TOPMAR18", "TOPMAR89"}, {"0", "TMARDEF2", "TMARDEF1"},
      {"33", "TMARDEF2", "TMARDEF1"}, {"34", "TMARDEF2", "TMARDEF1"}, {"-1", "TMARDEF2", "TMARDEF1"},
      {"x", "TMARDEF2", "TMARDEF1"},  // reads as 0
  };
  for (const Case& c : cases) {
    EXPECT_EQ(topmark(c.shape, kLateralBuoy), std::string("SY ") + c.floating) << c.shape;
    EXPECT_EQ(topmark(c.shape, kBeacon), std::string("SY ") + c.fixed) << c.shape;
  }
}

TEST(TopmarkProcedure, FloatingCarriers) {
  struct Case {
    int objectClass;
    Attributes attributes;
    double x;
    bool floating;
  } cases[] = {
      {kLateralBuoy, {}, 10, true},
      {14, {}, 10, true},
      {19, {}, 10, true},
      {76, {}, 10, true},
      {kLightVessel, {}, 10, true},
      {20622, {}, 10, true},
      {20624, {}, 10, true},
      {kMooring, {{"CATMOR", "7"}}, 10, true},
      {kMooring, {{"CATMOR", "1"}}, 10, false},
      {kMooring, {}, 10, false},
      {13, {}, 10, false},
      {20, {}, 10, false},
      {kLateralBuoy, {}, 11, false},  // one chart unit away
  };
  for (const Case& c : cases) {
    EXPECT_EQ(topmark("1", c.objectClass, c.attributes, c.x), c.floating ? "SY TOPMAR02" : "SY TOPMAR22")
        << c.objectClass << " at " << c.x;
  }
}

TEST(TopmarkProcedure, NoShapeAndCachedCarrier) {
  EXPECT_EQ(topmark(nullptr, kLateralBuoy), "SY QUESMRK1");

  S57Cell cell;
  PointFeature& t = addPoint(cell, kTopmark, 10, 10, {{"TOPSHP", "1"}});
  std::vector<Instruction> out;
  topmarkProcedure(t, cell, out);
  EXPECT_EQ(t.floatingClass.get(), 0);
  addPoint(cell, kLateralBuoy, 10, 10);  // a carrier added later changes nothing
  out.clear();
  topmarkProcedure(t, cell, out);
  EXPECT_EQ(describe(out), std::vector<std::string>{"SY TOPMAR22"});
  EXPECT_EQ(floatingClass(cell, t), 1);
}

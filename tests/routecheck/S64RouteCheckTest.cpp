// The IHO's route check test data: three cells that each mark a route with
// NEWOBJ points WP1, WP2, ... and come with a document listing, leg by leg,
// the objects a route check must report ("Nil" where it must report
// nothing). The lists below are taken from those documents (AA3NAVHZ.doc,
// AA3ARSPC.doc, AA3SAFCO.doc), counted by class.
//
// The documents name no safety contour. The safety contour cell has depth
// contours only at 30 m and lists its depth area of 10 to 30 m as where the
// route enters and leaves unsafe water: 30 m. The hazards cell lists a
// wreck, a rock and a sounding at 42 m among the dangers, in water of 50 m:
// its deepest contour, 50 m. The special conditions cell has no hazard: 10 m.
#include <map>
#include <set>

#include "RealData.h"
#include "RouteCheckFixture.h"

namespace routetest {
namespace {

struct LegExpectation {
  int leg;  // 1 for the leg from WP1
  std::map<std::string, int> classes;  // objects of each class the leg must report; none: "Nil"
};

struct S64Case {
  const char* folder;
  const char* cell;
  float safetyContour;
  std::vector<LegExpectation> legs;  // every leg of the route
};

const S64Case kCases[] = {
    {"5.0 Navigational Hazards", "AA3NAVHZ", 50,
     {{1, {{"BOYCAR", 1}, {"BCNCAR", 1}, {"BOYISD", 1}, {"BCNISD", 1}, {"BOYLAT", 1}, {"BCNLAT", 1},
           {"BOYSAW", 1}, {"BCNSAW", 1}, {"BOYSPP", 1}, {"BCNSPP", 1}, {"BOYINB", 1}, {"DAYMAR", 1}}},
      {2, {}},
      {3, {{"PILPNT", 1}, {"MORFAC", 3}, {"LITFLT", 1}, {"LITVES", 1}, {"OFSPLF", 2}, {"OILBAR", 1},
           {"ICEARE", 1}, {"NEWOBJ", 2}}},
      {4, {}},
      {5, {{"UNSARE", 1}, {"WRECKS", 12}}},
      {6, {}},
      {7, {{"LOGPON", 1}, {"PYLONS", 2}, {"CONVYR", 2}, {"BRIDGE", 3}, {"LNDARE", 2}}},
      {8, {{"UNSARE", 1}, {"OBSTRN", 1}}},
      {9, {{"OBSTRN", 8}, {"UNSARE", 1}, {"FSHFAC", 3}, {"LOGPON", 1}}},
      {10, {}},
      {11, {{"OBSTRN", 12}, {"UNSARE", 1}}},
      {12, {{"UNSARE", 1}, {"OBSTRN", 1}}},
      {13, {{"OBSTRN", 6}, {"WRECKS", 6}}},
      {14, {}},
      {15, {{"UNSARE", 1}, {"UWTROC", 11}}},
      {16, {}},
      // Six soundings of one SOUNDG feature, reported as that feature.
      {17, {{"SOUNDG", 1}}}}},
    {"6.0 Special Conditions", "AA3ARSPC", 10,
     {{1, {{"TSEZNE", 1}, {"ISTZNE", 1}, {"RESARE", 2}, {"CTNARE", 2}, {"OSPARE", 1}, {"MIPARE", 2},
           {"SPLARE", 2}, {"SUBTLN", 1}}},
      {2, {}},
      {3, {{"ACHARE", 2}, {"MARCUL", 3}, {"RESARE", 1}}}}},
    // The document's dredged area of "DRVAL1=10" is the cell's of 12 m.
    {"7.0 Safety Contour", "AA3SAFCO", 30,
     {{1, {{"DEPARE", 1}, {"DRGARE", 1}, {"FLODOC", 2}, {"HULKES", 2}, {"LNDARE", 3}, {"PONTON", 2}}},
      {2, {}},
      {3, {{"UNSARE", 1}, {"SLCONS", 3}, {"DRGARE", 1}, {"DEPARE", 1}}}}},
};

void PrintTo(const S64Case& c, std::ostream* out) { *out << c.cell; }

class S64RouteCheck : public RouteCheckTest, public testing::WithParamInterface<S64Case> {};

TEST_P(S64RouteCheck, ReportsWhatTheTestDocumentListsPerLeg) {
  const S64Case& c = GetParam();
  const std::string path = testsupport::sharedEnc(std::string("../iho/s64/") + c.folder + "/ENC_ROOT/" + c.cell + ".000");
  SKIP_UNLESS_PRESENT(path);
  loadFile(path);
  const S57Cell& cell = *cells.snapshot()->front();
  const Route route = waypointRoute(cell);
  ASSERT_EQ(route.legCount(), static_cast<int>(c.legs.size()));
  // The waypoint marks themselves lie on the route; they are no finding.
  std::set<int> marks;
  for (const auto& p : cell.points)
    if (p->objectClass == 163 && p->findAttribute("OBJNAM").rfind("WP", 0) == 0) marks.insert(p->featureNumber);

  RouteCheckSettings settings;
  settings.safetyContour = c.safetyContour;
  const RouteCheckResult result = check(route, settings);
  for (const LegExpectation& expected : c.legs) {
    std::map<std::string, std::set<int>> found;
    for (const RouteFinding& f : onLeg(result, expected.leg - 1))
      if (!(f.objectClass == 163 && marks.count(f.featureNumber))) found[f.classAcronym].insert(f.featureNumber);
    if (expected.classes.empty()) {
      EXPECT_TRUE(found.empty()) << c.cell << " leg " << expected.leg << " is Nil, but reports "
                                 << found.begin()->first;
      continue;
    }
    for (const auto& [acronym, count] : expected.classes)
      EXPECT_GE(found[acronym].size(), static_cast<std::size_t>(count))
          << c.cell << " leg " << expected.leg << ": " << acronym;
  }
  // Sorted by leg, then along it.
  for (std::size_t i = 1; i < result.findings.size(); ++i) {
    const RouteFinding& a = result.findings[i - 1];
    const RouteFinding& b = result.findings[i];
    EXPECT_TRUE(a.leg < b.leg || (a.leg == b.leg && a.alongMetres <= b.alongMetres)) << i;
  }
}

INSTANTIATE_TEST_SUITE_P(IhoTestData, S64RouteCheck, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<S64Case>& info) { return std::string(info.param.cell); });

}  // namespace
}  // namespace routetest

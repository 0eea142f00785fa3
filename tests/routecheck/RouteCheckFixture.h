#pragma once
// What the route check tests share: the generated library loaded (a test
// is skipped without it), cells written with the S-57 writer from shapes
// in degrees and loaded into a list of their own, the route a cell marks
// with NEWOBJ features named WP1, WP2, ..., and the findings of one leg.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "CellFixtures.h"
#include "CellList.h"
#include "PresentationLibrary.h"
#include "Route.h"
#include "RouteCheck.h"
#include "S57Writer.h"

namespace routetest {

// Attribute codes (ATTL) the written cells use.
constexpr int kCATCOV = 18, kCSCALE = 80, kDATEND = 85, kDATSTA = 86, kDRVAL1 = 87, kDRVAL2 = 88,
              kOBJNAM = 116, kRESTRN = 131, kVALSOU = 179, kWATLEV = 187;
// Object classes (OBJL).
constexpr int kBOYLAT = 17, kCTNARE = 27, kDEPARE = 42, kLNDARE = 71, kOBSTRN = 86, kRESARE = 112,
              kSOUNDG = 129, kUWTROC = 153, kM_CSCL = 301, kM_COVR = 302;

using LatLon = std::pair<double, double>;

// One cell written from shapes in degrees. Each shape gets its own nodes
// and edges; features are numbered from 1 (their FIDN, agency 550).
class WrittenCell {
public:
  WrittenCell(const std::string& name, int compilationScale);
  // An area inside the ring (closed back to its first corner); returns FIDN.
  int addArea(int objl, std::vector<s57write::Attribute> attributes, const std::vector<LatLon>& ring);
  int addLine(int objl, std::vector<s57write::Attribute> attributes, const std::vector<LatLon>& points);
  int addPoint(int objl, std::vector<s57write::Attribute> attributes, LatLon at);
  int addSoundings(const std::vector<std::pair<LatLon, double>>& soundings);
  // M_COVR of CATCOV 1 over the ring.
  int addCoverage(const std::vector<LatLon>& ring) { return addArea(kM_COVR, {{kCATCOV, "1"}}, ring); }
  std::string write(const std::string& directory);

private:
  s57write::Feature feature(int prim, int objl, std::vector<s57write::Attribute> attributes);
  std::int64_t node(LatLon at);

  std::string name_;
  s57write::S57Writer writer_;
  std::int64_t lastFeature_ = 0, lastVector_ = 0;
};

// The corners of a box, south-west first, anticlockwise.
std::vector<LatLon> box(double south, double west, double north, double east);

// The route through the cell's NEWOBJ points named WP1, WP2, ... in the
// order of their numbers, its legs rhumb lines with the default XTD.
Route waypointRoute(const S57Cell& cell);

// Loads the generated library for the test's life and gives it a cell list.
class RouteCheckTest : public testing::Test {
protected:
  void SetUp() override;
  // Writes and loads the cell; the test fails when it does not load.
  void load(WrittenCell& cell);
  void loadFile(const std::string& path);
  RouteCheckResult check(const Route& route, const RouteCheckSettings& settings = {});

  fixtures::TempDirectory directory;
  PresentationLibrary library;
  CellList cells;
};

// A route through the positions, rhumb lines with `xtdMetres` each side.
Route routeThrough(const std::vector<LatLon>& positions, double xtdMetres = 100);

// The findings of one leg (0 for the first).
std::vector<RouteFinding> onLeg(const RouteCheckResult& result, int leg);
// The finding of the object with this FIDN on the leg, or null.
const RouteFinding* findingOf(const RouteCheckResult& result, int leg, int fidn);

}  // namespace routetest

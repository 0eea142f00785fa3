#include "RouteCheckFixture.h"

#include <cmath>
#include <filesystem>
#include <map>

#include "CellLoad.h"
#include "Geodesic.h"
#include "PresentationLibrary.h"
#include "RealData.h"
#include "ViewGeometry.h"

using namespace s57write;

namespace routetest {

namespace {
Coordinate coordinate(LatLon at) {
  return {static_cast<int32_t>(std::lround(at.first * 1e7)), static_cast<int32_t>(std::lround(at.second * 1e7))};
}
}  // namespace

WrittenCell::WrittenCell(const std::string& name, int compilationScale) : name_(name) {
  DataSet d;
  d.dsnm = name + ".000";
  Parameters p;
  p.cscl = compilationScale;
  writer_.addDataSet(d, p);
}

Feature WrittenCell::feature(int prim, int objl, std::vector<Attribute> attributes) {
  Feature f;
  f.rcid = f.fidn = ++lastFeature_;
  f.prim = prim;
  f.objl = objl;
  f.attributes = std::move(attributes);
  return f;
}

std::int64_t WrittenCell::node(LatLon at) {
  writer_.addConnectedNode(++lastVector_, coordinate(at));
  return lastVector_;
}

int WrittenCell::addArea(int objl, std::vector<Attribute> attributes, const std::vector<LatLon>& ring) {
  Feature f = feature(3, objl, std::move(attributes));
  const std::int64_t first = node(ring.front());
  std::vector<Coordinate> interior;
  for (std::size_t i = 1; i < ring.size(); ++i) interior.push_back(coordinate(ring[i]));
  writer_.addEdge(++lastVector_, first, first, interior);
  f.spatialPointers.push_back({kEdge, lastVector_, 1, 1, 255});
  writer_.addFeature(f);
  return static_cast<int>(f.fidn);
}

int WrittenCell::addLine(int objl, std::vector<Attribute> attributes, const std::vector<LatLon>& points) {
  Feature f = feature(2, objl, std::move(attributes));
  const std::int64_t begin = node(points.front()), end = node(points.back());
  std::vector<Coordinate> interior;
  for (std::size_t i = 1; i + 1 < points.size(); ++i) interior.push_back(coordinate(points[i]));
  writer_.addEdge(++lastVector_, begin, end, interior);
  f.spatialPointers.push_back({kEdge, lastVector_, 1, 255, 255});
  writer_.addFeature(f);
  return static_cast<int>(f.fidn);
}

int WrittenCell::addPoint(int objl, std::vector<Attribute> attributes, LatLon at) {
  Feature f = feature(1, objl, std::move(attributes));
  writer_.addIsolatedNode(++lastVector_, coordinate(at));
  f.spatialPointers = {{kIsolatedNode, lastVector_, 255, 255, 255}};
  writer_.addFeature(f);
  return static_cast<int>(f.fidn);
}

int WrittenCell::addSoundings(const std::vector<std::pair<LatLon, double>>& soundings) {
  Feature f = feature(1, kSOUNDG, {});
  std::vector<s57write::Sounding> values;
  for (const auto& [at, depth] : soundings) {
    const Coordinate c = coordinate(at);
    values.push_back({c.y, c.x, static_cast<int32_t>(std::lround(depth * 10))});
  }
  writer_.addSoundingNode(++lastVector_, values);
  f.spatialPointers = {{kIsolatedNode, lastVector_, 255, 255, 255}};
  writer_.addFeature(f);
  return static_cast<int>(f.fidn);
}

std::string WrittenCell::write(const std::string& directory) {
  return fixtures::writeCell(writer_, directory, name_ + ".000");
}

std::vector<LatLon> box(double south, double west, double north, double east) {
  return {{south, west}, {south, east}, {north, east}, {north, west}, {south, west}};
}

Route waypointRoute(const S57Cell& cell) {
  std::map<int, GeoPoint> named;
  for (const auto& p : cell.points) {
    const std::string& name = p->findAttribute("OBJNAM");
    if (p->objectClass != 163 || name.size() < 3 || name.compare(0, 2, "WP") != 0) continue;
    named[std::stoi(name.substr(2))] = chartToGeo(p->position.point);
  }
  Route route(cell.name);
  for (const auto& [number, position] : named) route.appendWaypoint({position, "WP" + std::to_string(number), {}});
  return route;
}

void RouteCheckTest::SetUp() {
  const std::string generated = testsupport::generatedLibrary();
  if (!std::filesystem::is_directory(generated)) GTEST_SKIP() << "no generated library in " << generated;
  ASSERT_EQ(loadPresentationLibrary(library, generated, MissingFileReport::Silent), LibraryResult::Ok);
}

void RouteCheckTest::load(WrittenCell& cell) { loadFile(cell.write(directory.path)); }

void RouteCheckTest::loadFile(const std::string& path) {
  ViewGeometry view;
  ASSERT_EQ(loadCell(path, library, cells, &view), ReaderResult::Ok) << path;
}

RouteCheckResult RouteCheckTest::check(const Route& route, const RouteCheckSettings& settings) {
  return checkRoute(route, *cells.indexedSnapshot(), settings);
}

Route routeThrough(const std::vector<LatLon>& positions, double xtdMetres) {
  Route route("test");
  LegSettings legs;
  legs.portXtdNm = legs.starboardXtdNm = xtdMetres / kMetresPerNauticalMile;
  for (const LatLon& p : positions) route.appendWaypoint({{p.first, p.second}, "", {}}, legs);
  return route;
}

std::vector<RouteFinding> onLeg(const RouteCheckResult& result, int leg) {
  std::vector<RouteFinding> out;
  for (const RouteFinding& f : result.findings)
    if (f.leg == leg) out.push_back(f);
  return out;
}

const RouteFinding* findingOf(const RouteCheckResult& result, int leg, int fidn) {
  for (const RouteFinding& f : result.findings)
    if (f.leg == leg && f.featureNumber == fidn && f.objectClass != 0) return &f;
  return nullptr;
}

}  // namespace routetest

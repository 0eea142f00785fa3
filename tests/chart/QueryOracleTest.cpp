// enctool query against GDAL on the real cell US5WA22M (with its updates),
// at 200 positions spread over it and at two view scales: the areas it
// lists at a position are those GDAL finds containing the position (an OGR
// SQL query with ST_Intersects in the SQLite dialect), the lines those whose
// GDAL geometry passes within 4 pixels, the points those within the pick
// square of 8 pixels each way (also at positions placed a few pixels from
// points); in each case only the features the draw pass draws at that scale
// (as enctool info --portrayal reports them), since nothing else is picked.
// Needs GDAL's ogrinfo and the generated library in S57Lib.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "MercatorProjection.h"
#include "TrueScale.h"

namespace fs = std::filesystem;

namespace {

const std::string kCell = CHART_SHARED_ENC "/US5WA22M/US5WA22M.000";
const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";
constexpr double kPixelUnits = 23.0;  // logical units per pixel

std::string run(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
    pclose(pipe);
  }
  return out;
}

// "0226 2745651E 1C83": AGEN, FIDN and FIDS in hexadecimal, as enctool
// writes a feature's object identifier; GDAL prints FIDN signed.
std::string foid(long agen, long long fidn, long fids) {
  char text[24];
  std::snprintf(text, sizeof text, "%04X%08X%04X", static_cast<unsigned>(agen) & 0xFFFFu,
                static_cast<unsigned>(static_cast<std::uint32_t>(fidn)), static_cast<unsigned>(fids) & 0xFFFFu);
  return text;
}

// A string field of a JSON line (lines are scanned by hand: std::regex
// recurses once per character, and the lines can be long).
std::string field(const std::string& line, const char* name) {
  const std::string key = std::string("\"") + name + "\":\"";
  const std::size_t start = line.find(key);
  if (start == std::string::npos) return std::string();
  std::string value;
  for (std::size_t i = start + key.size(); i < line.size() && line[i] != '"'; ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) ++i;
    value += line[i];
  }
  return value;
}

// Whether a look-up's instructions are texts only: "TX(...);TE(...)".
bool onlyTexts(const std::string& instructions) {
  if (instructions.empty()) return false;
  for (std::size_t i = 0; i < instructions.size();) {
    if (instructions.compare(i, 3, "TX(") != 0 && instructions.compare(i, 3, "TE(") != 0) return false;
    const std::size_t close = instructions.find(')', i);
    if (close == std::string::npos) return false;
    i = close + 1;
    if (i < instructions.size() && instructions[i] == ';') ++i;
  }
  return true;
}

// The features `ogrinfo -sql` prints: the fields of each, by name.
std::vector<std::map<std::string, std::string>> gdalRows(const std::string& sql, const std::string& sqlFile) {
  std::ofstream(sqlFile) << sql;
  const std::string out = run("ogrinfo -ro -q -oo UPDATES=APPLY '" + kCell + "' -dialect SQLite -sql @" + sqlFile +
                              " 2>/dev/null");
  // Field lines: "  NAME (Type) = value" (a regular expression would
  // recurse through the long geometry texts).
  std::vector<std::map<std::string, std::string>> rows;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("OGRFeature(", 0) == 0) rows.emplace_back();
    const std::size_t name = line.find_first_not_of(' ');
    const std::size_t type = line.find(" (");
    const std::size_t equals = line.find(") = ");
    if (rows.empty() || name != 2 || type == std::string::npos || equals == std::string::npos || equals < type)
      continue;
    rows.back()[line.substr(name, type - name)] = line.substr(equals + 4);
  }
  return rows;
}

struct GdalFeature {
  std::string foid, layer;
  bool point = false;
  std::vector<std::vector<ChartPoint>> parts;  // projected as the chart projects
};

// Whether `p` lies within `distance` of a segment of some part.
bool nearParts(const GdalFeature& f, const ChartPoint& p, double distance) {
  for (const auto& part : f.parts)
    for (std::size_t i = 1; i < part.size(); ++i) {
      const ChartPoint& a = part[i - 1];
      const ChartPoint& b = part[i];
      const double dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
      const double t = length2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0) : 0;
      if (std::hypot(a.x + t * dx - p.x, a.y + t * dy - p.y) <= distance) return true;
    }
  return false;
}

// Whether every vertex of `f` lies within `side` of its first in x and y:
// a line the draw pass may thin to one point, and so not draw, in one view
// and draw in another, by where the view's pixel grid falls.
bool within(const GdalFeature& f, double side) {
  const ChartPoint& first = f.parts.at(0).at(0);
  for (const auto& part : f.parts)
    for (const ChartPoint& p : part)
      if (std::fabs(p.x - first.x) > side || std::fabs(p.y - first.y) > side) return false;
  return true;
}

using Picks = std::vector<std::set<std::string>>;  // per position: "KIND FOID"

class QueryOracle : public testing::Test {
protected:
  static void SetUpTestSuite() {
    if (!fs::exists(kCell) || !fs::exists(kLibrary) || run("command -v ogrinfo").empty()) return;
    ready_ = true;
    // 200 positions: a 20 x 10 grid over the cell's coverage, each moved
    // within its grid square by a fixed pseudo-random step.
    const double west = -122.551986, south = 47.230902, east = -122.353523, north = 47.325400;
    unsigned long seed = 12345;
    auto random = [&] {
      seed = (seed * 1103515245UL + 12345UL) % (1UL << 31);
      return static_cast<double>(seed) / static_cast<double>(1UL << 31);
    };
    // Rounded as they are handed to enctool, so the positions it prints
    // back name them.
    auto rounded = [](double degrees) { return std::round(degrees * 1e10) / 1e10; };
    for (int row = 0; row < 10; ++row)
      for (int column = 0; column < 20; ++column) {
        const double latitude = south + (row + random()) * (north - south) / 10;
        const double longitude = west + (column + random()) * (east - west) / 20;
        positions_.push_back(GeoPoint{rounded(latitude), rounded(longitude)});
      }
    readLayers();
  }

  // The cell's layers by geometry type, as `ogrinfo -so` lists them (no type:
  // the layer holds more than one).
  static void readLayers() {
    std::istringstream lines(run("ogrinfo -ro -so '" + kCell + "' 2>/dev/null"));
    // "12: DEPARE (Polygon)", or "3: LNDMRK" for a layer of mixed types.
    for (std::string line; std::getline(lines, line);) {
      const std::size_t colon = line.find(": ");
      if (colon == 0 || colon == std::string::npos ||
          line.find_first_not_of("0123456789") != colon)
        continue;
      const std::size_t open = line.find(" (", colon + 2);
      const std::string name = line.substr(colon + 2, open == std::string::npos ? std::string::npos : open - colon - 2);
      const std::string type =
          open == std::string::npos || line.back() != ')' ? std::string() : line.substr(open + 2, line.size() - open - 3);
      if (type.empty() || type == "Polygon") areaLayers_.push_back(name);
      if (type.empty() || type == "Point" || type == "Line String") lineAndPointLayers_.push_back(name);
    }
  }

  void SetUp() override {
    if (!ready_) GTEST_SKIP() << "needs " << kCell << ", " << kLibrary << " and GDAL's ogrinfo";
  }

  // What enctool query lists at every position, by kind.
  static Picks query(double scale, const std::string& kind) { return query(scale, kind, positions_); }
  static Picks query(double scale, const std::string& kind, const std::vector<GeoPoint>& positions) {
    std::string args = " query --library '" + kLibrary + "' --category 2 --scale " + std::to_string(scale);
    char at[64];
    for (const GeoPoint& p : positions) {
      std::snprintf(at, sizeof at, " --at %.10f,%.10f", p.latitude, p.longitude);
      args += at;
    }
    Picks picks(positions.size());
    std::map<std::string, std::size_t> index;
    for (std::size_t i = 0; i < positions.size(); ++i) {
      std::snprintf(at, sizeof at, "[%.8f,%.8f]", positions[i].latitude, positions[i].longitude);
      index[at] = i;
    }
    std::istringstream lines(run(std::string(ENCTOOL_PATH) + args + " '" + kCell + "' 2>/dev/null"));
    for (std::string line; std::getline(lines, line);) {
      const std::size_t at = line.find("\"at\":[");
      const std::size_t close = line.find(']', at);
      if (field(line, "kind") != kind || at == std::string::npos || close == std::string::npos) continue;
      const auto found = index.find(line.substr(at + 5, close + 1 - (at + 5)));
      if (found != index.end()) picks[found->second].insert(field(line, "foid"));
    }
    return picks;
  }

  // The features of a kind the draw pass draws at `scale` (the whole cell
  // in view); `textOnly` gets those whose look-up draws only texts. The
  // coverage (M_COVR) is left out: the limit of the data the pass draws
  // along it frames the chart, as the cell boundary does, and is not picked.
  static std::set<std::string> drawn(double scale, const std::string& kind, std::set<std::string>* textOnly = nullptr) {
    std::istringstream lines(run(std::string(ENCTOOL_PATH) + " info --library '" + kLibrary +
                                 "' --features --portrayal --category 2 --scale " + std::to_string(scale) + " '" +
                                 kCell + "' 2>/dev/null"));
    std::set<std::string> features;
    for (std::string line; std::getline(lines, line);) {
      if (field(line, "kind") != kind || field(line, "class") == "M_COVR") continue;
      if (!field(line, "drawn").empty()) features.insert(field(line, "foid"));
      if (!textOnly) continue;
      const std::size_t second = line.find("\"second\":{");
      if (second != std::string::npos && onlyTexts(field(line.substr(second), "instructions")))
        textOnly->insert(field(line, "foid"));
    }
    return features;
  }

  static inline bool ready_ = false;
  static inline std::vector<GeoPoint> positions_;
  static inline std::vector<std::string> areaLayers_, lineAndPointLayers_;
};

TEST_F(QueryOracle, AreasAtAPositionAreThoseGdalFindsContainingIt) {
  std::string sql = "WITH p(id, x, y) AS (VALUES ";
  char value[96];
  for (std::size_t i = 0; i < positions_.size(); ++i) {
    std::snprintf(value, sizeof value, "%s(%zu, %.10f, %.10f)", i ? ", " : "", i, positions_[i].longitude,
                  positions_[i].latitude);
    sql += value;
  }
  sql += ")";
  for (std::size_t l = 0; l < areaLayers_.size(); ++l)
    sql += std::string(l ? " UNION ALL " : " ") + "SELECT p.id AS id, t.AGEN AS agen, t.FIDN AS fidn, t.FIDS AS fids FROM p JOIN " +
           areaLayers_[l] + " t ON ST_Intersects(t.GEOMETRY, MakePoint(p.x, p.y, 4326)) " +
           "WHERE ST_GeometryType(t.GEOMETRY) LIKE '%POLYGON%'";
  const fs::path sqlFile = fs::temp_directory_path() / ("query-oracle-areas-" + std::to_string(getpid()) + ".sql");
  Picks gdal(positions_.size());
  for (const auto& row : gdalRows(sql, sqlFile.string()))
    gdal.at(std::stoul(row.at("id"))).insert(foid(std::stol(row.at("agen")), std::stoll(row.at("fidn")),
                                                  std::stol(row.at("fids"))));
  fs::remove(sqlFile);
  std::size_t found = 0;
  for (std::size_t i = 0; i < gdal.size(); ++i) found += gdal[i].size();
  ASSERT_GT(found, 400u) << "GDAL found few areas: is its SQLite dialect with spatial functions there?";

  // At 60000 the areas whose SCAMIN is below it are hidden, and not picked.
  for (double scale : {15000.0, 60000.0}) {
    SCOPED_TRACE(scale);
    // An area drawn only as its text is shown or not by the room the view's
    // other texts leave it: left out on both sides.
    std::set<std::string> textOnly;
    const std::set<std::string> shown = drawn(scale, "area", &textOnly);
    const Picks picked = query(scale, "area");
    std::size_t listed = 0;
    for (std::size_t i = 0; i < positions_.size(); ++i) {
      std::set<std::string> expected, got;
      for (const std::string& f : gdal[i])
        if (shown.count(f) && !textOnly.count(f)) expected.insert(f);
      for (const std::string& f : picked[i])
        if (!textOnly.count(f)) got.insert(f);
      EXPECT_EQ(got, expected) << "at " << positions_[i].latitude << "," << positions_[i].longitude;
      listed += got.size();
    }
    EXPECT_GT(listed, 150u);
  }
}

TEST_F(QueryOracle, LinesAndPointsAreThoseGdalHasWithinThePickDistance) {
  std::string sql;
  for (std::size_t l = 0; l < lineAndPointLayers_.size(); ++l)
    sql += std::string(l ? " UNION ALL " : "") +
           "SELECT AGEN AS agen, FIDN AS fidn, FIDS AS fids, AsText(GEOMETRY) AS wkt FROM " + lineAndPointLayers_[l] +
           " WHERE ST_GeometryType(GEOMETRY) IN ('POINT', 'LINESTRING', 'MULTILINESTRING')";
  const fs::path sqlFile = fs::temp_directory_path() / ("query-oracle-lines-" + std::to_string(getpid()) + ".sql");
  std::vector<GdalFeature> features;
  for (const auto& row : gdalRows(sql, sqlFile.string())) {
    GdalFeature f;
    f.foid = foid(std::stol(row.at("agen")), std::stoll(row.at("fidn")), std::stol(row.at("fids")));
    const std::string& wkt = row.at("wkt");
    f.point = wkt.rfind("POINT", 0) == 0;
    // Each innermost "( ... )" is a part.
    for (std::size_t open = wkt.find('('); open != std::string::npos; open = wkt.find('(', open + 1)) {
      const std::size_t close = wkt.find_first_of("()", open + 1);
      if (close == std::string::npos || wkt[close] != ')') continue;
      std::vector<ChartPoint>& part = f.parts.emplace_back();
      std::istringstream vertices(wkt.substr(open + 1, close - open - 1));
      for (std::string vertex; std::getline(vertices, vertex, ',');) {
        std::istringstream xy(vertex);
        double longitude = 0, latitude = 0;
        xy >> longitude >> latitude;
        part.push_back(geoToChart(GeoPoint{latitude, longitude}));
      }
    }
    features.push_back(std::move(f));
  }
  fs::remove(sqlFile);
  ASSERT_GT(features.size(), 2500u);

  // The grid, and beside every fifth point a position five pixels east and
  // three north of it at 1:15,000, so that points are met at both scales.
  std::vector<GeoPoint> positions = positions_;
  std::size_t pointNumber = 0;
  for (const GdalFeature& f : features) {
    if (!f.point || pointNumber++ % 5 != 0) continue;
    const ChartPoint& p = f.parts.at(0).at(0);
    const double pixel = kPixelUnits * viewScaleForTrueScale(15000, p.y, kDefaultPixelMillimetres);
    const GeoPoint g = chartToGeo(ChartPoint{p.x + 5 * pixel, p.y + 3 * pixel});
    const GeoPoint at{std::round(g.latitude * 1e10) / 1e10, std::round(g.longitude * 1e10) / 1e10};
    // Points at one place (a light on its beacon) give one position.
    if (std::none_of(positions.begin(), positions.end(), [&](const GeoPoint& q) {
          return q.latitude == at.latitude && q.longitude == at.longitude;
        }))
      positions.push_back(at);
  }
  for (double scale : {15000.0, 60000.0}) {
    SCOPED_TRACE(scale);
    // A point drawn only as a text may be decluttered in the whole-cell
    // view of --portrayal and still show in the query's view: left out.
    std::set<std::string> textOnly;
    const std::set<std::string> lines = drawn(scale, "line"), points = drawn(scale, "point", &textOnly);
    const Picks pickedLines = query(scale, "line", positions), pickedPoints = query(scale, "point", positions);
    std::size_t listed = 0, listedPoints = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
      const ChartPoint at = geoToChart(positions[i]);
      // Pixels of the query's view: at the true scale asked for there.
      const double pixel = kPixelUnits * viewScaleForTrueScale(scale, at.y, kDefaultPixelMillimetres);
      const double reach = 4 * pixel, square = 8 * pixel;
      std::set<std::string> expectedLines, expectedPoints, gotPoints, gotLines = pickedLines[i];
      for (const std::string& f : pickedPoints[i])
        if (!textOnly.count(f)) gotPoints.insert(f);
      for (const GdalFeature& f : features) {
        if (!f.point && within(f, 2 * pixel)) {  // shown or not by where the view lies
          gotLines.erase(f.foid);
          continue;
        }
        if (f.point) {
          const ChartPoint& p = f.parts.at(0).at(0);
          const double off = std::max(std::fabs(p.x - at.x), std::fabs(p.y - at.y));
          if (std::fabs(off - square) < 0.05 * pixel) {  // on the square's edge, to rounding
            gotPoints.erase(f.foid);
            continue;
          }
          if (points.count(f.foid) && !textOnly.count(f.foid) && off < square) expectedPoints.insert(f.foid);
        } else if (lines.count(f.foid) && nearParts(f, at, reach)) {
          expectedLines.insert(f.foid);
        }
      }
      EXPECT_EQ(gotLines, expectedLines) << "lines at " << positions[i].latitude << "," << positions[i].longitude;
      EXPECT_EQ(gotPoints, expectedPoints) << "points at " << positions[i].latitude << "," << positions[i].longitude;
      listed += gotLines.size() + gotPoints.size();
      listedPoints += gotPoints.size();
    }
    EXPECT_GT(listedPoints, 100u);
    EXPECT_GT(listed, 100u);
  }
}

}  // namespace

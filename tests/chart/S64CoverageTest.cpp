// The IHO's display tests (S-64) end to end, through enctool as a process
// and GDAL's ogrinfo as the oracle: a cell's extent against its coverage
// (3.1 ENC Display/Standard), national names as GDAL reads them (2.1.1 Power
// Up), the no-data presentation round the approach cell GB4X0000 (pixels),
// and the safety contour round the land of 7.0 Safety Contour. Each test
// skips, naming what is missing, without the test data, the library or
// ogrinfo.
#include <gtest/gtest.h>

#include <QImage>
#include <array>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "CellFixtures.h"
#include "ColourFileReader.h"
#include "ColourToken.h"
#include "MercatorProjection.h"
#include "RealData.h"
#include "ToolRun.h"
#include "TrueScale.h"
#include "ViewGeometry.h"

namespace {

const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";
const std::string kS64 = CHART_SHARED_ENC "/../iho/s64";
const std::string kStandard = kS64 + "/3.1 ENC Display/Standard/ENC_ROOT/AA5STNDR.000";
const std::string kPowerUp = kS64 + "/2.1.1 Power Up/ENC_ROOT";
const std::string kSafetyContour = kS64 + "/7.0 Safety Contour/ENC_ROOT/AA3SAFCO.000";

using testsupport::runCommand;
using testsupport::shellQuote;

#define SKIP_WITHOUT(...)                                                                                \
  SKIP_UNLESS_PRESENT(kLibrary, __VA_ARGS__);                                                            \
  if (!testsupport::onPath("ogrinfo")) GTEST_SKIP() << "ogrinfo (gdal-bin) is not installed"

std::string enctool(const std::string& args) { return runCommand(std::string(ENCTOOL_PATH) + " " + args).out; }

// The values ogrinfo prints for `sql` (SQLite dialect) on `cell`, by field
// name, one map per row in order.
std::vector<std::vector<std::pair<std::string, std::string>>> gdal(const std::string& cell, const std::string& sql) {
  const std::string out =
      runCommand("ogrinfo -ro -q -dialect sqlite -sql " + shellQuote(sql) + " " + shellQuote(cell)).out;
  std::vector<std::vector<std::pair<std::string, std::string>>> rows;
  std::istringstream lines(out);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("OGRFeature", 0) == 0) {
      rows.emplace_back();
      continue;
    }
    const std::size_t type = line.find(" ("), equals = line.find(") = ");
    if (rows.empty() || line.rfind("  ", 0) != 0 || type == std::string::npos || equals == std::string::npos) continue;
    rows.back().emplace_back(line.substr(2, type - 2), line.substr(equals + 4));
  }
  return rows;
}

// A number field of a JSON line ("south":-32.6 in "extent":{...}, say).
double number(const std::string& line, const std::string& name) {
  const std::size_t at = line.find("\"" + name + "\":");
  return at == std::string::npos ? NAN : std::atof(line.c_str() + at + name.size() + 3);
}

// A string field of a JSON line, escapes taken as the character after them.
std::string text(const std::string& line, const std::string& name, std::size_t from = 0) {
  const std::string key = "\"" + name + "\":\"";
  const std::size_t start = line.find(key, from);
  if (start == std::string::npos) return {};
  std::string value;
  for (std::size_t i = start + key.size(); i < line.size() && line[i] != '"'; ++i) {
    if (line[i] == '\\' && i + 1 < line.size()) ++i;
    value += line[i];
  }
  return value;
}

}  // namespace

// AA5STNDR's M_NSYS areas mark a small stretch of it; its extent is its
// coverage and all its geometry, so a view in its north-east quarter draws it.
TEST(S64, AA5STNDRHoldsItsWholeCoverage) {
  SKIP_WITHOUT(kStandard);
  const auto rows = gdal(kStandard,
                         "SELECT ST_MinX(GEOMETRY) AS w, ST_MinY(GEOMETRY) AS s, ST_MaxX(GEOMETRY) AS e, "
                         "ST_MaxY(GEOMETRY) AS n FROM M_COVR WHERE CATCOV = 1");
  ASSERT_EQ(rows.size(), 1u);
  ASSERT_EQ(rows[0].size(), 4u);
  const double west = std::stod(rows[0][0].second), south = std::stod(rows[0][1].second);
  const double east = std::stod(rows[0][2].second), north = std::stod(rows[0][3].second);
  EXPECT_GT(east - west, 0.15);  // 10.0 to 10.1667 each way

  std::string line;
  std::istringstream lines(enctool("info --library " + shellQuote(kLibrary) + " " + shellQuote(kStandard)));
  while (std::getline(lines, line) && line.find("\"extent\"") == std::string::npos) {
  }
  ASSERT_NE(line.find("\"extent\""), std::string::npos);
  constexpr double kDegreeSlack = 1e-5;  // about a metre: the projection there and back
  EXPECT_LE(number(line, "south"), south + kDegreeSlack);
  EXPECT_LE(number(line, "west"), west + kDegreeSlack);
  EXPECT_GE(number(line, "north"), north - kDegreeSlack);
  EXPECT_GE(number(line, "east"), east - kDegreeSlack);

  fixtures::TempDirectory dir;
  const std::string out = enctool("render --library " + shellQuote(kLibrary) + " " + shellQuote(kStandard) +
                                  " --centre 10.15,10.12 --scale 30000 --out " + shellQuote(dir.path + "/a.png"));
  EXPECT_NE(out.find("\"cells_drawn\":1"), std::string::npos) << out;
}

// GB5X01SW declares Latin-1 national text (NALL 1): its national names come
// out as GDAL reads them, "Rössett Inseln", in enctool query's panel text.
TEST(S64, NationalNamesReadAsGdalReadsThem) {
  const std::string cell = kPowerUp + "/GB5X01SW.000";
  SKIP_WITHOUT(cell);
  const auto rows = gdal(cell,
                         "SELECT NOBJNM, ST_X(ST_PointOnSurface(GEOMETRY)) AS x, ST_Y(ST_PointOnSurface(GEOMETRY)) "
                         "AS y FROM LNDARE WHERE NOBJNM IS NOT NULL");
  ASSERT_FALSE(rows.empty());
  for (const auto& row : rows) {
    ASSERT_EQ(row.size(), 3u);
    const std::string& name = row[0].second;
    EXPECT_EQ(name, "R\xc3\xb6ssett Inseln");
    const std::string out = enctool("query --library " + shellQuote(kLibrary) + " --at " + row[2].second + "," +
                                    row[1].second + " " + shellQuote(cell));
    std::size_t found = 0;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
      const std::size_t at = line.find("\"acronym\":\"NOBJNM\"");
      if (text(line, "acronym") != "LNDARE" || at == std::string::npos) continue;
      EXPECT_EQ(text(line, "value", at), name);
      EXPECT_EQ(text(line, "raw", at), name);
      ++found;
    }
    EXPECT_GE(found, 1u) << out;
  }
}

// GB4X0000's coverage is ringed by its own area without data (M_COVR of
// CATCOV 2) inside its box: there and beyond the cell, in the day and the
// night table, the chart shows NODTA with the NODATA03 pattern, and nowhere
// there the colour of any depth, the world base map under it or not.
TEST(S64, NoDataRoundGB4X0000) {
  const std::string cell = kPowerUp + "/GB4X0000.000";
  const std::string baseMap = CHART_SOURCE_DIR "/worldland.bin";
  SKIP_WITHOUT(cell, baseMap);
  const auto ring = gdal(cell,
                         "SELECT ST_X(ST_PointOnSurface(ST_Buffer(GEOMETRY, -0.003))) AS x, "
                         "ST_Y(ST_PointOnSurface(ST_Buffer(GEOMETRY, -0.003))) AS y, ST_MinX(GEOMETRY) AS w "
                         "FROM M_COVR WHERE CATCOV = 2");
  ASSERT_EQ(ring.size(), 1u);
  const GeoPoint inRing{std::stod(ring[0][1].second), std::stod(ring[0][0].second)};
  const GeoPoint outside{-32.475, std::stod(ring[0][2].second) - 0.03};  // west of the cell's box

  std::array<ColourTable, kColourSchemeCount> tables{};
  ASSERT_EQ(readColourFile(kLibrary + "/S57Colours", tables), LibraryResult::Ok);
  fixtures::TempDirectory dir;
  for (const int scheme : {1, 5})
    for (const std::string& under : {std::string(), " --base-map " + shellQuote(baseMap)}) {
      const std::string png = dir.path + "/gb4.png";
      const std::string out = enctool("render --library " + shellQuote(kLibrary) + " " + shellQuote(cell) +
                                      " --centre -32.475,61.05 --scale 400000 --size 862x686 --no-boundaries" +
                                      " --scheme " + std::to_string(scheme) + under + " --out " + shellQuote(png));
      ASSERT_NE(out.find("\"cells_drawn\":1"), std::string::npos) << out;
      const QImage image(QString::fromStdString(png));
      ASSERT_EQ(image.width(), 862);
      const ColourTable& colours = tables[static_cast<std::size_t>(scheme - 1)];
      const QColor noData = colours.entries[colourIndex("NODTA")], pattern = colours.entries[colourIndex("CHGRD")];
      // The view as enctool sets it: the true scale 1:400,000 at the centre
      // on pixels of the default size.
      ViewGeometry view;
      setCentreGeo(-32.475, 61.05, view);
      ASSERT_TRUE(setTrueScale(view, 400000));
      view.viewportWidth = 862 * 23;
      view.viewportHeight = 686 * 23;
      updateOrigin(view);
      for (const GeoPoint& g : {inRing, outside}) {
        const ChartPoint p = geoToChart(g);
        const QPoint centre(static_cast<int>((p.x - view.origin.x) / view.scale / 23),
                            static_cast<int>((view.origin.y - p.y) / view.scale / 23));
        ASSERT_TRUE(QRect(3, 3, 856, 680).contains(centre)) << g.latitude << "," << g.longitude;
        int background = 0, other = 0, depth = 0;
        for (int y = centre.y() - 2; y <= centre.y() + 2; ++y)
          for (int x = centre.x() - 2; x <= centre.x() + 2; ++x) {
            const QColor c = image.pixelColor(x, y);
            const auto between = [](int v, int a, int b) { return v >= std::min(a, b) - 2 && v <= std::max(a, b) + 2; };
            if (c == noData) ++background;
            else if (!between(c.red(), noData.red(), pattern.red()) || !between(c.green(), noData.green(), pattern.green()) ||
                     !between(c.blue(), noData.blue(), pattern.blue()))
              ++other;
            // (The night table gives deep water and no data one colour;
            // there the pattern alone tells them apart.)
            for (const char* token : {"DEPDW", "DEPMD", "DEPMS", "DEPVS", "DEPIT"})
              depth += c.rgb() == colours.entries[colourIndex(token)].rgb() && colours.entries[colourIndex(token)] != noData;
          }
        const std::string what = "scheme " + std::to_string(scheme) + (under.empty() ? "" : ", base map") + " at " +
                                 std::to_string(g.latitude) + "," + std::to_string(g.longitude);
        EXPECT_GT(background, 12) << what;
        EXPECT_EQ(other, 0) << what;
        EXPECT_EQ(depth, 0) << what;
      }
    }
}

// AA3SAFCO at a safety contour of 10 m: its depth areas of 10 m and deeper
// are safe, so the safety contour runs round every area in them that is
// not safe water (land, the floating dock, the hulk, the pontoon, the
// unsurveyed area, the dredged area of 5 m): at least one edge for each
// such area GDAL finds on the boundary of a safe depth area.
TEST(S64, TheSafetyContourRunsRoundTheLandOfAA3SAFCO) {
  SKIP_WITHOUT(kSafetyContour);
  int touching = 0;
  for (const char* obstacle : {"LNDARE", "FLODOC", "HULKES", "PONTON", "UNSARE", "DRGARE"}) {
    const std::string shallow = std::string(obstacle) == "DRGARE" ? " AND o.DRVAL1 < 10" : "";
    const auto rows = gdal(kSafetyContour, std::string("SELECT count(*) AS n FROM ") + obstacle +
                                               " o, DEPARE d WHERE d.DRVAL1 >= 10 AND "
                                               "ST_GeometryType(o.GEOMETRY) LIKE '%POLYGON%' AND "
                                               "ST_Intersects(ST_Boundary(o.GEOMETRY), ST_Boundary(d.GEOMETRY))" +
                                               shallow);
    ASSERT_EQ(rows.size(), 1u) << obstacle;
    EXPECT_GE(std::stoi(rows[0][0].second), 1) << obstacle;
    touching += std::stoi(rows[0][0].second);
  }

  for (const std::string category : {"0", "1"}) {
    const std::string out = enctool("info --library " + shellQuote(kLibrary) + " --features --portrayal --contours 10" +
                                    " --category " + category + " " + shellQuote(kSafetyContour));
    int safetyEdges = 0, safeAreas = 0;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
      if (text(line, "class") != "DEPARE") continue;
      const std::size_t drval1 = line.find("[\"DRVAL1\",\"");
      if (drval1 == std::string::npos || std::atof(line.c_str() + drval1 + 11) < 10) continue;
      ++safeAreas;
      const std::string drawn = text(line, "drawn");
      for (std::size_t at = drawn.find("LS(SOLD,2,DEPSC)"); at != std::string::npos;
           at = drawn.find("LS(SOLD,2,DEPSC)", at + 1))
        ++safetyEdges;
    }
    EXPECT_EQ(safeAreas, 2) << category;
    EXPECT_GE(safetyEdges, touching) << "category " << category;
  }
}

// GB4X0000 has an area compiled at another scale (M_CSCL, 1:45,000, in its
// north-west): its edges inside the cell's coverage are a scale boundary,
// drawn when the mariner turns scale boundaries on, not otherwise.
TEST(S64, TheScaleBoundaryOfGB4X0000WhenTurnedOn) {
  const std::string cell = kPowerUp + "/GB4X0000.000";
  SKIP_WITHOUT(cell);
  for (const bool on : {false, true}) {
    const std::string out = enctool("info --library " + shellQuote(kLibrary) + " --features --portrayal" +
                                    (on ? " --scale-boundaries " : " ") + shellQuote(cell));
    int scaleAreas = 0, drawn = 0;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) {
      if (text(line, "class") != "M_CSCL") continue;
      ++scaleAreas;
      drawn += text(line, "drawn").find("LC(SCLBDY51)") != std::string::npos;
    }
    EXPECT_EQ(scaleAreas, 1);
    EXPECT_EQ(drawn, on ? 1 : 0) << (on ? "on" : "off");
  }
}

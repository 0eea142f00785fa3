// The Web Mercator tile grid, the tile set and its parts, and the view a
// tile is drawn with.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>
#include <vector>

#include "MercatorProjection.h"
#include "TileSet.h"
#include "TileView.h"
#include "ViewGeometry.h"
#include "WebMercatorTiles.h"

using namespace tiles;

namespace {
using Key = std::tuple<int, int, int>;

std::vector<Key> walk(const TileSet& set) {
  std::vector<Key> out;
  TileSet::Cursor cursor(set);
  TileId t;
  long long index = 0;
  while (cursor.next(t, index)) {
    EXPECT_EQ(index, static_cast<long long>(out.size()));
    out.push_back({t.z, t.x, t.y});
  }
  return out;
}
}  // namespace

TEST(TileGrid, PixelsAndTiles) {
  // Well-known tiles: zoom 0 is the world; Tacoma at zoom 15.
  EXPECT_DOUBLE_EQ(pixelX(-180, 0), 0);
  EXPECT_DOUBLE_EQ(pixelX(180, 3), 2048);
  EXPECT_NEAR(pixelY(0, 1), 256, 1e-9);
  EXPECT_NEAR(pixelY(kMaximumLatitude, 4), 0, 1e-6);
  EXPECT_NEAR(latitudeAtPixel(pixelY(47.27, 15), 15), 47.27, 1e-9);
  EXPECT_NEAR(longitudeAtPixel(pixelX(-122.42, 15), 15), -122.42, 1e-9);
  EXPECT_EQ(static_cast<int>(pixelX(-122.42, 15) / 256), 5241);
  EXPECT_EQ(static_cast<int>(pixelY(47.27, 15) / 256), 11489);
  EXPECT_EQ(tmsRow(TileId{15, 5241, 11489}), 32767 - 11489);
  EXPECT_EQ(tmsRow(TileId{0, 0, 0}), 0);

  // A box ending on a tile edge stays out of the next tile; a margin widens
  // the range; the grid's edges clamp it.
  const double edge = longitudeAtPixel(256 * 10, 5);
  const GeoBox box{10, longitudeAtPixel(256 * 8 + 5, 5), 20, edge};
  TileRange r = tilesMeeting(box, 5);
  EXPECT_EQ(r.x0, 8);
  EXPECT_EQ(r.x1, 9);
  r = tilesMeeting(box, 5, 10);
  EXPECT_EQ(r.x0, 7);
  EXPECT_EQ(r.x1, 10);
  r = tilesMeeting(GeoBox{-89, -180, 89, 180}, 2, 500);
  EXPECT_EQ(r.x0, 0);
  EXPECT_EQ(r.y0, 0);
  EXPECT_EQ(r.x1, 3);
  EXPECT_EQ(r.y1, 3);
  EXPECT_TRUE(tilesMeeting(GeoBox{10, 20, 10, 30}, 5).empty());  // no height
  EXPECT_TRUE(intersect(tilesMeeting(GeoBox{0, 0, 1, 1}, 8), tilesMeeting(GeoBox{0, 2, 1, 3}, 8)).empty());
}

TEST(TileGrid, SetIsTheUnionOfTheAreasWithinTheBoxInOrder) {
  // Three overlapping areas and one outside the box, at zooms 6 to 8.
  const GeoBox box{40, -10, 50, 10};
  const std::vector<GeoBox> areas = {{41, -9, 43, -5}, {42, -6, 45, -1}, {48, 2, 49.5, 9}, {10, 100, 11, 101}};
  const TileSet set(6, 8, box, areas, 20);
  std::set<Key> expected;
  for (int z = 6; z <= 8; ++z) {
    const TileRange inBox = tilesMeeting(box, z);
    for (const GeoBox& a : areas) {
      const TileRange r = intersect(inBox, tilesMeeting(a, z, 20));
      for (int x = r.x0; x <= r.x1; ++x)
        for (int y = r.y0; y <= r.y1; ++y) expected.insert({z, x, y});
    }
  }
  const std::vector<Key> walked = walk(set);
  EXPECT_EQ(set.size(), static_cast<long long>(walked.size()));
  EXPECT_EQ(std::set<Key>(walked.begin(), walked.end()), expected);
  // Zoom by zoom, row by row, west to east, each tile once.
  for (size_t i = 1; i < walked.size(); ++i) {
    const auto [z0, x0, y0] = walked[i - 1];
    const auto [z1, x1, y1] = walked[i];
    EXPECT_TRUE(std::make_tuple(z0, y0, x0) < std::make_tuple(z1, y1, x1)) << i;
  }

  // Nothing meets: an empty set.
  EXPECT_EQ(TileSet(3, 5, box, {{10, 100, 11, 101}}, 0).size(), 0);
  EXPECT_TRUE(walk(TileSet(3, 5, box, {}, 0)).empty());
}

TEST(TileGrid, PartsAreDisjointAndMakeTheWhole) {
  const TileSet set(9, 11, GeoBox{46, -124, 48, -121}, {{47, -123, 47.5, -122}, {46.5, -122.5, 46.8, -121.5}}, 128);
  const std::vector<Key> all = walk(set);
  ASSERT_GT(all.size(), 20u);
  for (int parts : {1, 2, 3, 7}) {
    std::multiset<Key> joined;
    long long sizes = 0;
    for (int part = 1; part <= parts; ++part) {
      long long count = 0;
      for (size_t i = 0; i < all.size(); ++i)
        if (inPart(static_cast<long long>(i), part, parts)) joined.insert(all[i]), ++count;
      EXPECT_EQ(count, partSize(set.size(), part, parts)) << part << "/" << parts;
      sizes += count;
    }
    EXPECT_EQ(sizes, set.size());
    EXPECT_EQ(joined, std::multiset<Key>(all.begin(), all.end())) << parts << " parts";
  }
  EXPECT_EQ(partSize(3, 5, 5), 0);
  EXPECT_EQ(partSize(0, 1, 1), 0);
}

TEST(TileGrid, ViewOfATileMatchesTheGrid) {
  // At several latitudes, the chart positions of a tile's corners lie where
  // the tile's view puts its corner pixels, within half a pixel.
  for (double latitude : {0.5, 30.0, 47.27, 60.0, 80.0}) {
    for (int z : {4, 12, 18}) {
      const int x = static_cast<int>(pixelX(-122.42, z) / kTileSize);
      const int y = static_cast<int>(pixelY(latitude, z) / kTileSize);
      const TileViewPlacement p = tileViewPlacement(TileId{z, x, y});
      const double perPixel = p.scale * LOGICAL_UNITS_PER_PIXEL;
      for (int corner = 0; corner < 4; ++corner) {
        const double px = (x + corner % 2) * static_cast<double>(kTileSize);
        const double py = (y + corner / 2) * static_cast<double>(kTileSize);
        const ChartPoint c = geoToChart({latitudeAtPixel(py, z), longitudeAtPixel(px, z)});
        const double offX = (c.x - p.chartCentre.x) / perPixel - (corner % 2 ? 128 : -128);
        const double offY = (p.chartCentre.y - c.y) / perPixel - (corner / 2 ? 128 : -128);
        EXPECT_LT(std::fabs(offX), 0.5) << latitude << " z" << z << " corner " << corner;
        EXPECT_LT(std::fabs(offY), 0.5) << latitude << " z" << z << " corner " << corner;
      }
    }
  }
  // The scale halves from one zoom to the next, and a zoom-15 tile at 47
  // degrees is near the chart's 1:18000.
  EXPECT_NEAR(tileViewScale(47.27, 15) / tileViewScale(47.27, 16), 2.0, 1e-12);
  EXPECT_NEAR(tileViewScale(47.27, 15), 17968, 20);
}

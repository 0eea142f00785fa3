#pragma once
// The world base map: Natural Earth land drawn under every cell, so that a
// zoomed-out view shows where on Earth it is. It is a backdrop, not a chart:
// the draw pass draws it over the no-data presentation and every cell over
// it. Its land is in a muted tone, halfway between the chart's land colour
// and the no-data colour, and its sea is left as no-data, so that it never
// passes for chart land or for water of a known depth.
#include <QBrush>
#include <QColor>
#include <QPoint>
#include <QPointF>
#include <string>
#include <vector>

#include "ChartModel.h"
#include "ViewGeometry.h"
#include "WorldLandFile.h"

#include <atomic>
#include <mutex>

#include "Canvas.h"

class QPainter;

class WorldBaseMap {
public:
  // Takes the polygons of `data`, replacing what was loaded. A level is
  // projected into chart units (latitudes beyond +-85 degrees taken as 85,
  // where the Mercator plane ends for this purpose) the first time a view
  // needs it, so start-up pays only for copying.
  void setLand(const WorldLandData& data);
  // Reads a world land file (WorldLandFile.h). On failure the map is left
  // empty and `error` says why.
  bool load(const std::string& path, std::string& error);
  void clear();
  bool empty() const { return levels_.empty(); }

  // The level a view of true scale `scale` uses: the coarsest whose
  // fromScale it reaches, else the finest. -1 when nothing is loaded.
  int levelFor(float scale) const;

  // Fills the land polygons of the view's level that meet the view in
  // mutedLandColour (holes left open), each in every copy of the world, 360
  // degrees east or west, that meets the view; the sea is left as it is.
  // Nothing when empty. The view's origin must be current.
  // Views on several threads may draw it at once: the point buffers and the
  // brush belong to the view that draws and keep their capacity, so a pass
  // allocates nothing once they have grown, and a level is projected once,
  // under a lock.
  struct Buffers {
    std::vector<QPointF> clipIn, clipOut;
    std::vector<QPoint> polygon;
    QBrush brush;
  };
  void draw(const Canvas& canvas, const ViewGeometry& view, Buffers& buffers);

  // Polygons filled by the last draw (of any thread).
  int polygonsDrawn() const { return polygonsDrawn_.load(); }

private:
  struct Ring {
    std::uint32_t offset = 0, count = 0;
  };
  struct Polygon {
    std::uint32_t firstRing = 0, ringCount = 0;
    ChartBox box;
  };
  struct Level {
    float fromScale = 0;
    std::vector<GeoPoint> positions;  // every ring's, in ring order
    bool projected = false;           // points and boxes made from positions
    std::vector<ChartPoint> points;
    std::vector<Ring> rings;
    std::vector<Polygon> polygons;
  };

  static void project(Level& level);
  // Appends a ring in logical units, thinned to one point per pixel and
  // clipped to a margin around the viewport, to the buffers' polygon; false
  // when nothing of it is left.
  static bool appendRing(const Level& level, const Ring& ring, double shiftX, const ViewGeometry& view,
                         Buffers& buffers);

  std::vector<Level> levels_;
  std::atomic<int> polygonsDrawn_{0};
  std::mutex projecting_;  // held while a level is projected or checked
};

// The colour of the base map's land in a colour table: LANDA and NODTA
// mixed half and half.
QColor mutedLandColour(const ColourTable& colours);

// The file the program loads it from, next to S57Lib.
constexpr const char* kWorldLandFile = "worldland.bin";

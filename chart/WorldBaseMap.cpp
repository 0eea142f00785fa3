#include "WorldBaseMap.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ColourPens.h"
#include "ColourToken.h"
#include "TrueScale.h"
#include "WorldCopies.h"

namespace {
constexpr double kLatitudeLimit = 85.0;
// Clipping margin around the viewport, logical units (about 4 pixels), so
// that no edge of the clipped polygon shows.
constexpr double kMargin = 100.0;

// One Sutherland-Hodgman stage of a closed polygon against x (testX) or y
// at `value`, keeping the side at or above it when keepGreater.
void clipStage(const std::vector<QPointF>& in, bool testX, double value, bool keepGreater,
               std::vector<QPointF>& out) {
  out.clear();
  const std::size_t n = in.size();
  if (n == 0) return;
  auto inside = [&](const QPointF& p) {
    const double c = testX ? p.x() : p.y();
    return keepGreater ? c >= value : c <= value;
  };
  QPointF previous = in[n - 1];
  bool previousInside = inside(previous);
  for (const QPointF& p : in) {
    const bool isInside = inside(p);
    if (isInside != previousInside) {
      if (testX) {
        const double t = (value - previous.x()) / (p.x() - previous.x());
        out.emplace_back(value, previous.y() + t * (p.y() - previous.y()));
      } else {
        const double t = (value - previous.y()) / (p.y() - previous.y());
        out.emplace_back(previous.x() + t * (p.x() - previous.x()), value);
      }
    }
    if (isInside) out.push_back(p);
    previous = p;
    previousInside = isInside;
  }
}

// `longitude` moved by whole turns to within half a turn of `near`.
double nearestTurn(double longitude, double near) {
  return longitude + 360.0 * std::round((near - longitude) / 360.0);
}

// Appends a ring as one continuous line on the plane. Natural Earth rings
// cross the 180th meridian as a step of nearly 360 degrees; the ring goes
// on beyond +-180 instead, so it is filled as the land it is and not as a
// band round the world. A ring that goes once round a pole (Antarctica)
// ends a turn away from its start: it is closed along the pole (whose
// latitude the projection takes as 85 degrees). The ring starts in the turn
// nearest `near` (the exterior's middle, for a hole).
void appendUnwrapped(const std::vector<GeoPoint>& ring, double near, std::vector<GeoPoint>& out) {
  const std::size_t start = out.size();
  double longitude = nearestTurn(ring.front().longitude, near);
  double south = 0, north = 0;
  for (const GeoPoint& g : ring) {
    longitude = nearestTurn(g.longitude, longitude);
    out.push_back({g.latitude, longitude});
    south = std::min(south, g.latitude), north = std::max(north, g.latitude);
  }
  const GeoPoint first = out[start];
  const double closing = nearestTurn(first.longitude, longitude);
  if (std::fabs(closing - first.longitude) < 180.0) return;
  const double pole = -south > north ? -90.0 : 90.0;
  out.push_back({first.latitude, closing});
  out.push_back({pole, closing});
  out.push_back({pole, first.longitude});
}

// The middle of a ring's longitudes once made continuous.
double unwrappedMiddle(const std::vector<GeoPoint>& ring) {
  double longitude = ring.front().longitude, west = longitude, east = longitude;
  for (const GeoPoint& g : ring) {
    longitude = nearestTurn(g.longitude, longitude);
    west = std::min(west, longitude), east = std::max(east, longitude);
  }
  return (west + east) / 2;
}
}  // namespace

QColor mutedLandColour(const ColourTable& colours) {
  const QColor land = colourOf(colours, colourIndex("LANDA"));
  const QColor noData = colourOf(colours, colourIndex("NODTA"));
  return QColor((land.red() + noData.red()) / 2, (land.green() + noData.green()) / 2,
                (land.blue() + noData.blue()) / 2);
}

namespace {
// The brush of mutedLandColour, kept by the view while the colour stays.
const QBrush& mutedLandBrush(const ColourTable& colours, QBrush& brush) {
  const QColor colour = mutedLandColour(colours);
  if (brush.style() != Qt::SolidPattern || brush.color() != colour) brush = QBrush(colour);
  return brush;
}
}  // namespace

void WorldBaseMap::clear() { levels_.clear(); }

void WorldBaseMap::setLand(const WorldLandData& data) {
  levels_.clear();
  for (const WorldLandLevel& source : data.levels) {
    Level level;
    level.fromScale = source.fromScale;
    std::size_t positions = 0, rings = 0;
    for (const WorldLandPolygon& polygon : source.polygons)
      for (const auto& ring : polygon.rings) positions += ring.size(), ++rings;
    level.positions.reserve(positions);
    level.rings.reserve(rings);
    level.polygons.reserve(source.polygons.size());
    for (const WorldLandPolygon& polygon : source.polygons) {
      Polygon p;
      p.firstRing = static_cast<std::uint32_t>(level.rings.size());
      if (polygon.rings.empty() || polygon.rings.front().size() < 3) continue;
      const double middle = unwrappedMiddle(polygon.rings.front());
      for (const auto& ring : polygon.rings) {
        if (ring.size() < 3) continue;  // encloses nothing
        const std::size_t offset = level.positions.size();
        appendUnwrapped(ring, middle, level.positions);
        level.rings.push_back({static_cast<std::uint32_t>(offset), static_cast<std::uint32_t>(level.positions.size() - offset)});
      }
      p.ringCount = static_cast<std::uint32_t>(level.rings.size()) - p.firstRing;
      if (p.ringCount > 0) level.polygons.push_back(p);
    }
    levels_.push_back(std::move(level));
  }
}

void WorldBaseMap::project(Level& level) {
  level.points.resize(level.positions.size());
  for (std::size_t i = 0; i < level.positions.size(); ++i) {
    const GeoPoint& g = level.positions[i];
    level.points[i] = geoToChart({std::clamp(g.latitude, -kLatitudeLimit, kLatitudeLimit), g.longitude});
  }
  for (Polygon& p : level.polygons) {
    // The exterior ring bounds the polygon.
    const Ring& exterior = level.rings[p.firstRing];
    const ChartPoint& first = level.points[exterior.offset];
    p.box = {first.x, first.y, first.x, first.y};
    for (std::uint32_t i = 1; i < exterior.count; ++i) {
      const ChartPoint& c = level.points[exterior.offset + i];
      p.box.minX = std::min(p.box.minX, c.x), p.box.maxX = std::max(p.box.maxX, c.x);
      p.box.minY = std::min(p.box.minY, c.y), p.box.maxY = std::max(p.box.maxY, c.y);
    }
  }
  level.projected = true;
}

bool WorldBaseMap::load(const std::string& path, std::string& error) {
  WorldLandData data;
  if (!readWorldLandFile(path, data, error)) {
    clear();
    return false;
  }
  setLand(data);
  return true;
}

int WorldBaseMap::levelFor(float scale) const {
  if (levels_.empty()) return -1;
  for (std::size_t i = 0; i < levels_.size(); ++i)
    if (scale >= levels_[i].fromScale) return static_cast<int>(i);
  return static_cast<int>(levels_.size()) - 1;
}

bool WorldBaseMap::appendRing(const Level& level, const Ring& ring, double shiftX, const ViewGeometry& view,
                              Buffers& buffers) {
  std::vector<QPointF>& clipIn_ = buffers.clipIn;
  std::vector<QPointF>& clipOut_ = buffers.clipOut;
  std::vector<QPoint>& polygon_ = buffers.polygon;
  // Logical positions, one per pixel: a point in the same pixel as the
  // last kept one adds nothing to a fill.
  const double scale = view.scale;
  clipIn_.clear();
  double lastCellX = NAN, lastCellY = NAN;
  for (std::uint32_t i = 0; i < ring.count; ++i) {
    const ChartPoint& c = level.points[ring.offset + i];
    const double x = (c.x + shiftX - view.origin.x) / scale;
    const double y = (view.origin.y - c.y) / scale;
    const double cellX = std::floor(x / LOGICAL_UNITS_PER_PIXEL), cellY = std::floor(y / LOGICAL_UNITS_PER_PIXEL);
    if (cellX == lastCellX && cellY == lastCellY) continue;
    lastCellX = cellX, lastCellY = cellY;
    clipIn_.emplace_back(x, y);
  }
  const double right = view.viewportWidth + kMargin, bottom = view.viewportHeight + kMargin;
  clipStage(clipIn_, true, -kMargin, true, clipOut_);
  clipStage(clipOut_, true, right, false, clipIn_);
  clipStage(clipIn_, false, -kMargin, true, clipOut_);
  clipStage(clipOut_, false, bottom, false, clipIn_);
  if (clipIn_.size() < 3) return false;
  for (const QPointF& p : clipIn_) polygon_.emplace_back(static_cast<int>(p.x()), static_cast<int>(p.y()));
  return true;
}

void WorldBaseMap::draw(const Canvas& canvas, const ViewGeometry& view, Buffers& buffers) {
  QPainter& painter = canvas.painter;
  const int levelIndex = levelFor(static_cast<float>(trueScale(view)));
  if (levelIndex < 0) return;
  Level& level = levels_[static_cast<std::size_t>(levelIndex)];
  {
    std::lock_guard<std::mutex> lock(projecting_);
    if (!level.projected) project(level);
  }
  std::vector<QPoint>& polygon_ = buffers.polygon;
  int drawn = 0;
  const ChartBox shown = viewBox(view);
  painter.setPen(Qt::NoPen);
  painter.setBrush(mutedLandBrush(canvas.colours, buffers.brush));
  for (const Polygon& polygon : level.polygons) {
    const WorldCopies copies = worldCopiesMeeting(polygon.box, shown);
    for (int k = copies.first; k <= copies.last; ++k) {
      const double shift = worldCopyShift(k);
      // The exterior ring, then each hole followed by a return to the
      // exterior's first point: the way to a hole and back cancel out, so
      // one odd-even fill leaves the holes open.
      polygon_.clear();
      if (!appendRing(level, level.rings[polygon.firstRing], shift, view, buffers)) continue;
      const QPoint start = polygon_.front();
      for (std::uint32_t h = 1; h < polygon.ringCount; ++h) {
        const std::size_t before = polygon_.size();
        polygon_.push_back(start);
        if (!appendRing(level, level.rings[polygon.firstRing + h], shift, view, buffers)) {
          polygon_.resize(before);
          continue;
        }
        const QPoint holeStart = polygon_[before + 1];
        polygon_.push_back(holeStart);  // close the hole
        polygon_.push_back(start);
      }
      painter.drawPolygon(polygon_.data(), static_cast<int>(polygon_.size()), Qt::OddEvenFill);
      ++drawn;
    }
  }
  polygonsDrawn_.store(drawn);
}

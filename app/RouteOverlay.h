#pragma once
// The active route as the chart shows it over the cells: each leg's
// cross-track corridor (its limits dashed, closed round each end), the legs (a
// great circle followed through its intermediate points, a rhumb line
// straight on the Mercator chart), the waypoints as rings, and the place of
// the finding chosen in the route panel.
//
// A route across the 180th meridian is kept continuous (its points run on
// east or west of it) and drawn in each copy of the world the view meets.
//
// Everything that costs is done when the route changes (`setRoute`, which
// rebuilds only the legs whose ends or settings changed): the
// legs and corridor edges are followed on the ellipsoid and kept in chart
// units, and the buffer the draw pass projects them into is sized then. The
// draw pass only projects and paints, and allocates nothing.
#include <QImage>
#include <QPen>
#include <QPointF>
#include <optional>
#include <vector>

#include "ColourTable.h"
#include "MercatorProjection.h"
#include "Route.h"
#include "ViewGeometry.h"

class QPainter;

class RouteOverlay {
public:
  RouteOverlay();

  // The route to draw (copied into chart geometry), or none.
  void setRoute(const Route* route);
  // The colours of the table the chart is drawn in; the marks are made
  // anew only when they change, so call it before each pass.
  void setColours(const ColourTable& table);
  // The place of the finding to mark, or none.
  void setFinding(std::optional<GeoPoint> at) { finding_ = at; }
  bool empty() const { return waypoints_.empty(); }

  // Draws on a painter set up for `view` (setupPainter), and leaves it so.
  void draw(QPainter& painter, const ViewGeometry& view) const;

  // The waypoint drawn within a few pixels of a widget pixel (the nearest),
  // or -1.
  int waypointAt(QPointF pixel, const ViewGeometry& view) const;
  // The leg drawn within a few pixels of a widget pixel (the nearest), or -1.
  int legAt(QPointF pixel, const ViewGeometry& view) const;

  // At most this many steps along a great circle (a rhumb line takes one),
  // and steps per quarter circle of a corridor's ends.
  static constexpr int kMaxLegSteps = 256;
  static constexpr int kCapSteps = 4;

private:
  // One leg's track and corridor outline in chart units, kept with what
  // they were made from.
  struct LegShape {
    GeoPoint from, to;
    LegSettings settings;
    std::vector<ChartPoint> track, corridor;
  };
  static LegShape legShape(const LegTrack& leg, const LegSettings& settings);

  void drawCopy(QPainter& painter, const ViewGeometry& view, std::optional<ChartPoint> finding) const;

  std::vector<LegShape> legs_;
  // The points of leg i are track_[legStart_[i]] .. track_[legStart_[i + 1] - 1];
  // the same for the corridor's outline.
  std::vector<ChartPoint> waypoints_;
  std::vector<ChartPoint> track_;
  std::vector<int> legStart_;
  std::vector<ChartPoint> corridor_;
  std::vector<int> corridorStart_;
  ChartBox box_;  // of the waypoints and corridors
  std::optional<GeoPoint> finding_;
  mutable std::vector<QPointF> pixels_;  // the draw pass's projection buffer, sized by setRoute

  QColor routeColour_, ringColour_;
  QPen legPen_, corridorPen_, findingPen_;
  QImage waypointMark_;
};

#pragma once
// The active route as the chart shows it over the cells: each leg's
// cross-track corridor (its limits dashed, closed round each end), the legs (a
// great circle followed through its intermediate points, a rhumb line
// straight on the Mercator chart), the waypoints as rings, and the place of
// the finding chosen in the route panel.
//
// Everything that costs is done when the route changes (`setRoute`): the
// legs and corridor edges are followed on the ellipsoid and kept in chart
// units, and the buffer the draw pass projects them into is sized then. The
// draw pass only projects and paints, and allocates nothing.
#include <QImage>
#include <QPen>
#include <QPointF>
#include <optional>
#include <vector>

#include "MercatorProjection.h"
#include "ViewGeometry.h"

class QPainter;
class Route;

class RouteOverlay {
public:
  RouteOverlay();

  // The route to draw (copied into chart geometry), or none.
  void setRoute(const Route* route);
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
  // The points of leg i are track_[legStart_[i]] .. track_[legStart_[i + 1] - 1];
  // the same for the corridor's outline.
  std::vector<ChartPoint> waypoints_;
  std::vector<ChartPoint> track_;
  std::vector<int> legStart_;
  std::vector<ChartPoint> corridor_;
  std::vector<int> corridorStart_;
  std::optional<GeoPoint> finding_;
  mutable std::vector<QPointF> pixels_;  // the draw pass's projection buffer, sized by setRoute

  QPen legPen_, corridorPen_, findingPen_;
  QImage waypointMark_;
};

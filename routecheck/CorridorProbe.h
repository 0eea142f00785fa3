#pragma once
// A leg's corridor asked about chart geometry: the corridor (LegCorridor)
// measures in latitude and longitude, the cells hold chart units. A box in
// chart units round the corridor turns away the features that lie far from
// it, and the leg's line on the chart with the corridor's width (in chart
// units at the corridor's highest latitude, where they are most) the edges
// and points, before any conversion, in whichever copy of the world (360
// degrees east or west) they lie.
#include <vector>

#include "ChartModel.h"
#include "LegCorridor.h"
#include "LegTrack.h"
#include "WorldCopies.h"

class CorridorProbe {
public:
  // `widestXtdMetres` the larger of the corridor's two half widths.
  CorridorProbe(const LegCorridor& corridor, const LegTrack& leg, double widestXtdMetres);

  const LegCorridor& corridor() const { return *corridor_; }
  // The corridor's box in chart units (its longitudes unwrapped).
  const ChartBox& chartBox() const { return box_; }
  // The copies of the world in which a box in chart units meets the
  // corridor's box; empty when it meets it in none.
  WorldCopies copiesMeeting(const ChartBox& box) const;

  // A place where the corridor meets something: how far along the leg, and
  // where.
  struct Hit {
    double along = 0;
    GeoPoint position;
  };
  // Whether the corridor holds the point; `hit` is its place.
  bool pointHit(const ChartPoint& point, Hit& hit) const;
  // The places the polyline of `count` vertices enters and leaves the
  // corridor, appended to `hits`; `copies` as copiesMeeting gave them for
  // the polyline's feature. Returns whether there was any.
  bool appendLineHits(const ChartVertex* vertices, std::size_t count, const WorldCopies& copies,
                      std::vector<Hit>& hits) const;

private:
  bool edgeNear(const ChartPoint& a, const ChartPoint& b, const WorldCopies& copies) const;
  bool nearLine(const ChartPoint& a, const ChartPoint& b) const;

  const LegCorridor* corridor_;
  ChartBox box_;
  // The leg on the chart (its longitudes unwrapped), and how near to it in
  // chart units a point of the corridor may lie, its bends included.
  std::vector<ChartPoint> line_;
  double reach_ = 0;
  mutable std::vector<LegCorridor::Span> spans_;
};

// Whether an area holds a point: inside its exterior and outside its holes
// (even-odd over all its rings), the point taken in the copy of the world
// nearest the area.
bool areaHolds(const AreaFeature& area, const ChartPoint& point);

// A feature's box in chart units: an area's bounds, or the box round the
// vertices given; false when there are none that are finite.
bool boxOfVertices(const ChartVertex* vertices, std::size_t count, ChartBox& box);

#pragma once
// The corridor of one leg: the band between the two cross-track limits (the
// port and starboard XTD, measured at right angles to the leg), closed at
// each waypoint by a quarter circle of each side's XTD about the waypoint,
// so that the corridors of two legs leave no gap on the outside of a turn.
// Positions and chart edges are measured in the leg's own frame
// (`LegFrame`), in which the leg is followed by points close enough that
// the leg, its limits and its scale between them are straight to a
// centimetre.
#include <vector>

#include "LegFrame.h"
#include "LegTrack.h"

class Route;

class LegCorridor {
public:
  LegCorridor(const LegTrack& leg, double portXtdMetres, double starboardXtdMetres);

  double lengthMetres() const { return length_; }

  struct Place {
    // From the leg's start along it: negative before the start, beyond the
    // leg's length after its end.
    double alongTrackMetres = 0;
    // From the leg, positive to starboard and negative to port; before the
    // start and after the end, across the leg's line carried on straight.
    double crossTrackMetres = 0;
    bool inside = false;
  };
  Place place(GeoPoint position) const;
  bool contains(GeoPoint position) const;

  // The parts of a chart edge inside the corridor. The edge from `p` to `q`
  // is the straight line of the chart between them (a rhumb line, the short
  // way in longitude); a part runs from edge parameter `from` to `to` (0 at
  // `p`, 1 at `q`, in the chart's Mercator), entering and leaving at the
  // positions given. Parts are appended to `out` in order along the edge;
  // the result says whether there was any.
  struct Span {
    double from = 0, to = 0;
    GeoPoint enter, leave;
  };
  bool appendEdgeSpans(GeoPoint p, GeoPoint q, std::vector<Span>& out) const;

  // A box in latitude and longitude holding the whole corridor, for a quick
  // test before the exact one.
  bool boxHolds(GeoPoint position) const;
  bool boxMeetsEdge(GeoPoint p, GeoPoint q) const;
  // That box: latitudes from south to north, longitudes from west to east
  // (west may lie below -180 and east above 180, east - west < 360), or
  // every longitude.
  struct GeoBox {
    double south = 0, north = 0, west = 0, east = 0;
    bool allLongitudes = false;
  };
  GeoBox geoBox() const;

private:
  // A point of the leg in the frame with the corridor's half widths there,
  // in frame units.
  // The band between two neighbouring points is the quadrilateral between
  // their cross lines (at right angles to the leg's direction there) and
  // the lines joining the limits; so neighbouring quadrilaterals share a
  // side, and the band has no gap and no overlap however the leg bends.
  struct Vertex {
    GeoPoint position;
    double x = 0, y = 0;
    double along = 0;
    double port = 0, starboard = 0;
    double metresPerUnit = 1;
    double dx = 1, dy = 0;  // the leg's direction there (unit); starboard is (-dy, dx)
  };
  Vertex vertexAt(double along, const Vertex* previous) const;
  double halfWidth(const LegFrame::Point& p, double side, double metres) const;
  void refine(const Vertex& a, const Vertex& b, int depth);
  void setBox();
  int segmentAt(double x) const;
  // The quadrilateral of the band between vertices i and i + 1 holding a
  // point, found from the point's x; -1 before the first, -2 after the last.
  int slabOf(double x, double y) const;
  // Append the parameter ranges of the corridor's parts met by a piece of
  // an edge (from, to only); the caller sorts and joins them.
  void clipStraight(const LegFrame::Point& a, const LegFrame::Point& b, double ta, double tb,
                    std::vector<Span>& out) const;
  void clipCap(const Vertex& v, double outward, const LegFrame::Point& a, const LegFrame::Point& b, double ta,
               double tb, std::vector<Span>& out) const;
  void clipPiece(GeoPoint p, GeoPoint q, double ta, double tb, const LegFrame::Point& fa,
                 const LegFrame::Point& fb, int depth, int& budget, std::vector<Span>& out) const;

  LegTrack leg_;
  LegFrame frame_;
  double port_, starboard_, length_;
  std::vector<Vertex> vertices_;
  double minX_ = 0, maxX_ = 0, minY_ = 0, maxY_ = 0;  // the corridor's box in the frame
  double slant_ = 0;  // how far in x a cross line reaches from its vertex
  // The geographic box: latitudes, and longitudes relative to the leg's middle.
  double minLatitude_ = 0, maxLatitude_ = 0;
  double boxLongitude_ = 0, minRelativeLongitude_ = 0, maxRelativeLongitude_ = 0;
  bool allLongitudes_ = false;
};

// The corridors of every leg of a route, leg 0 first.
std::vector<LegCorridor> routeCorridors(const Route& route);

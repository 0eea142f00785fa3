#pragma once
// Which depth areas meet along each edge of a cell, and the depths of the
// cell's depth contours: what finding the safety contour needs. Worked out
// once per cell, on first need, and kept with the cell.
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "ChartModel.h"

struct DepthAreaEdges {
  // The depth areas (DEPARE, DRGARE) whose boundary (exterior or a hole's)
  // uses an edge, how many areas of any class use it, and whether one of
  // them is never water a ship may use (isNeverSafeWater).
  struct Sides {
    const AreaFeature* areas[2] = {nullptr, nullptr};
    int count = 0;
    int users = 0;
    bool neverSafe = false;
  };
  std::unordered_map<std::uint64_t, Sides> edges;  // by the edge's NAME
  std::vector<float> contourValues;                // VALDCO of the depth contours, sorted, once each
  std::vector<float> areaDepths;                   // DRVAL1 of the depth areas, sorted, once each

  // Whether a depth contour of exactly this depth is in the cell.
  bool hasContourAt(float depth) const;
  // The depth the cell's safety contour is drawn at for a setting of
  // `safety`: the setting itself where a depth contour or depth area
  // boundary lies there, else the next deeper such depth, else (no water
  // of the cell is that deep) the deepest there is. kUnknownDepth for a cell
  // without depth contours and depth areas.
  float safetyDepth(float safety) const;
  // The other depth area along `part` of `area`'s exterior, or null.
  const AreaFeature* areaAcross(const AreaFeature& area, const BoundaryPart& part) const;
  // Whether any other area of the cell (land, a depth area) uses the edge.
  bool sharedByAnother(const AreaFeature& area, const BoundaryPart& part) const;
  // Whether an area that is never safe water uses the edge.
  bool neverSafeAlong(const BoundaryPart& part) const;
};

// The areas of the seabed's cover that are never water a ship may use,
// however deep the water round them: land (LNDARE), unsurveyed areas
// (UNSARE), floating docks (FLODOC), hulks (HULKES) and pontoons (PONTON).
bool isNeverSafeWater(const ChartFeature& area);

// The cell's edges and contours, made on first need and kept with the cell.
// Safe to call from several threads at once.
const DepthAreaEdges& depthAreaEdges(const S57Cell& cell);

// DRVAL1 of a depth area, -1 when it has none (as the depth shade takes it).
float drval1Of(const ChartFeature& area);

#pragma once
// The demo cell: a small synthetic harbour chart that a new user sees on the
// first start (the set-up puts it into s57000/) and that the end-to-end
// tests load. Land and coastline on the west, depth bands of 0-2, 2-5, 5-10,
// 10-20 and 20-50 m with their contours, soundings, a dredged channel with
// lateral buoys, a breakwater with a light, a lighthouse with a sectored
// light, a wreck marked by a north cardinal buoy, a rock, an obstruction and
// an anchoring-prohibited area, all inside one M_NSYS area. Names are in
// English (OBJNAM) and Chinese (NOBJNM).
#include <string>

#include "S57Writer.h"

namespace demo {

constexpr const char* kCellName = "CN5DEMO1.000";  // data set and file name
// The cell's corners, degrees: off the east coast of Hainan, its land on
// the coast's, its water over open sea.
constexpr double kSouth = 18.90, kNorth = 19.00, kWest = 110.50, kEast = 110.62;

s57write::S57Writer demoCell();

// Writes the cell as `directory`/CN5DEMO1.000; returns the path, or an
// empty string when it cannot be written.
std::string writeDemoCell(const std::string& directory);

}  // namespace demo

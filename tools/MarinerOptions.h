#pragma once
// The options of the mariner's settings that enctool info --portrayal,
// render and query share, and the screen's pixel size the true scale is
// worked out with:
//   --safety-depth M      soundings at or shallower than M (0 to 500) in black
//   --shallow-dangers     isolated dangers in shallow water shown
//   --plain-boundaries    areas with plain boundaries (not symbolised)
//   --full-sectors        light sector legs to the nominal range
//   --data-quality        data quality (M_QUAL by CATZOC)
//   --no-scamin           features shown whatever their SCAMIN
//   --pixel-size MM       the screen's pixel size (S-52's 0.32 mm by default)
#include <string>

#include "DisplaySettings.h"
#include "ViewGeometry.h"

struct MarinerOptions {
  float safetyDepth = -1;  // below 0: the safety depth follows the safety contour
  bool shallowDangers = false, plainBoundaries = false, fullSectors = false, dataQuality = false;
  bool noScaleMinimum = false;
  double pixelMillimetres = kDefaultPixelMillimetres;
};

// The usage lines of the options above, for a command's usage text.
extern const char* const kMarinerOptionsUsage;

// Whether argv[i] is one of the options above: 1 when it is (its value, if
// it takes one, read and i moved past it), 0 when it is not, -1 (with the
// reason in `error`) when its value is missing or out of range.
int parseMarinerOption(int argc, char** argv, int& i, MarinerOptions& options, std::string& error);

// Sets the options on `settings` through their own operations.
void applyMarinerOptions(const MarinerOptions& options, DisplaySettings& settings);

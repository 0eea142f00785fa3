#include "Overscale.h"

#include "CellChoice.h"

double overscaleFactor(const S57Cell& cell, float scale) {
  if (!(scale > 0)) return 0;
  return compilationScaleForRules(cell) / static_cast<double>(scale);
}

bool overscalePatternShown(const S57Cell& cell, float scale) { return overscaleFactor(cell, scale) > 2.0; }

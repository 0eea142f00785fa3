#pragma once
// A view of the chart: its geometry plus the cells the last draw pass drew.
#include <vector>

#include "ChartModel.h"
#include "ViewGeometry.h"

struct ChartView : ViewGeometry {
  std::vector<S57Cell*> drawnCells;  // drawing order of the last pass
};

// The view that background loading centres on each loaded cell. The main
// window owns its own view.
ChartView& loadingChartView();

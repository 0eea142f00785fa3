#pragma once
// TOPMAR01: the topmark symbol (class 144), chosen by its shape and by
// whether it stands on a floating aid or a fixed structure.
#include "ChartModel.h"
#include "Instruction.h"

// A buoy, light float, light vessel or mooring buoy (mooring facility with
// CATMOR "7") at exactly `position`.
bool isFloatingCarrier(const PointFeature& candidate, const ChartPoint& position);

// 1 when a floating carrier of the cell's points stands at the topmark's
// position, else 0.
int floatingClass(const S57Cell& cell, const PointFeature& topmark);

// Appends one SY: QUESMRK1 without TOPSHP, else the floating or fixed
// symbol of the shape. The floating class is worked out once and kept on
// the feature.
void topmarkProcedure(const PointFeature& topmark, const S57Cell& cell, std::vector<Instruction>& out);

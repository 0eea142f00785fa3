#pragma once
// Drawing the soundings of one sounding feature: each sounding on the
// drawing surface gets the digit symbols its procedure built for it.
#include "ChartModel.h"
#include "DrawContext.h"

void drawSoundings(DrawContext& dc, const SoundingFeature& feature, const S57Cell& cell);

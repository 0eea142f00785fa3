#pragma once
// Drawing the soundings of one sounding feature: each sounding on the
// drawing surface gets the digit symbols its procedure built for it.
#include "ChartModel.h"
#include "DrawContext.h"

// Nothing is drawn outside the feature's dates or scale range (its SCAMIN
// hides all its soundings); a feature shown outside its dates gets the date
// indication at its first sounding in view.
void drawSoundings(DrawContext& dc, const SoundingFeature& feature, const S57Cell& cell);

#pragma once
// Drawing the depth figures of a sounding feature: every sounding inside the
// viewport gets its digit symbols rebuilt for the current safety contour and
// drawn at its position.
#include "ChartModel.h"
#include "ViewGeometry.h"

class QPainter;

// Draws the soundings of the feature that lie on the drawing surface (edges
// included); the others are neither rebuilt nor drawn. Soundings look the
// same in both symbol styles: the simplified look-up is always the one used.
// Only the SY instructions of a sounding are drawn.
void drawSoundings(QPainter& painter, SoundingFeature& feature, S57Cell& cell, const ViewGeometry& view);

#pragma once
// What the drawing primitives keep from one call to the next in a view's
// passes: pens and brushes, the paths and point buffers they build into,
// and the outlines of the symbols drawn. Owned by the view that draws and
// never shared between threads, so views drawing at once on several
// threads each fill their own; every buffer keeps its capacity, so a pass
// allocates nothing once they have grown.
#include <QPainterPath>
#include <QPoint>
#include <vector>

#include "ColourPens.h"
#include "ComplexLines.h"
#include "SymbolDrawing.h"
#include "SymbolOutlines.h"
#include "SymbolStamps.h"

struct DrawScratch {
  PenCache pens;
  QPainterPath rings;          // ringsPath
  std::vector<QPoint> pixels;  // a pattern fill's points in pixels
  SymbolScratch symbol;
  SymbolOutlines outlines;
  SymbolStamps stamps;
  ComplexScratch complex;
};

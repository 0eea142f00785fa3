#pragma once
// Complex line styles (LC): the style's symbol repeated along a polyline,
// with gaps and line pieces between the repetitions.
#include <QPainterPath>
#include <QPoint>
#include <QPointF>
#include <string>
#include <vector>

#include "Canvas.h"

struct LineStyleDefinition;
struct PresentationLibrary;

// The path and polygon of one repetition, reused from one to the next.
struct ComplexScratch {
  QPainterPath path;
  bool pathStarted = false;
  std::vector<QPoint> polygon;

  void clearPath() {
    path.clear();
    pathStarted = false;
  }
};

// Gap, line piece and their sum, and the spacing added to a style's width
// to give its repetition period; logical units.
constexpr int COMPLEX_GAP = 180;
constexpr int COMPLEX_PIECE = 360;
constexpr int COMPLEX_PERIOD = 540;
constexpr int COMPLEX_SPACING = 310;

// What one segment of a polyline hands on to the next.
struct ComplexLineState {
  double distance = 0;  // length already covered of the current gap or piece
  int phase = 0;        // 0 start, 1 in a gap, 2 in a line piece
};

// Draws one segment from a to b with the style and moves the state on.
// Segments longer than 540 units get the style's symbol repeated every
// width + 310 units; shorter stretches show 180-unit gaps and 360-unit line
// pieces. Returns 1 when the symbol was drawn, else 0. An unknown name
// draws nothing and leaves the painter's pen alone.
int drawComplexSegment(const Canvas& canvas, const QPointF& a, const QPointF& b, const std::string& name,
                       ComplexLineState& state);
int drawComplexSegment(const Canvas& canvas, const QPointF& a, const QPointF& b, const LineStyleDefinition& style,
                       ComplexLineState& state);

// Every segment of the polyline with one fresh state.
void drawComplexLine(const Canvas& canvas, const std::string& name, const QPoint* points, int count);

// The style of that name in the library, or null.
const LineStyleDefinition* findLineStyle(const PresentationLibrary& library, const std::string& name);

#pragma once
// Drawing one point feature in a draw pass: the viewport test, the walk over
// its look-up instructions with the point procedures (lights, wrecks,
// obstructions and rocks, quality marks, topmarks) rerun when their keys
// change, and the drawing of symbols, texts, light legs and sector arcs at
// the point.
#include <QPointF>
#include <string>

#include "ChartModel.h"
#include "ViewGeometry.h"

class QPainter;

constexpr int TOPMARK_CLASS = 144;  // TOPMAR

// Draws the point. A point off the drawing surface (edges count as on it)
// is not drawn and runs no procedure. Look-up instructions are drawn while
// the display category admits the feature; the generated list after the
// walk under the same test, except that a topmark's generated symbol shows
// only with paper-chart symbols.
void drawPoint(QPainter& painter, PointFeature& point, S57Cell& cell, const ViewGeometry& view);

// Runs the point procedure `name` (LIGHTS05, WRECKS04, OBSTRN06, QUAPOS01,
// TOPMAR01) into the generated list when its key says the list is out of
// date; any other name does nothing.
void runPointProcedure(PointFeature& point, S57Cell& cell, const std::string& name);

// Draws one instruction at `anchor` (logical units): SY, TX, TE, and LS as
// a dashed leg; ARC, as a light sector arc, only from the generated list
// (`generated`), which also decides how a TX is first prepared. Other kinds
// draw nothing.
void drawPointInstruction(QPainter& painter, Instruction& instruction, PointFeature& point, const QPointF& anchor,
                          S57Cell& cell, bool generated);

// The far end of a leg: `name` holds its bearing in degrees clockwise from
// north, `text2` its length in units of 88 logical units. The length is
// held to 1e9 logical units either way (infinite ones included, NaN gives
// 0), and a bearing that is not finite gives the anchor itself.
QPointF legEnd(const QPointF& anchor, const Instruction& leg);

// Start and span of a sector arc in sixteenths of a degree, counter-clockwise
// from three o'clock as the painter takes them: the arc runs clockwise on
// the screen from bearing `name` to bearing `text3` (degrees from north,
// `text3` may exceed 360). Bearings far outside a turn (damaged sector
// limits) give a start within one turn and a span of at most one turn.
struct ArcAngles {
  int start = 0;
  int span = 0;
};
ArcAngles sectorArcAngles(const Instruction& arc);

// Draws an ARC instruction about `centre` with radius 88 x `text2`, in its
// colour and width, dashed for style 2.
void drawSectorArc(QPainter& painter, const Instruction& arc, const QPointF& centre);

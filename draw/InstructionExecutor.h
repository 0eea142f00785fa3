#pragma once
// Executing one drawing instruction at a feature's geometry in a pass: the
// one place where portrayal's instructions meet the drawing primitives.
// An SY, LC or AP naming a drawing the library lacks is executed as its
// stand-in (DrawingStandIns.h). Every instruction that reaches the canvas,
// a stand-in as itself, is told to the context's recorder.
#include <QPoint>
#include <QPointF>

#include "AreaOutline.h"
#include "ChartModel.h"
#include "DrawContext.h"
#include "Instruction.h"

// Over an area's projected outline: AC and AP fill it, leaving its holes
// open, LS and LC stroke its
// segments (except those along a data limit, both ends of usage 3, and
// those clipping laid along the margin's edges; no closing segment), SY, TX
// and TE go to the area's centre.
void executeAreaInstruction(DrawContext& dc, const Instruction& instruction, const AreaFeature& area,
                            const AreaOutline& outline);

// Over a line's logical points: LS and LC along them, SY, TX and TE at the
// line's anchor. A line never fills anything, closed or not.
void executeLineInstruction(DrawContext& dc, const Instruction& instruction, const LineFeature& line,
                            const QPoint* points, int count);

// Along one edge of an area (logical points): LS and LC only.
void executeEdgeInstruction(DrawContext& dc, const Instruction& instruction, const ChartFeature& feature,
                            const QPoint* points, int count);

// At a point's anchor (logical units): SY, TX, TE and legs (dashed; an LS
// is a leg of no length); sector arcs only from a procedure's list
// (`generated`).
void executePointInstruction(DrawContext& dc, const Instruction& instruction, const ChartFeature& point,
                             const QPointF& anchor, bool generated);

// Where a line's symbols and texts go: the middle vertex of the whole line
// (the midpoint of a two-point line), in logical units, not truncated.
QPointF lineAnchor(const LineFeature& line, const ViewGeometry& view);

// The far end of a leg of `length` units of 88 logical units at its
// bearing. The length is held to 1e9 logical units either way (infinite
// ones included, NaN gives 0), and a bearing that is not finite gives the
// anchor itself.
QPointF legEnd(const QPointF& anchor, const Leg& leg);
// The same for a leg drawn in `view`: a leg on the ground is `length`
// nautical miles long on the ground at the anchor's latitude.
QPointF legEnd(const QPointF& anchor, const Leg& leg, const ViewGeometry& view);

// Start and span of a sector arc in sixteenths of a degree, counter-clockwise
// from three o'clock as the painter takes them: the arc runs clockwise on
// the screen from its start bearing to its end bearing. Bearings are held
// to the int range, and bearings far outside a turn (damaged sector limits)
// give a start within one turn and a span of at most one turn.
struct ArcAngles {
  int start = 0;
  int span = 0;
};
ArcAngles sectorArcAngles(const SectorArc& arc);

// Draws a sector arc about `centre` with radius 88 x its radius, in its
// colour and width, dashed when it is dashed.
void drawSectorArc(const Canvas& canvas, const SectorArc& arc, const QPointF& centre);

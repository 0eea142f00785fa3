#pragma once
// The simple line style instruction (LS) along a polyline.
#include <QPoint>

#include "Canvas.h"
#include "Instruction.h"

// Solid strokes every segment between consecutive points, dashed dashes and
// dotted dots each of them, the pattern restarting at every vertex; the pen
// is made from the style's colour index and width. An unknown dash sets no
// pen and draws nothing.
void drawLineStyle(const Canvas& canvas, const LineStyle& style, const QPoint* points, int count);

// The pen of a line style (of a leg or an arc too: the same colour and width).
void setLineStylePen(const Canvas& canvas, int colour, int width);
inline void setLineStylePen(const Canvas& canvas, const LineStyle& style) {
  setLineStylePen(canvas, style.colour, style.width);
}

// Whether the dash is one a line style strokes (solid, dashed or dotted).
inline bool strokes(LineDash dash) { return dash != LineDash::Unknown; }

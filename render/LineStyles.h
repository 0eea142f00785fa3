#pragma once
// The simple line style instruction (LS) along a polyline.
#include <QPoint>

#include "Canvas.h"

struct Instruction;

// Style 1 (solid) strokes every segment between consecutive points, style 2
// (dashed) dashes and style 3 (dotted) dots each of them, the pattern
// restarting at every vertex; the pen is made from the instruction's colour
// index (or, for colour -10, the named colour held in its `name`) and width.
// Any other style sets no pen and draws nothing.
void drawLineStyle(const Canvas& canvas, const Instruction& instruction, const QPoint* points, int count);

// The pen of an LS instruction.
void setLineStylePen(const Canvas& canvas, const Instruction& instruction);

// The colour index of an LS that names its colour instead.
constexpr int NAMED_COLOUR = -10;

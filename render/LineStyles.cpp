#include "LineStyles.h"

#include <QPainter>

#include "ColourPens.h"
#include "Instruction.h"
#include "Primitives.h"

void setLineStylePen(const Canvas& canvas, const Instruction& instruction) {
  if (instruction.colour == NAMED_COLOUR)
    setPenByName(canvas.painter, instruction.name, instruction.width);
  else
    setPenByIndex(canvas, instruction.colour, instruction.width);
}

void drawLineStyle(const Canvas& canvas, const Instruction& instruction, const QPoint* points, int count) {
  if (instruction.style != 1 && instruction.style != 2) return;
  setLineStylePen(canvas, instruction);
  QPainter& painter = canvas.painter;
  for (int i = 0; i + 1 < count; ++i) {
    if (instruction.style == 1)
      strokeSegment(painter, points[i], points[i + 1]);
    else
      strokeDashedSegment(painter, points[i], points[i + 1]);
  }
}

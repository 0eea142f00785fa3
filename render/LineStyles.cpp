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
  if (instruction.style < 1 || instruction.style > 3) return;
  setLineStylePen(canvas, instruction);
  for (int i = 0; i + 1 < count; ++i) strokeStyledSegment(canvas.painter, points[i], points[i + 1], instruction.style);
}

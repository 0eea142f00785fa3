#include "LineStyles.h"

#include <QPainter>

#include "ColourPens.h"
#include "Instruction.h"
#include "Primitives.h"

void setLineStylePen(QPainter& painter, const Instruction& instruction) {
  if (instruction.colour == NAMED_COLOUR)
    setPenByName(painter, instruction.name, instruction.width);
  else
    setPenByIndex(painter, instruction.colour, instruction.width);
}

void drawLineStyle(QPainter& painter, const Instruction& instruction, const QPoint* points, int count) {
  if (instruction.style != 1 && instruction.style != 2) return;
  setLineStylePen(painter, instruction);
  for (int i = 0; i + 1 < count; ++i) {
    if (instruction.style == 1)
      strokeSegment(painter, points[i], points[i + 1]);
    else
      strokeDashedSegment(painter, points[i], points[i + 1]);
  }
}

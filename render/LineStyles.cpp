#include "LineStyles.h"

#include <QPainter>

#include "ColourPens.h"
#include "Primitives.h"

void setLineStylePen(const Canvas& canvas, int colour, int width) { setPenByIndex(canvas, colour, width); }

void drawLineStyle(const Canvas& canvas, const LineStyle& style, const QPoint* points, int count) {
  if (!strokes(style.dash)) return;
  setLineStylePen(canvas, style);
  for (int i = 0; i + 1 < count; ++i)
    strokeStyledSegment(canvas.painter, points[i], points[i + 1], style.dash);
}

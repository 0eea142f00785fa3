#include "NoDataBackground.h"

#include <QPainter>

#include "ColourPens.h"
#include "ColourToken.h"
#include "PatternFill.h"

void drawNoDataBackground(const Canvas& canvas, const ViewGeometry& view, NoDataFill fill) {
  const int width = view.viewportWidth, height = view.viewportHeight;
  if (width <= 0 || height <= 0) return;
  canvas.painter.fillRect(0, 0, width, height, solidBrush(canvas, colourIndex("NODTA")));
  if (fill == NoDataFill::Plain) return;
  const QPoint corners[] = {{0, 0}, {width, 0}, {width, height}, {0, height}, {0, 0}};
  fillPattern(canvas, corners, 5, "NODATA03", view);
}

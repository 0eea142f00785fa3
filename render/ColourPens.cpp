#include "ColourPens.h"

#include <QPainter>

#include "DisplaySettings.h"
#include "ViewGeometry.h"

QColor colourOf(int index) {
  const ColourTable* table = displaySettings().colourTable;
  if (!table || index < 0 || index >= kColourCount) return QColor();
  return table->entries[static_cast<std::size_t>(index)];
}

int penWidthUnits(int width) {
  const int units = static_cast<int>(static_cast<float>(width) * static_cast<float>(LOGICAL_UNITS_PER_PIXEL));
  return static_cast<int>(units * 1.2);
}

QPen makePen(const QColor& colour, int width) {
  return QPen(QBrush(colour), penWidthUnits(width), Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

void setPenByIndex(QPainter& painter, int index, int width) { painter.setPen(makePen(colourOf(index), width)); }

void setPenByName(QPainter& painter, const std::string& colourName, int width) {
  painter.setPen(makePen(QColor(QString::fromStdString(colourName)), width));
}

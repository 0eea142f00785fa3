#include "TextDrawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "ColourPens.h"
#include "ColourToken.h"
#include "Instruction.h"
#include "Primitives.h"

int textHalfWidthPerByte(int bytes) {
  if (bytes <= 4) return 150;
  if (bytes <= 9) return 120;
  if (bytes <= 19) return 110;
  if (bytes < 40) return 100;
  return 95;
}

const std::string& displayedText(const Text& text, bool nationalText) {
  return nationalText && !text.nationalText.empty() ? text.nationalText : text.text;
}

TextBox textBoxFor(const QPointF& anchor, const Text& text, int bytes, bool* alignRight) {
  const int b = textHalfWidthPerByte(bytes);
  const int x = truncateCoordinate(anchor.x() + 2.0 * b * text.xOffset);
  const int y = truncateCoordinate(anchor.y() + 300.0 * text.yOffset);
  const int half = bytes * b;
  TextBox box;
  bool right = false;
  switch (text.horizontal) {
    case 2:  // right: the box ends at the anchor
      box.left = x - 2 * half, box.right = x, right = true;
      break;
    case 3:  // left: the box starts at the anchor
      box.left = x, box.right = x + 2 * half;
      break;
    default:  // centred
      box.left = x - half, box.right = x + half;
      break;
  }
  switch (text.vertical) {
    case 2: box.top = y - 250, box.bottom = y + 250; break;
    case 3: box.top = y, box.bottom = y + 500; break;
    default: box.top = y - 150, box.bottom = y + 250; break;
  }
  if (alignRight) *alignRight = right;
  return box;
}

bool claimTextBox(TextBoxList& boxes, const TextBox& box) {
  for (const TextBox& s : boxes.boxes)
    if (boxesCollide(s, box)) return false;
  boxes.boxes.push_back(box);
  return true;
}

bool drawText(const Canvas& canvas, const QPointF& anchor, const Text& text, TextBoxList& boxes, bool nationalText) {
  const std::string& shown = displayedText(text, nationalText);
  // An empty text shows nothing and must not keep other texts away.
  if (shown.empty()) return false;
  bool alignRight = false;
  const TextBox box = textBoxFor(anchor, text, static_cast<int>(shown.size()), &alignRight);
  if (!claimTextBox(boxes, box)) return false;
  drawTextInBox(canvas, box, text, shown, alignRight);
  return true;
}

void drawTextInBox(const Canvas& canvas, const TextBox& box, const Text& text, const std::string& shown,
                   bool alignRight) {
  drawTextInBox(canvas, box, text, QString::fromUtf8(shown.data(), static_cast<int>(shown.size())), alignRight);
}

void drawTextInBox(const Canvas& canvas, const TextBox& box, const Text& text, const QString& shown,
                   bool alignRight) {
  static const int kDefaultColour = colourIndex("CHBLK");
  QPainter& painter = canvas.painter;
  painter.setPen(colourOf(canvas.colours, text.colour >= 0 ? text.colour : kDefaultColour));
  painter.drawText(QRect(box.left, box.top, box.right - box.left, box.bottom - box.top),
                   Qt::AlignVCenter | (alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::TextSingleLine |
                       Qt::TextDontClip,
                   shown);
}

TextBox inkBox(const QFontMetricsF& metrics, const TextBox& box, const QString& shown, bool alignRight) {
  const double width = std::ceil(metrics.horizontalAdvance(shown));
  const double height = std::ceil(metrics.height());
  const double middle = (static_cast<double>(box.top) + box.bottom) / 2;
  TextBox ink;
  ink.left = truncateCoordinate(alignRight ? box.right - width : box.left);
  ink.right = truncateCoordinate(alignRight ? box.right : box.left + width);
  ink.top = truncateCoordinate(middle - height / 2);
  ink.bottom = truncateCoordinate(middle + height / 2);
  return ink;
}

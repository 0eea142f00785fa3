#pragma once
// Placing and drawing the texts of TX and TE instructions, with the
// decluttering test against the texts already placed in the cell.
#include <QPointF>
#include <QString>
#include <string>
#include <vector>

#include "Canvas.h"
#include "TextBox.h"

struct Text;
class QFontMetricsF;

// The texts placed in one cell during one draw pass. It belongs to the view
// that draws, never to the cell.
struct TextBoxList {
  std::vector<TextBox> boxes;
};

// Half the width given to each byte of a text of `bytes` bytes:
// 150 up to 4 bytes, 120 up to 9, 110 up to 19, 100 below 40, else 95.
int textHalfWidthPerByte(int bytes);

// The string a text shows: its national text when national text is chosen
// and there is one, else its text.
const std::string& displayedText(const Text& text, bool nationalText);

// The box of a text of `bytes` bytes at `anchor`, from the text's
// justification and offsets. `alignRight` tells how the text sits in it.
TextBox textBoxFor(const QPointF& anchor, const Text& text, int bytes, bool* alignRight = nullptr);

// True, and the box is stored, unless it collides with a stored box
// (boxesCollide).
bool claimTextBox(TextBoxList& boxes, const TextBox& box);

// Draws `shown` in `box` (from textBoxFor), in the text's colour from the
// canvas's table (CHBLK when it names none), against the box's right edge
// when `alignRight`.
void drawTextInBox(const Canvas& canvas, const TextBox& box, const Text& text, const std::string& shown,
                   bool alignRight);
void drawTextInBox(const Canvas& canvas, const TextBox& box, const Text& text, const QString& shown,
                   bool alignRight);

// Where the glyphs of `shown` land when drawn in `box` as drawTextInBox (or
// drawLabel) draws them in the font of `metrics` (the painter's): from the box's left edge (its
// right edge when `alignRight`) as wide as the text advances, and the
// font's height about the box's middle. The box a text is placed by.
TextBox inkBox(const QFontMetricsF& metrics, const TextBox& box, const QString& shown, bool alignRight);

// Draws the prepared text of a TX or TE at `anchor`, the national text when
// `nationalText` and there is one, in the text's colour from the canvas's
// table (CHBLK when it names none), unless the text is empty or its box is
// taken. True when drawn.
bool drawText(const Canvas& canvas, const QPointF& anchor, const Text& text, TextBoxList& boxes, bool nationalText);

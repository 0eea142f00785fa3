#pragma once
// Placing and drawing the texts of TX and TE instructions, with the
// decluttering test against the texts already placed in the cell.
#include <QPointF>
#include <string>

#include "ChartModel.h"

class QPainter;
struct Instruction;

// Fixed colour of every chart text, whatever the colour table.
constexpr int TEXT_RED = 7, TEXT_GREEN = 50, TEXT_BLUE = 7;

// Half the width given to each byte of a text of `bytes` bytes:
// 150 up to 4 bytes, 120 up to 9, 110 up to 19, 100 below 40, else 95.
int textHalfWidthPerByte(int bytes);

// The string an instruction shows: its national text when national text is
// chosen and there is one, else its text.
const std::string& displayedText(const Instruction& instruction, bool nationalText);

// The box of a text of `bytes` bytes at `anchor`, from the instruction's
// justification (colour: horizontal, width: vertical) and offsets
// (transparency: x, yOffset: y). `alignRight` tells how the text sits in it.
TextBox textBoxFor(const QPointF& anchor, const Instruction& instruction, int bytes, bool* alignRight = nullptr);

// True, and the box is stored, unless it overlaps a stored box by at least
// 100 units both across and down.
bool claimTextBox(TextBoxList& boxes, const TextBox& box);

// Draws the prepared text of a TX or TE instruction at `anchor` unless text
// is switched off, the text is empty or its box is taken. True when drawn.
bool drawText(QPainter& painter, const QPointF& anchor, const Instruction& instruction, TextBoxList& boxes);

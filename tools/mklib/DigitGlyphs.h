#pragma once
// The project's own stroke digits, used for the contour label and sounding
// figure symbols. Each glyph is drawn on a grid kGlyphColumns steps wide and
// kGlyphRows steps high (y down); the caller picks the size of a step.
#include <string>

constexpr int kGlyphColumns = 8, kGlyphRows = 12;

// The pen-up and pen-down commands ("PUx,y;PDx,y,x,y;...") that draw
// `digit` (0-9) with the grid's upper-left corner at (left, top) and one
// grid step `stepX` by `stepY` symbol units.
std::string digitGlyphCommands(int digit, int left, int top, int stepX, int stepY);

#pragma once
#include <vector>

#include "ChartSymbolsXml.h"

// The sounding figure symbols, drawn with the project's digits: SOUNDG for
// soundings deeper than the safety contour (colour SNDG1, grey) and SOUNDS
// for the others (SNDG2, black), each followed by a row digit 0-5 and a
// digit 0-9, and each family's marks A1 (drying height: a bar under the
// whole metres), B1 (swept sounding: a bracket under the figure) and C2 (low
// accuracy: a circle around it). The converter uses one only where the XML
// library has no vector drawing of that name.
//
// All share the pivot (750, 750), the sounding's position, and one digit
// place is kSoundingPlace units wide. Row 0 holds the units digit just right
// of the pivot; rows 1, 2 and 3 sit one, two and three places left of row 0;
// row 4 one place right of it; row 5 is the tenths digit, smaller and
// lowered, right of row 1. So the figures that soundingSymbols composes read
// left to right: 5.3 as rows 1 and 5, 12.5 as 2, 1, 5, 45 as 1, 0, 123 as
// 2, 1, 0, 1234 as 2, 1, 0, 4 and 12345 as 3, 2, 1, 0, 4.
std::vector<XmlDrawing> soundingFigureSymbols();

constexpr int kSoundingPlace = 200;

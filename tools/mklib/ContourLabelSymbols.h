#pragma once
#include <vector>

#include "ChartSymbolsXml.h"

// The contour label digits SAFCONrd (row r 0-7, digit d 0-9) that the XML
// library lacks, as vector symbols in colour DEPSC. All share the pivot
// (750, 750); the row fixes where the digit sits around it, one digit place
// being kDigitPlace units wide:
//   row 0 centred on the pivot; rows 2 and 1 just left and right of it;
//   rows 3 and 4 one and two places further left than row 2; row 7 one place
//   right of row 1; rows 6 and 5, the tenths, lowered, right of rows 0 and 1.
std::vector<XmlDrawing> contourLabelSymbols();

constexpr int kDigitPlace = 200;

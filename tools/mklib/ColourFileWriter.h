#pragma once
#include <vector>

#include "ChartSymbolsXml.h"
#include "LibraryConverter.h"
#include "LibraryTextFile.h"

// S57Colours: one "<" section per XML colour table, one row per colour:
// token;x;y;L;#rrggbb;red;green;blue (fields 1 to 4 are informative: CIE
// chromaticity, relative luminance and the hex form; the reader takes the
// token and fields 5 to 7).
void writeColourFile(const std::vector<XmlColourTable>& tables, LibraryTextFile& file, ConversionReport& report);

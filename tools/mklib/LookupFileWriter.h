#pragma once
#include <vector>

#include "ChartSymbolsXml.h"
#include "LibraryConverter.h"
#include "LibraryTextFile.h"

// S57LookupTable: the records table by table (Plain, Symbolized, Paper,
// Simplified, Lines) and, within a table, each class's records as one
// consecutive run in XML order, since the reader groups consecutive records
// of a class. Each record: 0001, LUPT, ATTC, INST, DISC, LUCM, terminator.
void writeLookupFile(const std::vector<XmlLookup>& lookups, LibraryTextFile& file, ConversionReport& report);

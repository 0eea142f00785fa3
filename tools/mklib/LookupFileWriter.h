#pragma once
#include <vector>

#include "ChartSymbolsXml.h"
#include "LibraryConverter.h"
#include "LibraryTextFile.h"
#include "MissingDrawings.h"

// S57LookupTable: the records table by table (Plain, Symbolized, Paper,
// Simplified, Lines) and, within a table, each class's records as one
// consecutive run in XML order, since the reader groups consecutive records
// of a class; classes in order of first appearance, except that a table
// never begins with the class the table before it ends with. Each record: 0001, LUPT, ATTC, INST, DISC, LUCM, terminator.
// Drawing names misspelt in the XML are repaired against `drawings`, the
// drawings written (NameRepair.h); the repairs and the names still missing
// go to the report. A display category that contradicts the look-up's
// viewing group is mended (mapping::mendedDisplayCategory, CategoryRepair.h)
// and each mend goes to the report too.
void writeLookupFile(const std::vector<XmlLookup>& lookups, const DrawingNames& drawings, LibraryTextFile& file,
                     ConversionReport& report);

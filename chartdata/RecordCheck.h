#pragma once
// Whether a base cell holds the records its data set declares. A file cut
// at a record boundary, a record dropped or doubled, a length digit changed
// so that a record swallows the next: each reads without a reader error,
// and each shows here.
#include <string>
#include <vector>

#include "LoadWarning.h"

class S57CellReader;

// The findings about the records `reader` read from the base cell `file`
// (a name for the lines), in this order, each with its ReaderResult:
//  - RecordCountMismatch when the records of a kind (RecordKinds.h) are
//    fewer or more than the DSSI field declares, or vector records of no
//    known RCNM were read; a cell without a DSSI field declares nothing and
//    is not judged by numbers;
//  - DuplicateRecord when records repeat the RCNM and RCID of an earlier
//    record of the file;
//  - NoFeatures when the cell holds no feature record at all, even as its
//    DSSI declares (found only when the numbers did not already say so).
// Empty for a whole cell. The cost follows the records read, never the
// numbers declared.
std::vector<LoadWarning> checkCellRecords(const std::string& file, const S57CellReader& reader);

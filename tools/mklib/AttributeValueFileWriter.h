#pragma once
// The attribute value file (S57AttributeValues) from the expected-input
// table of the S-57 catalogue (s57expectedinput.csv: attribute code, value
// code, meaning): one record per attribute, its values in ascending order.
#include <string>

#include "CatalogueCsv.h"
#include "LibraryTextFile.h"

// Writes the file; the number of values written goes to `values`. A table
// without the columns "Code", "ID" and "Meaning", a row with too few fields
// or a code that is not a number sets the file's error naming the line.
void writeAttributeValueFile(const CsvTable& table, LibraryTextFile& file, int& values);

// Reads the table at `csvPath` and writes the file text; false with a
// message naming the source and line.
bool buildAttributeValueFile(const std::string& csvPath, std::string& text, int& values, std::string& error);

#pragma once
// The Chinese name file (S57ChineseNames) from the project's own table
// ChineseNames.csv: one row a name, with the columns
//
//   kind     class, attribute, value or text
//   code     the object class or attribute code (class, attribute), the
//            attribute code (value); empty for text
//   name     the class or attribute acronym, the value code, or the English
//            chart text or word the Chinese replaces ("clr %4.1lf", "m")
//   chinese  the Chinese name or wording
//
// and any further columns (the English meaning, for the reader) ignored.
// Each class and attribute row is checked against the S-57 catalogue
// tables: its code must be there with the acronym the row gives, so a row
// cannot name one thing and translate another.
#include <string>

#include "CatalogueCsv.h"
#include "LibraryTextFile.h"

// Writes the file; the number of names written goes to `names`. A table
// without the four columns, a row of an unknown kind, with too few fields,
// a code that is not a number, an acronym the catalogue gives another code,
// an empty or non-UTF-8 name, or a name given twice sets the file's error
// naming the line.
void writeChineseNameFile(const CsvTable& table, const CsvTable& objectClasses, const CsvTable& attributes,
                          LibraryTextFile& file, int& names);

// Reads the three tables and writes the file text; false with a message
// naming the source and line.
bool buildChineseNameFile(const std::string& csvPath, const std::string& objectClassesPath,
                          const std::string& attributesPath, std::string& text, int& names, std::string& error);

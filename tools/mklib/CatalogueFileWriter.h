#pragma once
#include "CatalogueCsv.h"
#include "LibraryConverter.h"
#include "LibraryTextFile.h"

// S57ObjectClasses: per class "<", then "Object class: " name, "Acronym: "
// acronym, "Code: " code, and four information lines (the three attribute
// sets, class and primitives) that the reader skips.
void writeObjectClassFile(const CsvTable& table, LibraryTextFile& file, ConversionReport& report);

// S57Attributes: per attribute "<", then "Attribute: " name, "Acronym: "
// acronym, "Code: " code, "Type: " and "Class: " lines, and ">".
void writeAttributeFile(const CsvTable& table, LibraryTextFile& file, ConversionReport& report);

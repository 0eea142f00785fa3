#pragma once
// The attribute value file: what the codes of enumerated and list
// attributes mean, for showing a person "red" where the cell holds 3.
//
//   BEGIN
//   (a comment line)
//   <
//   Code: 75
//   1: white
//   2: black
//   >
//
// One record per attribute: "<", the attribute code from column 6 of the
// next line, then one line per value (its code, ": ", its meaning) up to ">".
#include <string>

#include "Catalogue.h"
#include "LibraryResult.h"

// Returns CannotOpen when the file cannot be opened, else Ok. A file that does not
// start with "BEGIN" gives nothing; a record whose code line is short or not
// a number, and a value line that is not "digits: meaning", are skipped.
LibraryResult readAttributeValueFile(const std::string& path, AttributeValueCatalogue& catalogue);

#pragma once
// Cell names as the store keeps them: the eight characters of a data set
// name before its dot (producer code, usage band and the producer's own
// part), upper-case letters, digits and underscores. Only such a name ever
// becomes part of a path inside the store, whatever an exchange set names
// its files.
#include <string>
#include <string_view>

// Whether `name` is a cell name the store takes.
bool isCellName(std::string_view name);

// The cell name of a cell file ("GB5X01SW.001" -> "GB5X01SW"), upper-cased;
// empty when the file name is none (a wrong length, a character outside
// letters, digits and '_', no three-digit extension).
std::string cellNameOfFile(std::string_view fileName);

// The number of a cell file's extension: 0 for the base file, 1 to 999 for
// an update, -1 for anything else.
int cellFileNumber(std::string_view fileName);

// "GB5X01SW" and 3 -> "GB5X01SW.003".
std::string cellFileName(const std::string& cell, int number);

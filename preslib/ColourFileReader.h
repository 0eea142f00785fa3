#pragma once
#include <array>
#include <string>

#include "ColourTable.h"

// Reads the colour file into the five tables (indexed by ColourScheme).
// Returns 1 when the file cannot be opened (printing nothing), 9 for a colour
// row with fewer than 8 fields or outside a known scheme, else 0.
int readColourFile(const std::string& path, std::array<ColourTable, kColourSchemeCount>& tables);

#pragma once
#include <array>
#include <string>

#include "ColourTable.h"
#include "LibraryResult.h"

// Reads the colour file into the five tables (indexed by ColourScheme).
// Returns CannotOpen when the file cannot be opened (printing nothing),
// BadColourRow for a colour row with fewer than 8 fields or outside a known
// scheme, else Ok.
LibraryResult readColourFile(const std::string& path, std::array<ColourTable, kColourSchemeCount>& tables);

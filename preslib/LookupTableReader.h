#pragma once
#include <array>
#include <string>

#include "LibraryResult.h"
#include "LookupEntry.h"

// Reads the look-up file into the five tables (indexed by LookupTableId).
// Returns CannotOpen when the file cannot be opened, else Ok. A record whose look-up
// line is shorter than 32 characters, or whose instruction, display category
// or viewing group line is shorter than 9, is skipped.
LibraryResult readLookupFile(const std::string& path, std::array<LookupTable, kLookupTableCount>& tables);

// The table a record's table name registers its class run in, or -1.
int lookupTableOfName(std::string_view tableName);

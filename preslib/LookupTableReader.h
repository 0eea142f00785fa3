#pragma once
#include <array>
#include <string>

#include "LookupEntry.h"

// Reads the look-up file into the five tables (indexed by LookupTableId).
// Returns 1 when the file cannot be opened, else 0. A record whose look-up
// line is shorter than 32 characters, or whose instruction, display category
// or viewing group line is shorter than 9, is skipped.
int readLookupFile(const std::string& path, std::array<LookupTable, kLookupTableCount>& tables);

// The table a record's table name registers its class run in, or -1.
int lookupTableOfName(std::string_view tableName);

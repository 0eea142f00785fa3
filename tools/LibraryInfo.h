#pragma once
#include <string>

#include "LibraryResult.h"

// Loads the presentation library of `directory` (silently: a missing file
// does not print "error!") and describes it as one JSON object: the loader
// result and its reason, the library files that are missing, and the
// counts of every table, and "missingDrawings": the symbols, patterns and
// line styles its look-ups name that it does not hold. Sets *result to the
// loader's result (Ok when all seven files read).
std::string libraryInfoJson(const std::string& directory, LibraryResult* result);

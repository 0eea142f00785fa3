#pragma once
#include <string>

// Loads the presentation library of `directory` (silently: a missing file
// does not print "error!") and describes it as one JSON object: the loader
// result and its reason, the library files that are missing, and the
// counts of every table, and "missingDrawings": the symbols, patterns and
// line styles its look-ups name that it does not hold. Sets *code to the loader result (0 when all seven files read).
std::string libraryInfoJson(const std::string& directory, int* code);

struct PresentationLibrary;

// The same object for a library already loaded from `directory`, whose
// loader gave `result`.
std::string libraryInfoJson(const PresentationLibrary& library, const std::string& directory, int result);

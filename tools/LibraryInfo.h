#pragma once
#include <string>

#include "LibraryResult.h"

struct PresentationLibrary;

// Describes the presentation library read from `directory`, whose loader
// gave `result`, as one JSON object: the result and its reason, the library
// files that are missing, the counts of every table, and "missingDrawings":
// the symbols, patterns and line styles its look-ups name that it does not
// hold.
std::string libraryInfoJson(const PresentationLibrary& library, const std::string& directory, LibraryResult result);

#pragma once
// Checks that tell a whole library file from a damaged one, made after its
// reader ran: the readers themselves take whatever records a file holds.
#include <string>

#include "LibraryFiles.h"

// Whether the file ends the way a whole file with that ending does: the
// record terminator line, the ">" line of its last record, the "END" line,
// or all seven lines of the last object class record after its "<" line; a
// file without a closing marker always does. Carriage returns before line
// feeds are ignored, as the readers ignore them. False when the file cannot
// be read.
bool libraryFileClosed(const std::string& path, FileEnding ending);

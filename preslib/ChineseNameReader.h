#pragma once
// The Chinese name file, S57ChineseNames: after "BEGIN" and a comment line,
// one name a line, its fields separated by tabs, then "END".
//
//   class<TAB>42<TAB>水深区
//   attribute<TAB>87<TAB>最小水深
//   value<TAB>113<TAB>4<TAB>沙
//   text<TAB>clr %4.1lf<TAB>净空 %.1lf
//
// Codes are decimal numbers; names are UTF-8.
#include <string>

#include "ChineseNames.h"
#include "LibraryResult.h"

// Returns CannotOpen when the file cannot be opened, else Ok. A file that does not
// start with "BEGIN" gives nothing; a line of an unknown kind, with the
// wrong number of fields, a code that is not a number, an empty name or a
// name that is not UTF-8, and a line longer than the line reader's buffer,
// are skipped.
LibraryResult readChineseNameFile(const std::string& path, ChineseNames& names);

// Whether `text` is well-formed UTF-8 without control characters.
bool isPrintableUtf8(const std::string& text);

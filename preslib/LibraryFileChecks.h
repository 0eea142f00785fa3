#pragma once
// Checks that tell a whole library file from a damaged one, made after its
// reader ran: the readers themselves take whatever records a file holds.
#include <string>

struct PresentationLibrary;

// Whether the file ends the way a whole file of its kind does. The look-up,
// pattern, symbol and line style files end with the record terminator line,
// the attribute and attribute value files with the ">" line of their last
// record, the Chinese name file with its "END" line; the last record of the object class file has all seven lines
// after its "<" line. The colour file has no closing marker. `file` is the
// index of libraryFileName. Carriage returns before line feeds are ignored,
// as the readers ignore them. False when the file cannot be read.
bool libraryFileClosed(const std::string& path, int file);

// Whether the reader of file `file` filled anything: any colour of any
// scheme, any look-up entry of any table, any symbol, pattern or line
// style, any catalogue record, any attribute value, any Chinese name.
bool libraryFileFilledSomething(const PresentationLibrary& library, int file);

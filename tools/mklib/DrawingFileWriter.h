#pragma once
#include <vector>

#include "ChartSymbolsXml.h"
#include "LibraryConverter.h"
#include "LibraryTextFile.h"

enum class DrawingKind { Symbol, Pattern, LineStyle };

// S57Symbols, S57Patterns, S57ComplexLineStyles: one record per drawing that
// has a vector form (bitmap-only drawings are left out and counted), in the
// order given. Each
// record: 0001, module line, definition line, exposition, colour references,
// vector lines, terminator. Symbol and pattern commands are packed into
// vector lines of at most kLongestVectorContent characters; a line style
// starts a new vector line at every pen selection, so each pen's drawing is
// its own segment.
void writeDrawingFile(DrawingKind kind, const std::vector<XmlDrawing>& drawings, LibraryTextFile& file,
                      ConversionReport& report);

constexpr std::size_t kLongestVectorContent = 900;

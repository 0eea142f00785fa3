#pragma once
#include <string_view>
#include <vector>

#include "VectorDrawing.h"

// Parses one command of a vector line ("SPA", "PU100,200", "PD1,2,3,4", ...)
// and appends the VectorCommands it makes to `out`: none for a command this
// program does not draw (polygon fill, arcs, symbol calls) or one too short
// for its arguments, several for a PD with several points.
void parseVectorCommand(std::string_view command, const ColourReferences& colourReferences,
                        std::vector<VectorCommand>& out);

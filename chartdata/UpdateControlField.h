#pragma once
// The update control fields FFPC, FSPC, VRPC and SGCC: an instruction (b11),
// an index (b12) and a count (b12), all three with the same layout.
#include <string_view>

#include "S57Records.h"

// Fills `out` from the field and marks it present (and repeated when it
// was present already). Subfields missing at the field's end read as 0,
// which no update instruction accepts.
void decodeUpdateControlField(std::string_view field, UpdateControl& out);

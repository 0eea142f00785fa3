#pragma once
// The repeating pointer fields: FFPT (feature to feature), FSPT (feature to
// spatial record) and VRPT (vector record to vector record).
#include <string_view>
#include <vector>

#include "RepeatingField.h"
#include "S57Records.h"

// Pieces cut at unit terminators (never inside the 8-byte LNAM and RIND),
// taken while a piece is longer than 1 byte: LNAM, RIND, COMT.
void decodeFeaturePointerField(std::string_view field, RecordList<FFPT>& out);

// (field length - 1) / 8 repetitions of NAME, ORNT, USAG, MASK.
void decodeSpatialPointerField(std::string_view field, RecordList<FSPT>& out);

// (field length - 1) / 9 repetitions of NAME, ORNT, USAG, TOPI, MASK.
void decodeVectorPointerField(std::string_view field, RecordList<VRPT>& out);

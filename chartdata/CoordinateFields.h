#pragma once
// The repeating coordinate fields SG2D and SG3D: (field length - 1) / 8 or
// / 12 repetitions of 4-byte signed values.
#include <string_view>
#include <vector>

#include "RepeatingField.h"
#include "S57Records.h"

void decodeCoordinateField2D(std::string_view field, RecordList<SG2D>& out);
void decodeCoordinateField3D(std::string_view field, RecordList<SG3D>& out);

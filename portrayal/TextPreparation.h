#pragma once
// The one-time resolution of a text instruction's texts from its feature.
#include "ChartModel.h"

// A TX takes the value of the attribute its text2 names (NATSUR values as
// seabed words) as its text and the feature's NOBJNM as its national text;
// a value that starts with a multi-byte character is replaced by the
// national text. A TE is filled by formatText. True when the instruction is
// prepared (at once when it already was); false, for a TE whose attribute
// is missing, to be tried again on the next pass. Other kinds: false.
bool prepareText(const ChartFeature& feature, Instruction& instruction);

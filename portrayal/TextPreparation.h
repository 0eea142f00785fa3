#pragma once
// The one-time resolution of a text instruction's texts from its feature:
// look-up texts while the cell loads, procedure texts when a procedure
// result is made. The draw pass only reads them.
#include "ChartModel.h"

// A TX takes the value of its attribute (NATSUR values as seabed words) as
// its text and the feature's NOBJNM as its national text;
// a value that starts with a multi-byte character is replaced by the
// national text. A TE is filled by formatText. True when the instruction is
// prepared (at once when it already was); false, instruction unchanged, for
// a TE whose attribute is missing, which then draws nothing. Other kinds:
// false.
bool prepareText(const ChartFeature& feature, Instruction& instruction);

// The point form. A TX takes its attribute's value; an absent value leaves
// it unprepared (it draws nothing). From a look-up list, a value starting
// with a multi-byte character is dropped (the national text set when the
// look-up was chosen stays); a `generated` TX takes the national object
// name as its national text instead. TE as prepareText.
bool preparePointText(const ChartFeature& point, Instruction& instruction, bool generated);

// Prepares the texts of both look-up results of the feature.
void prepareLookupTexts(ChartFeature& feature);

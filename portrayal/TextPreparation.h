#pragma once
// The one-time resolution of a text instruction's texts from its feature:
// look-up texts while the cell loads, procedure texts when a procedure
// result is made. The draw pass only reads them. Each text is prepared in
// English (text) and as its national text (nationalText, shown under
// 中文显示 where there is one): the national object name or information, or
// the Chinese wording from the library's Chinese names.
#include "ChartModel.h"
#include "ChineseNames.h"

// A TX takes the value of its attribute (NATSUR values as seabed words) as
// its text and the national value of that attribute (nationalValue,
// TextProcedures.h) as its national text; a value that starts with a
// multi-byte character is replaced by the national text. A TE is filled by
// formatText. True when the instruction is prepared (at once when it
// already was); false, instruction unchanged, for a TE whose attribute is
// missing, which then draws nothing. Other kinds: false.
bool prepareText(const ChartFeature& feature, Instruction& instruction, const ChineseNames& names);

// The point form. A TX takes its attribute's value and national value; an
// absent value leaves it unprepared (it draws nothing). From a look-up list
// (not `generated`), the national text set when the look-up was chosen
// stays where the attribute gives none, and a value starting with a
// multi-byte character is dropped, leaving the national text. TE as
// prepareText.
bool preparePointText(const ChartFeature& point, Instruction& instruction, bool generated,
                      const ChineseNames& names);

// Prepares the texts of both look-up results of the feature.
void prepareLookupTexts(ChartFeature& feature, const ChineseNames& names);

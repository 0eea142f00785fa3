#pragma once
// Display texts made from feature attributes: seabed words for NATSUR codes
// and the formatted text of a TE instruction.
#include <string>

#include "ChartModel.h"

// Replaces a NATSUR value by words: a single code by its word ("4" -> "sand"),
// a list by the words joined with commas, "stones" with a blank instead
// ("4,1" -> "sand,mud", "4,5" -> "sand stones"). A single unknown code stays
// as it is; unknown codes in a list are dropped.
void seabedWords(std::string& value);

// Fills a TE's text from its format and the value of its attribute. "%s"
// gives the prefix and the value (and as the national text the prefix and
// the national object name, when there is one), "%d" the value text
// between prefix and suffix, a floating conversion such as "%4.1lf" the
// value read as a number. False, text unchanged, when the feature lacks the
// attribute.
bool formatText(const ChartFeature& feature, FormattedText& text);

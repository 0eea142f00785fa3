#pragma once
// Display texts made from feature attributes: seabed words for NATSUR codes
// and the formatted text of a TE instruction, each in English and, where
// the library has Chinese names, in Chinese (the national text shown under
// 中文显示).
#include <string>
#include <string_view>

#include "ChartModel.h"
#include "ChineseNames.h"

// Replaces a NATSUR value by words: a single code by its word ("4" -> "sand"),
// a list by the words joined with commas, "stones" with a blank instead
// ("4,1" -> "sand,mud", "4,5" -> "sand stones"). A single unknown code stays
// as it is; unknown codes in a list are dropped.
void seabedWords(std::string& value);

// The Chinese seabed words of a NATSUR value, as a Chinese chart writes
// them: each code by its Chinese name, run together ("4,1" -> "沙泥").
// Codes without one are dropped; empty when none has one.
std::string chineseSeabedWords(std::string_view value, const ChineseNames& names);

// The national text of the value of attribute `acronym` on the chart: the
// national object name for OBJNAM (NOBJNM), the national information for
// INFORM (NINFOM), the Chinese seabed words for NATSUR; empty for any other
// attribute, or when the feature or the table has none.
std::string nationalValue(const ChartFeature& feature, std::string_view acronym, std::string_view value,
                          const ChineseNames& names);

// Fills a TE's text from its format and the value of its attribute. "%s"
// gives the prefix and the value, "%d" the value text between prefix and
// suffix, a floating conversion such as "%4.1lf" the value read as a
// number. The national text is the same made with the Chinese wording of
// the format when `names` has one ("clr %4.1lf" -> "净空 %.1lf") from the
// national value, else the value; without a Chinese wording, a "%s" format
// gives the prefix and the national value when there is one. False, text
// unchanged, when the feature lacks the attribute.
bool formatText(const ChartFeature& feature, FormattedText& text, const ChineseNames& names = noChineseNames());

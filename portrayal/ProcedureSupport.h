#pragma once
// Small building blocks shared by the conditional symbology procedures:
// instruction records in the form the procedures append them, attribute
// lists split at commas, and the code-set tests on them.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "ChartModel.h"
#include "Instruction.h"

// SY of a symbol, rotated by `rotation` (an angle text; empty = none).
Instruction symbolInstruction(std::string name, std::string rotation = {});
// LS of a colour token.
Instruction lineInstruction(LineDash dash, int width, std::string_view colourToken);
// The line style itself, for the procedures that make legs and arcs of it.
LineStyle procedureLineStyle(LineDash dash, int width, std::string_view colourToken);
Instruction complexLineInstruction(std::string name);      // LC
Instruction fillInstruction(std::string_view colourToken);  // AC, opaque
Instruction patternInstruction(std::string name);          // AP

// Elements of a comma-separated attribute value; none for an empty text.
std::vector<std::string> splitList(const std::string& text);

// Whether `text` is, as a whole, one of `set`.
bool isOneOf(std::string_view text, std::initializer_list<std::string_view> set);

// Whether any element of `list` is one of `set` (exact text equality).
bool anyOf(const std::vector<std::string>& list, std::initializer_list<std::string_view> set);

// A QUAPOS value that marks a position of low accuracy for the line styles:
// not empty and none of "1", "10", "11".
bool lowAccuracyPosition(std::string_view quapos);

// The attribute read with C atof rules and rounded to single precision.
float attributeFloat(const ChartFeature& feature, std::string_view acronym);

#pragma once
#include <string_view>
#include <vector>

#include "Instruction.h"

// Turns a look-up record's instruction text into one Instruction per command,
// in text order. Commands are separated by ";"; an empty command, an unknown
// code and a command too short for the columns its code reads all give
// None, which draws nothing.
std::vector<Instruction> parseInstructions(std::string_view text);

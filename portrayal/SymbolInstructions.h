#pragma once
// SYMINS02: a feature that carries its own portrayal in its SYMINS
// attribute (S-57 NEWOBJ), drawn as those instructions say: "SY(BRTHNO01);
// TX('text',3,2,2,'14109',0,0,CHBLK,11)" draws the symbol and the text as a
// look-up's instructions would. What SYMINS may hold: SY with a rotation in
// degrees or an attribute acronym, LS, LC, AC, AP, TE, and TX of an
// attribute or of a quoted text of its own. A procedure call (CS) or any
// other command is left out, and so is a command of more than 200
// characters and every command after the first 64.
// Without a SYMINS value, or when it holds nothing to draw, the feature is
// drawn as S-52 draws a new object: SY(NEWOBJ01) at a point, LC(NEWOBJ01)
// along a line, SY(NEWOBJ01) and LS(DASH,2,CHMGD) for an area.
#include <cstddef>
#include <string_view>
#include <vector>

#include "ChartModel.h"
#include "Instruction.h"
#include "ProcedureResult.h"

// The drawable instructions of a SYMINS text for `feature` (attribute
// references resolved, quoted texts prepared), in text order.
std::vector<Instruction> symbolInstructions(std::string_view text, const ChartFeature& feature);

// Fills the result's own list.
void symbolInstructionProcedure(const ChartFeature& feature, ProcedureResult& out);

// The most commands of one SYMINS value that are read, and the longest
// command.
constexpr int kMostSymbolInstructions = 64;
constexpr std::size_t kLongestSymbolInstruction = 200;

#pragma once
// Stand-ins for drawings the library lacks, so that no feature is drawn
// invisibly: a symbol, line style or pattern that a look-up or a procedure
// names but the library does not hold is replaced by one it holds, and the
// debug log tells which names are missing.
#include "ChartModel.h"
#include "DisplaySettings.h"
#include "Instruction.h"
#include "LibraryDrawings.h"

// The instructions executed in place of one: none, one or two.
class InstructionRun {
public:
  InstructionRun() = default;
  InstructionRun(const Instruction* first, int count) : first_(first), count_(count) {}
  const Instruction* begin() const { return first_; }
  const Instruction* end() const { return first_ + count_; }
  int size() const { return count_; }

private:
  const Instruction* first_ = nullptr;
  int count_ = 0;
};

// What is executed for `instruction` at `feature`: the instruction itself,
// unless it is an SY, LC or AP naming a drawing the library does not hold.
// Then its stand-in:
// - an SY of a point's own look-up (`fromLookup`, not a procedure's): the
//   first SY of the point's other look-up (paper chart <-> simplified) whose
//   symbol the library holds, else SY(QUESMRK1);
// - any other SY: SY(QUESMRK1);
// - an LC of a line or area: LC(QUESMRK1), or LS(SOLD,1,CHMGD) when that
//   style is missing too;
// - an AP of an area: its plain boundary, LS(SOLD,1,CHMGD), and
//   SY(QUESMRK1) at its centre.
// (An LC at a point or an AP off an area draws nothing either way.)
// A stand-in symbol the library lacks as well is left out. The first time a
// pass meets a missing name it is logged in the drawings' MissingDrawingLog,
// once per engine and name whatever the thread.
InstructionRun instructionsToExecute(const Instruction& instruction, const ChartFeature& feature,
                                     const DisplaySettings& settings, LibraryDrawings& drawings, bool fromLookup);

#pragma once
#include <map>
#include <string>
#include <vector>

#include "Instruction.h"

// One attribute condition of a look-up record: acronym and value (may be empty).
struct AttributeCondition {
  std::string acronym;
  std::string value;
};

// One look-up record of the presentation library.
struct LookupEntry {
  std::string className;                  // class acronym, at most 6 characters
  std::string geometryLetter;             // A, L or P (kept, not used by the selection)
  int displayPriority = 0;
  std::string radarFlag;                  // one character, O or S
  std::string tableName;
  std::vector<AttributeCondition> conditions;  // never empty
  std::vector<Instruction> instructions;
  std::string displayCategoryText;
  std::string viewingGroup;               // text; read as an integer by the selection
};

// The look-up records of one table, by class acronym, each list in file order.
using LookupTable = std::map<std::string, std::vector<LookupEntry>>;

// The five look-up tables, in the order the library holds them.
enum class LookupTableId {
  SYMBOLIZED_BOUNDARIES = 0,
  PLAIN_BOUNDARIES = 1,
  SIMPLIFIED = 2,
  PAPER_CHART = 3,
  LINES = 4,
};
constexpr int kLookupTableCount = 5;

#pragma once
// Symbols, area patterns and complex line styles: small vector drawings read
// from the library files. Every coordinate and size is already converted from
// library symbol units (times 0.6, truncated) when it is stored.
#include <map>
#include <string>
#include <vector>

// Library symbol units (0.01 mm) to drawing units: times 0.6 in single
// precision, truncated toward zero (1234 -> 740, 1 -> 0, -5 -> -3).
constexpr float SYMBOL_UNIT_SCALE = 0.6f;
inline int scaleSymbolUnits(int value) { return static_cast<int>(static_cast<float>(value) * SYMBOL_UNIT_SCALE); }

enum VectorOpcode : int {
  kSP = 1,  // select pen colour: colour = colour index
  kSW = 2,  // stroke width: first = width digit (unscaled)
  kPM = 3,  // polygon mode: first = mode digit
  kST = 4,  // transparency: first = digit
  kPU = 5,  // pen up to first, second
  kPD = 6,  // pen down to first, second
  kCI = 7,  // circle: first = radius
};

struct VectorCommand {
  int opcode = 0;
  int colour = 0;
  int first = 0;
  int second = 0;
};

// Colour letter -> five-character colour token; a letter given twice keeps its first token.
using ColourReferences = std::map<std::string, std::string>;

struct SymbolDefinition {
  std::string name;
  std::string typeLetter;
  int pivotColumn = 0, pivotRow = 0, width = 0, height = 0, boxColumn = 0, boxRow = 0;
  ColourReferences colourReferences;
  std::vector<VectorCommand> commands;
};

struct PatternDefinition {
  std::string name;
  std::string typeLetter;
  std::string fillKind;     // LIN or STG
  std::string spacingKind;  // CON or SCL
  int minimumDistance = 0, maximumDistance = 0;
  int pivotColumn = 0, pivotRow = 0, width = 0, height = 0, boxColumn = 0, boxRow = 0;
  ColourReferences colourReferences;
  std::vector<VectorCommand> commands;
};

// One vector line of a complex line style.
struct LineStyleSegment {
  int colour = 0;         // colour index set by the line's SP
  int width = 0;          // stroke width set by the line's SW (0 when it has none)
  std::vector<VectorCommand> commands;
  int largestX = 0;
  int smallestX = 666666;
};

struct LineStyleDefinition {
  std::string name;
  int pivotColumn = 0, pivotRow = 0, width = 0, height = 0, boxColumn = 0, boxRow = 0;
  ColourReferences colourReferences;
  std::vector<LineStyleSegment> segments;
};

#include "DrawingStandIns.h"

#include <string>

#include "ColourToken.h"
#include "FeaturePortrayal.h"
#include "PresentationLibrary.h"

namespace {
// S-52's mark for an object the library has no drawing for.
const std::string& questionMark() {
  static const std::string name = "QUESMRK1";
  return name;
}

Instruction named(int kind, const std::string& name) {
  Instruction i;
  i.kind = kind;
  i.name = name;
  return i;
}

Instruction plainBoundary() {
  Instruction i;
  i.kind = kLS;
  i.style = 1;  // solid
  i.width = 1;
  i.colour = colourIndex("CHMGD");
  return i;
}

const Instruction& questionMarkSymbol() {
  static const Instruction i = named(kSY, questionMark());
  return i;
}

const Instruction& questionMarkLine() {
  static const Instruction i = named(kLC, questionMark());
  return i;
}

// The plain boundary and the centred question mark, in that order.
const Instruction* patternStandIn() {
  static const Instruction run[2] = {plainBoundary(), named(kSY, questionMark())};
  return run;
}

bool hasSymbol(const PresentationLibrary& library, const std::string& name) {
  return library.symbols.count(name) != 0;
}

InstructionRun one(const Instruction& instruction) { return InstructionRun(&instruction, 1); }

InstructionRun symbolStandIn(const ChartFeature& feature, const DisplaySettings& settings,
                             const PresentationLibrary& library, bool fromLookup) {
  if (fromLookup && feature.kind == FeatureKind::Point) {
    const LookupResult& inUse = lookupInUse(feature, settings);
    const LookupResult& other = &inUse == &feature.firstLookup ? feature.secondLookup : feature.firstLookup;
    for (const Instruction& i : other.instructions)
      if (i.kind == kSY && hasSymbol(library, i.name)) return one(i);
  }
  if (hasSymbol(library, questionMark())) return one(questionMarkSymbol());
  return {};
}
}  // namespace

InstructionRun instructionsToExecute(const Instruction& instruction, const ChartFeature& feature,
                                     const DisplaySettings& settings, LibraryDrawings& drawings, bool fromLookup) {
  const PresentationLibrary& library = drawings.library;
  switch (instruction.kind) {
    case kSY:
      if (hasSymbol(library, instruction.name)) break;
      drawings.missing.note(DrawingKind::Symbol, instruction.name);
      return symbolStandIn(feature, settings, library, fromLookup);
    case kLC:
      if (feature.kind == FeatureKind::Point || library.lineStyles.count(instruction.name)) break;
      drawings.missing.note(DrawingKind::LineStyle, instruction.name);
      if (library.lineStyles.count(questionMark())) return one(questionMarkLine());
      return one(patternStandIn()[0]);
    case kAP:
      if (feature.kind != FeatureKind::Area || library.patterns.count(instruction.name)) break;
      drawings.missing.note(DrawingKind::Pattern, instruction.name);
      return InstructionRun(patternStandIn(), hasSymbol(library, questionMark()) ? 2 : 1);
    default:
      break;
  }
  return one(instruction);
}

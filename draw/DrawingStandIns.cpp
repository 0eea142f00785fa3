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

Instruction plainBoundary() {
  LineStyle style;
  style.dash = LineDash::Solid;
  style.width = 1;
  style.colour = colourIndex("CHMGD");
  return style;
}

const Instruction& questionMarkSymbol() {
  static const Instruction i = Symbol{questionMark(), {}, {}};
  return i;
}

const Instruction& questionMarkLine() {
  static const Instruction i = ComplexLine{questionMark()};
  return i;
}

// The plain boundary and the centred question mark, in that order.
const Instruction* patternStandIn() {
  static const Instruction run[2] = {plainBoundary(), Symbol{questionMark(), {}, {}}};
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
      if (const Symbol* symbol = i.find<Symbol>(); symbol && hasSymbol(library, symbol->name)) return one(i);
  }
  if (hasSymbol(library, questionMark())) return one(questionMarkSymbol());
  return {};
}
}  // namespace

InstructionRun instructionsToExecute(const Instruction& instruction, const ChartFeature& feature,
                                     const DisplaySettings& settings, LibraryDrawings& drawings, bool fromLookup) {
  const PresentationLibrary& library = drawings.library;
  switch (instruction.kind()) {
    case InstructionKind::Symbol: {
      const std::string& name = instruction.as<Symbol>().name;
      if (hasSymbol(library, name)) break;
      drawings.missing.note(DrawingKind::Symbol, name);
      return symbolStandIn(feature, settings, library, fromLookup);
    }
    case InstructionKind::ComplexLine: {
      const std::string& name = instruction.as<ComplexLine>().name;
      if (feature.kind == FeatureKind::Point || library.lineStyles.count(name)) break;
      drawings.missing.note(DrawingKind::LineStyle, name);
      if (library.lineStyles.count(questionMark())) return one(questionMarkLine());
      return one(patternStandIn()[0]);
    }
    case InstructionKind::AreaPattern: {
      const std::string& name = instruction.as<AreaPattern>().name;
      if (feature.kind != FeatureKind::Area || library.patterns.count(name)) break;
      drawings.missing.note(DrawingKind::Pattern, name);
      return InstructionRun(patternStandIn(), hasSymbol(library, questionMark()) ? 2 : 1);
    }
    default:
      break;
  }
  return one(instruction);
}

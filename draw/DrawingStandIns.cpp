#include "DrawingStandIns.h"

#include <QtGlobal>
#include <mutex>
#include <set>
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

bool hasSymbol(const std::string& name) { return presentationLibrary().symbols.count(name) != 0; }

// Each missing name once per run, whichever view's pass meets it first.
void logMissing(InstructionKind kind, const std::string& name) {
  static std::mutex mutex;
  static std::set<std::string> logged[3];  // symbols, line styles, patterns
  const int k = kind == InstructionKind::Symbol ? 0 : kind == InstructionKind::ComplexLine ? 1 : 2;
  {
    std::lock_guard<std::mutex> lock(mutex);
    if (!logged[k].insert(name).second) return;
  }
  static const char* const kKinds[3] = {"symbol", "line style", "pattern"};
  qWarning("the presentation library has no %s %s: features that name it are drawn with a stand-in", kKinds[k],
           name.c_str());
}

InstructionRun one(const Instruction& instruction) { return InstructionRun(&instruction, 1); }

InstructionRun symbolStandIn(const ChartFeature& feature, const DisplaySettings& settings, bool fromLookup) {
  if (fromLookup && feature.kind == FeatureKind::Point) {
    const LookupResult& inUse = lookupInUse(feature, settings);
    const LookupResult& other = &inUse == &feature.firstLookup ? feature.secondLookup : feature.firstLookup;
    for (const Instruction& i : other.instructions)
      if (const Symbol* symbol = i.find<Symbol>(); symbol && hasSymbol(symbol->name)) return one(i);
  }
  if (hasSymbol(questionMark())) return one(questionMarkSymbol());
  return {};
}
}  // namespace

InstructionRun instructionsToExecute(const Instruction& instruction, const ChartFeature& feature,
                                     const DisplaySettings& settings, bool fromLookup) {
  const PresentationLibrary& library = presentationLibrary();
  switch (instruction.kind()) {
    case InstructionKind::Symbol: {
      const std::string& name = instruction.as<Symbol>().name;
      if (hasSymbol(name)) break;
      logMissing(InstructionKind::Symbol, name);
      return symbolStandIn(feature, settings, fromLookup);
    }
    case InstructionKind::ComplexLine: {
      const std::string& name = instruction.as<ComplexLine>().name;
      if (feature.kind == FeatureKind::Point || library.lineStyles.count(name)) break;
      logMissing(InstructionKind::ComplexLine, name);
      if (library.lineStyles.count(questionMark())) return one(questionMarkLine());
      return one(patternStandIn()[0]);
    }
    case InstructionKind::AreaPattern: {
      const std::string& name = instruction.as<AreaPattern>().name;
      if (feature.kind != FeatureKind::Area || library.patterns.count(name)) break;
      logMissing(InstructionKind::AreaPattern, name);
      return InstructionRun(patternStandIn(), hasSymbol(questionMark()) ? 2 : 1);
    }
    default:
      break;
  }
  return one(instruction);
}

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

bool hasSymbol(const std::string& name) { return presentationLibrary().symbols.count(name) != 0; }

// Each missing name once per run, whichever view's pass meets it first.
void logMissing(int kind, const std::string& name) {
  static std::mutex mutex;
  static std::set<std::string> logged[3];  // symbols, line styles, patterns
  const int k = kind == kSY ? 0 : kind == kLC ? 1 : 2;
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
      if (i.kind == kSY && hasSymbol(i.name)) return one(i);
  }
  if (hasSymbol(questionMark())) return one(questionMarkSymbol());
  return {};
}
}  // namespace

InstructionRun instructionsToExecute(const Instruction& instruction, const ChartFeature& feature,
                                     const DisplaySettings& settings, bool fromLookup) {
  const PresentationLibrary& library = presentationLibrary();
  switch (instruction.kind) {
    case kSY:
      if (hasSymbol(instruction.name)) break;
      logMissing(kSY, instruction.name);
      return symbolStandIn(feature, settings, fromLookup);
    case kLC:
      if (feature.kind == FeatureKind::Point || library.lineStyles.count(instruction.name)) break;
      logMissing(kLC, instruction.name);
      if (library.lineStyles.count(questionMark())) return one(questionMarkLine());
      return one(patternStandIn()[0]);
    case kAP:
      if (feature.kind != FeatureKind::Area || library.patterns.count(instruction.name)) break;
      logMissing(kAP, instruction.name);
      return InstructionRun(patternStandIn(), hasSymbol(questionMark()) ? 2 : 1);
    default:
      break;
  }
  return one(instruction);
}

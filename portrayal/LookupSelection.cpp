#include "LookupSelection.h"

#include <cstdlib>

#include "InstructionParser.h"
#include "TextPreparation.h"

namespace {
bool hasAttribute(const ChartFeature& feature, const AttributeCondition& condition) {
  for (const FeatureAttribute& a : feature.attributes)
    if (a.acronym == condition.acronym && (condition.value.empty() || a.value == condition.value)) return true;
  return false;
}

bool isPlaceholder(const AttributeCondition& c) { return c.acronym == "attf" && c.value == "null"; }

bool matches(const ChartFeature& feature, const LookupEntry& entry) {
  if (feature.attributes.empty()) return false;
  for (const AttributeCondition& c : entry.conditions)
    if (isPlaceholder(c) || !hasAttribute(feature, c)) return false;
  return true;
}

const LookupEntry& chooseEntry(const ChartFeature& feature, const std::vector<LookupEntry>& entries) {
  if (entries.size() == 1) return entries.front();
  size_t defaultIndex = 0, bestIndex = 0, bestCount = 0;
  bool found = false;
  for (size_t i = 0; i < entries.size(); ++i) {
    const LookupEntry& entry = entries[i];
    // The last entry without conditions is the class's default.
    if (entry.conditions.size() == 1 && entry.conditions.front().acronym == "attf") defaultIndex = i;
    if (!matches(feature, entry)) continue;
    const size_t k = entry.conditions.size();
    if (k == feature.attributes.size()) return entry;  // a match of every attribute ends the scan
    if (k > bestCount) {
      bestIndex = i;
      bestCount = k;
      found = true;
    }
  }
  return entries[found ? bestIndex : defaultIndex];
}

int categoryNumber(const std::string& text) {
  if (text == "DISPLAYBASE") return 0;
  if (text == "STANDARD") return 1;
  return 2;
}

// Whether the table draws the class at all: some entry of its list has an
// instruction. (The XML has look-ups with empty instructions for classes and
// geometries S-52 gives no look-up.)
bool portrays(const LookupTable& table, const std::string& acronym) {
  const auto list = table.find(acronym);
  if (list == table.end()) return false;
  for (const LookupEntry& entry : list->second)
    if (!entry.instructions.empty()) return true;
  return false;
}

// Meta objects (M_COVR, M_NPUB, ...) and collections describe other
// objects; they show only through their own look-ups and procedures.
bool describesOtherObjects(const std::string& acronym) {
  return acronym.compare(0, 2, "M_") == 0 || acronym.compare(0, 2, "C_") == 0;
}

// The tables the two results of a feature of this kind are chosen from.
struct KindTables {
  const LookupTable* first;
  const LookupTable* second;
};

KindTables tablesOf(FeatureKind kind, const PresentationLibrary& library) {
  auto table = [&library](LookupTableId id) { return &library.lookupTable(id); };
  switch (kind) {
    case FeatureKind::Point: return {table(LookupTableId::PAPER_CHART), table(LookupTableId::SIMPLIFIED)};
    case FeatureKind::Line: return {table(LookupTableId::LINES), table(LookupTableId::LINES)};
    case FeatureKind::Area: return {table(LookupTableId::PLAIN_BOUNDARIES), table(LookupTableId::SYMBOLIZED_BOUNDARIES)};
    case FeatureKind::Sounding: break;
  }
  return {nullptr, nullptr};
}

// S-52's default: the table's ###### entry, or the same built in, always in
// Display Base.
void selectDefaultLookup(ChartFeature& feature, const LookupTable& table, LookupList which) {
  LookupResult& result = feature.lookup(which);
  result = LookupResult{};
  const auto list = table.find(std::string(kDefaultLookupClass));
  if (list != table.end() && !list->second.empty() && !list->second.front().instructions.empty()) {
    const LookupEntry& entry = list->second.front();
    result.instructions = entry.instructions;
    feature.display.radarFlag = entry.radarFlag.empty() ? 'O' : entry.radarFlag.front();
    feature.display.priority = entry.displayPriority;
    feature.display.viewingGroup = std::atoi(entry.viewingGroup.c_str());
  } else {
    result.instructions = parseInstructions(defaultInstructions(feature.kind));
    feature.display.radarFlag = 'O';
    feature.display.priority = 5;
    feature.display.viewingGroup = 21010;
  }
  feature.display.category(which) = 0;
}

// A feature the tables of its kind do not draw: when one symbol style draws
// its class, the other takes that style's choice; when neither does (or the
// class is not in the catalogue), both get S-52's default.
void portrayUnportrayed(ChartFeature& feature, const PresentationLibrary& library) {
  const KindTables tables = tablesOf(feature.kind, library);
  if (!tables.first) return;
  const ObjectClassCatalogue& classes = library.objectClassCatalogue;
  const auto cls = classes.find(feature.objectClass);
  if (cls != classes.end() && describesOtherObjects(cls->second.acronym)) return;
  const bool first = cls != classes.end() && portrays(*tables.first, cls->second.acronym);
  const bool second = cls != classes.end() && portrays(*tables.second, cls->second.acronym);
  if (first && second) return;
  if (first || second) {
    const LookupList other = first ? LookupList::Second : LookupList::First;
    feature.lookup(other) = LookupResult{};
    feature.display.category(other) = -1;
    selectLookup(feature, first ? *tables.first : *tables.second, other, classes);
    return;
  }
  selectDefaultLookup(feature, *tables.first, LookupList::First);
  selectDefaultLookup(feature, *tables.second, LookupList::Second);
}
}  // namespace

std::string_view defaultInstructions(FeatureKind kind) {
  switch (kind) {
    case FeatureKind::Line: return "LC(QUESMRK1)";
    case FeatureKind::Area: return "AP(QUESMRK1);LS(DASH,1,CHMGD)";
    default: return "SY(QUESMRK1)";
  }
}

void selectLookup(ChartFeature& feature, const LookupTable& table, LookupList which,
                  const ObjectClassCatalogue& classes) {
  LookupResult& result = feature.lookup(which);
  const auto cls = classes.find(feature.objectClass);
  if (cls == classes.end()) return;
  const auto list = table.find(cls->second.acronym);
  if (list == table.end() || list->second.empty()) return;
  const LookupEntry& entry = chooseEntry(feature, list->second);

  for (const Instruction& instruction : entry.instructions) {
    result.instructions.push_back(instruction);
    if (Text* text = result.instructions.back().text()) text->nationalText.clear();  // copies start without one
  }
  feature.display.radarFlag = entry.radarFlag.empty() ? static_cast<char>(0xFF) : entry.radarFlag.front();
  feature.display.priority = entry.displayPriority;
  feature.display.viewingGroup = std::atoi(entry.viewingGroup.c_str());
  feature.display.category(which) = categoryNumber(entry.displayCategoryText);
  resolveAttributeReferences(feature, result);
}

void resolveAttributeReferences(const ChartFeature& feature, LookupResult& result) {
  for (Instruction& instruction : result.instructions) {
    if (Symbol* symbol = instruction.find<Symbol>()) {
      if (!symbol->rotationAttribute.empty()) symbol->rotation = feature.findAttribute(symbol->rotationAttribute);
    } else if (PlainText* text = instruction.find<PlainText>()) {
      if (text->attribute == "OBJNAM") text->nationalText = feature.findAttribute("NOBJNM");
    }
  }
}

void selectLookups(ChartFeature& feature, const PresentationLibrary& library) {
  const ObjectClassCatalogue& classes = library.objectClassCatalogue;
  auto table = [&library](LookupTableId id) -> const LookupTable& { return library.lookupTable(id); };
  switch (feature.kind) {
    case FeatureKind::Point:
      selectLookup(feature, table(LookupTableId::PAPER_CHART), LookupList::First, classes);
      selectLookup(feature, table(LookupTableId::SIMPLIFIED), LookupList::Second, classes);
      break;
    case FeatureKind::Sounding:
      selectLookup(feature, table(LookupTableId::PAPER_CHART), LookupList::Second, classes);
      break;
    case FeatureKind::Line:
      selectLookup(feature, table(LookupTableId::LINES), LookupList::Second, classes);
      selectLookup(feature, table(LookupTableId::LINES), LookupList::First, classes);
      break;
    case FeatureKind::Area:
      selectLookup(feature, table(LookupTableId::PLAIN_BOUNDARIES), LookupList::First, classes);
      selectLookup(feature, table(LookupTableId::SYMBOLIZED_BOUNDARIES), LookupList::Second, classes);
      break;
  }
  portrayUnportrayed(feature, library);
  prepareLookupTexts(feature, library.chineseNames);
}

bool inMarinersViewingGroups(int viewingGroup) { return viewingGroup >= 31000 && viewingGroup <= 31080; }

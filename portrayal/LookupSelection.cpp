#include "LookupSelection.h"

#include <cstdlib>

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
}  // namespace

void selectLookup(ChartFeature& feature, const LookupTable& table, LookupResult& result,
                  const ObjectClassCatalogue& classes) {
  const auto cls = classes.find(feature.objectClass);
  if (cls == classes.end()) return;
  const auto list = table.find(cls->second.acronym);
  if (list == table.end() || list->second.empty()) return;
  const LookupEntry& entry = chooseEntry(feature, list->second);

  for (const Instruction& instruction : entry.instructions) {
    result.instructions.push_back(instruction);
    result.instructions.back().text3.clear();
  }
  feature.radarFlag = entry.radarFlag.empty() ? static_cast<char>(0xFF) : entry.radarFlag.front();
  feature.displayPriority = entry.displayPriority;
  feature.viewingGroup = std::atoi(entry.viewingGroup.c_str());
  result.category = categoryNumber(entry.displayCategoryText);
  resolveAttributeReferences(feature, result);
}

void resolveAttributeReferences(const ChartFeature& feature, LookupResult& result) {
  for (Instruction& instruction : result.instructions) {
    if (instruction.kind == kSY && !instruction.text2.empty())
      instruction.text2 = feature.findAttribute(instruction.text2);
    else if (instruction.kind == kTX)
      instruction.text3 = feature.findAttribute("NOBJNM");
  }
}

void selectLookups(ChartFeature& feature, const PresentationLibrary& library) {
  const ObjectClassCatalogue& classes = library.objectClassCatalogue;
  auto table = [&library](LookupTableId id) -> const LookupTable& { return library.lookupTable(id); };
  switch (feature.kind) {
    case FeatureKind::Point:
      selectLookup(feature, table(LookupTableId::PAPER_CHART), feature.firstLookup, classes);
      selectLookup(feature, table(LookupTableId::SIMPLIFIED), feature.secondLookup, classes);
      break;
    case FeatureKind::Sounding:
      selectLookup(feature, table(LookupTableId::PAPER_CHART), feature.secondLookup, classes);
      break;
    case FeatureKind::Line:
      selectLookup(feature, table(LookupTableId::LINES), feature.secondLookup, classes);
      selectLookup(feature, table(LookupTableId::LINES), feature.firstLookup, classes);
      break;
    case FeatureKind::Area:
      selectLookup(feature, table(LookupTableId::PLAIN_BOUNDARIES), feature.firstLookup, classes);
      selectLookup(feature, table(LookupTableId::SYMBOLIZED_BOUNDARIES), feature.secondLookup, classes);
      break;
  }
  prepareLookupTexts(feature);
}

bool inMarinersViewingGroups(int viewingGroup) { return viewingGroup >= 31000 && viewingGroup <= 31080; }

#include "RestrictedAreaProcedures.h"

#include <initializer_list>
#include <string_view>
#include <vector>

#include "ProcedureSupport.h"

namespace {
using CodeSet = std::initializer_list<std::string_view>;

// RESTRN codes.
const CodeSet kEntry = {"7", "8", "14"};
const CodeSet kAnchor = {"1", "2"};
const CodeSet kFish = {"3", "4", "5", "6", "24"};
const CodeSet kCaution = {"13", "16", "17", "23", "25", "26", "27"};
const CodeSet kInfo = {"9", "10", "11", "12", "15", "18", "19", "20", "21", "22"};
// Further restrictions that turn a family's symbol into its 61 variant.
const CodeSet kOtherThanEntry = {"1", "2", "3", "4", "5", "6", "13", "16", "17", "23", "24", "25", "26", "27"};
const CodeSet kOtherThanAnchor = {"3", "4", "5", "6", "13", "16", "17", "23", "24", "25", "26", "27"};
const CodeSet kOtherThanFish = {"13", "16", "17", "23", "24", "25", "26", "27"};
// CATREA codes.
const CodeSet kCategoryRestriction = {"1", "8", "9", "12", "14", "18", "19", "21", "24", "25", "26"};
const CodeSet kCategoryInformation = {"4", "5", "6", "7", "10", "20", "22", "23"};

// What the rules below work with: the area, the settings and the result.
struct Rule {
  const ChartFeature& feature;
  const DisplaySettings& settings;
  ProcedureResult& out;
};

void appendBoundary(Rule& r, const std::string& lineStyle) {
  if (r.settings.plainBoundaries)
    r.out.instructions.push_back(lineInstruction(LineDash::Dashed, 2, "CHMGD"));
  else
    r.out.instructions.push_back(complexLineInstruction(lineStyle));
}

void appendSymbol(Rule& r, std::string name) { r.out.instructions.push_back(symbolInstruction(std::move(name))); }

// An entry, anchoring or fishing restriction: 61 with further restrictions,
// 71 with information, else 51; the boundary in the family's line style.
void entryRule(Rule& r, const std::string& family, CodeSet others, const std::vector<std::string>& restrn) {
  r.out.display.priority = 6;
  const std::vector<std::string> catrea = splitList(r.feature.findAttribute("CATREA"));
  const char* variant = "51";
  if (anyOf(restrn, others) || anyOf(catrea, kCategoryRestriction))
    variant = "61";
  else if (anyOf(restrn, kInfo) || anyOf(catrea, kCategoryInformation))
    variant = "71";
  appendSymbol(r, family + variant);
  appendBoundary(r, family + "51");
}

void cautionRule(Rule& r, const std::vector<std::string>& restrn) {
  r.out.display.priority = 6;
  const std::vector<std::string> catrea = splitList(r.feature.findAttribute("CATREA"));
  const bool info = anyOf(restrn, kInfo) || anyOf(catrea, kCategoryInformation);
  appendSymbol(r, info ? "CTYARE71" : "CTYARE51");
  appendBoundary(r, "CTYARE51");
}

// An area without RESTRN: the symbol follows CATREA alone.
void categoryRule(Rule& r) {
  r.out.display.priority = 6;
  const std::vector<std::string> catrea = splitList(r.feature.findAttribute("CATREA"));
  const char* symbol = "RSRDEF51";
  if (anyOf(catrea, kCategoryRestriction))
    symbol = anyOf(catrea, kCategoryInformation) ? "CTYARE71" : "CTYARE51";
  else if (anyOf(catrea, kCategoryInformation))
    symbol = "INFARE51";
  appendSymbol(r, symbol);
  appendBoundary(r, "CTYARE51");
}
}  // namespace

void restrictedAreaProcedure(const ChartFeature& area, const DisplaySettings& settings, ProcedureResult& out) {
  Rule r{area, settings, out};
  const std::string& text = area.findAttribute("RESTRN");
  if (text.empty()) {
    categoryRule(r);
    return;
  }
  const std::vector<std::string> restrn = splitList(text);
  if (anyOf(restrn, kEntry)) {
    entryRule(r, "ENTRES", kOtherThanEntry, restrn);
  } else if (anyOf(restrn, kAnchor)) {
    entryRule(r, "ACHRES", kOtherThanAnchor, restrn);
  } else if (anyOf(restrn, kFish)) {
    entryRule(r, "FSHRES", kOtherThanFish, restrn);
  } else if (anyOf(restrn, kCaution)) {
    cautionRule(r, restrn);
  } else {
    appendSymbol(r, anyOf(restrn, kInfo) ? "RSRDEF51" : "INFARE51");
    appendBoundary(r, "CTYARE51");
  }
}

void restrictionProcedure(const ChartFeature& feature, std::vector<Instruction>& out) {
  const std::string& restrn = feature.findAttribute("RESTRN");
  if (!restrn.empty()) restrictionSymbols(restrn, out);
}

void restrictionSymbols(const std::string& text, std::vector<Instruction>& out) {
  const std::vector<std::string> restrn = splitList(text);
  const bool info = anyOf(restrn, kInfo);
  auto family = [&](const char* name, CodeSet others) {
    return std::string(name) + (anyOf(restrn, others) ? "61" : info ? "71" : "51");
  };
  std::string symbol;
  if (anyOf(restrn, kEntry))
    symbol = family("ENTRES", kOtherThanEntry);
  else if (anyOf(restrn, kAnchor))
    symbol = family("ACHRES", kOtherThanAnchor);
  else if (anyOf(restrn, kFish))
    symbol = family("FSHRES", kOtherThanFish);
  else if (anyOf(restrn, kCaution))
    symbol = info ? "CTYARE71" : "CTYARE51";
  else
    symbol = info ? "RSRDEF51" : "INFARE51";
  out.push_back(symbolInstruction(std::move(symbol)));
}

#include "LibraryMapping.h"

#include <cctype>
#include <map>
#include <utility>

namespace mapping {
namespace {
template <typename Value, std::size_t N>
std::optional<Value> find(const std::pair<std::string_view, Value> (&table)[N], std::string_view key) {
  for (const auto& [name, value] : table)
    if (name == key) return value;
  return std::nullopt;
}
}  // namespace

std::optional<char> displayPriorityDigit(std::string_view xmlName) {
  // The ten display priorities, lowest drawn first, as the digit of the priority field.
  static constexpr std::pair<std::string_view, char> kTable[] = {
      {"No data", '0'},      {"Group 1", '1'},     {"Area 1", '2'},      {"Area 2", '3'},
      {"Point Symbol", '4'}, {"Line Symbol", '5'}, {"Area Symbol", '6'}, {"Routing", '7'},
      {"Hazards", '8'},      {"Mariners", '9'}};
  return find(kTable, xmlName);
}

std::optional<char> radarFlag(std::string_view xmlName) {
  // Over radar: O drawn on top, S suppressed.
  static constexpr std::pair<std::string_view, char> kTable[] = {{"On Top", 'O'}, {"Suppressed", 'S'}};
  return find(kTable, xmlName);
}

std::optional<std::string_view> lookupTableName(std::string_view xmlName) {
  // The XML's short table names to the five names the look-up reader registers.
  static constexpr std::pair<std::string_view, std::string_view> kTable[] = {
      {"Plain", "PLAIN_BOUNDARIES"}, {"Symbolized", "SYMBOLIZED_BOUNDARIES"}, {"Paper", "PAPER_CHART"},
      {"Simplified", "SIMPLIFIED"},  {"Lines", "LINES"}};
  return find(kTable, xmlName);
}

std::optional<std::string_view> displayCategory(std::string_view xmlName) {
  // Display categories; an empty one stays empty (the selection treats it like OTHER).
  static constexpr std::pair<std::string_view, std::string_view> kTable[] = {
      {"Displaybase", "DISPLAYBASE"}, {"Standard", "STANDARD"}, {"Other", "OTHER"},
      {"Mariners", "MARINERS_STANDARD"}, {"", ""}};
  return find(kTable, xmlName);
}

std::optional<char> geometryLetter(std::string_view xmlName) {
  // Geometry type: A area, L line, P point.
  static constexpr std::pair<std::string_view, char> kTable[] = {{"Area", 'A'}, {"Line", 'L'}, {"Point", 'P'}};
  return find(kTable, xmlName);
}

bool lookupClassFits(std::string_view className) {
  // The class columns hold six characters; longer pseudo-classes such as
  // "_RDOCAL" name no S-57 class and are left out.
  return className.size() == 6;
}

std::optional<std::string_view> mendedDisplayCategory(std::string_view xmlCategory, std::string_view viewingGroup) {
  // Displays from the lightest: Display Base, Standard, Other. Mariners'
  // categories and empty ones are not ranked and stand.
  static constexpr std::string_view kByRank[] = {"Displaybase", "Standard", "Other"};
  auto rank = [](std::string_view category) -> int {
    for (int i = 0; i < 3; ++i)
      if (kByRank[i] == category) return i;
    return -1;
  };
  if (viewingGroup.size() != 5) return std::nullopt;
  for (const char c : viewingGroup)
    if (c < '0' || c > '9') return std::nullopt;
  if (viewingGroup.substr(0, 2) == "17") return std::nullopt;  // aids to navigation
  const int groupRank = viewingGroup[0] - '1';
  const int xmlRank = rank(xmlCategory);
  if (groupRank < 0 || groupRank > 2 || xmlRank < 0 || groupRank >= xmlRank) return std::nullopt;
  return kByRank[groupRank];
}

std::string_view procedureName(std::string_view xmlName) {
  // Older procedure revisions in the XML to the revisions this program implements.
  static constexpr std::pair<std::string_view, std::string_view> kTable[] = {
      {"DEPARE01", "DEPARE02"}, {"DEPCNT02", "DEPCNT03"}, {"OBSTRN04", "OBSTRN06"},
      {"RESARE02", "RESARE03"}, {"SYMINS01", "SYMINS02"}, {"WRECKS02", "WRECKS04"}};
  return find(kTable, xmlName).value_or(xmlName);
}

std::string instructionText(std::string_view xmlInstruction) {
  std::string out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = xmlInstruction.find(';', start);
    std::string_view command = xmlInstruction.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    const bool call = command.size() > 4 && command.substr(0, 3) == "CS(" && command.back() == ')';
    if (call) {
      out += "CS(";
      out += procedureName(command.substr(3, command.size() - 4));
      out += ')';
    } else {
      out += command;
    }
    if (end == std::string_view::npos) return out;
    out += ';';
    start = end + 1;
  }
}

std::vector<std::string> repairedDrawingName(std::string_view name, const std::set<std::string>& known) {
  // Library names are eight upper-case letters and digits; a look-up's name
  // that matches one only once case and other characters are set aside is
  // a misspelling of it.
  auto key = [](std::string_view text) {
    std::string k;
    for (const char c : text)
      if (std::isalnum(static_cast<unsigned char>(c))) k += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return k;
  };
  std::map<std::string, std::string> byKey;
  std::set<std::string> ambiguous;
  for (const std::string& n : known)
    if (!byKey.emplace(key(n), n).second) ambiguous.insert(key(n));
  for (const std::string& k : ambiguous) byKey.erase(k);

  const std::string wanted = key(name);
  if (wanted.empty()) return {};
  if (const auto it = byKey.find(wanted); it != byKey.end()) return {it->second};
  // Two names run together: only a single split that names two drawings.
  std::vector<std::string> split;
  for (std::size_t at = 1; at < wanted.size(); ++at) {
    const auto first = byKey.find(wanted.substr(0, at)), second = byKey.find(wanted.substr(at));
    if (first == byKey.end() || second == byKey.end()) continue;
    if (!split.empty()) return {};
    split = {first->second, second->second};
  }
  return split;
}

std::optional<std::string_view> patternFillKind(std::string_view xmlFillType) {
  // Pattern grid: L linear, S staggered.
  static constexpr std::pair<std::string_view, std::string_view> kTable[] = {{"L", "LIN"}, {"S", "STG"}};
  return find(kTable, xmlFillType);
}

std::optional<std::string_view> patternSpacingKind(std::string_view xmlSpacing) {
  // Pattern spacing: C constant, S scale-dependent.
  static constexpr std::pair<std::string_view, std::string_view> kTable[] = {{"C", "CON"}, {"S", "SCL"}};
  return find(kTable, xmlSpacing);
}

bool catalogueCommentRow(std::string_view name) {
  // GDAL's tables mark the start of a code range with a "###" row of code 0: left out.
  return name.substr(0, 3) == "###";
}

bool knownColourScheme(std::string_view xmlTableName) {
  // Each XML colour table becomes the scheme section of the same name.
  return xmlTableName == "DAY_BRIGHT" || xmlTableName == "DAY_BLACKBACK" || xmlTableName == "DAY_WHITEBACK" ||
         xmlTableName == "DUSK" || xmlTableName == "NIGHT";
}

}  // namespace mapping

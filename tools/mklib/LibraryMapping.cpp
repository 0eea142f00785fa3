#include "LibraryMapping.h"

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

std::string_view procedureName(std::string_view xmlName) {
  // Older procedure revisions in the XML to the revisions this program implements.
  static constexpr std::pair<std::string_view, std::string_view> kTable[] = {
      {"DEPARE01", "DEPARE02"}, {"DEPCNT02", "DEPCNT03"}, {"OBSTRN04", "OBSTRN06"},
      {"RESARE02", "RESARE03"}, {"WRECKS02", "WRECKS04"}};
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

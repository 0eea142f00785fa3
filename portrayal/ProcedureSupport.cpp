#include "ProcedureSupport.h"

#include <cstdlib>

#include "ColourToken.h"

Instruction symbolInstruction(std::string name, std::string rotation) {
  Symbol s;
  s.name = std::move(name);
  s.rotation = std::move(rotation);
  return s;
}

LineStyle procedureLineStyle(LineDash dash, int width, std::string_view colourToken) {
  LineStyle l;
  l.dash = dash;
  l.width = width;
  l.colour = procedureColourIndex(colourToken);
  return l;
}

Instruction lineInstruction(LineDash dash, int width, std::string_view colourToken) {
  return procedureLineStyle(dash, width, colourToken);
}

Instruction complexLineInstruction(std::string name) { return ComplexLine{std::move(name)}; }

Instruction fillInstruction(std::string_view colourToken) {
  AreaColour fill;
  fill.colour = procedureColourIndex(colourToken);
  return fill;
}

Instruction patternInstruction(std::string name) { return AreaPattern{std::move(name)}; }

std::vector<std::string> splitList(const std::string& text) {
  std::vector<std::string> list;
  if (text.empty()) return list;
  size_t start = 0;
  for (;;) {
    const size_t comma = text.find(',', start);
    if (comma == std::string::npos) {
      list.push_back(text.substr(start));
      return list;
    }
    list.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
}

bool isOneOf(std::string_view text, std::initializer_list<std::string_view> set) {
  for (std::string_view member : set)
    if (text == member) return true;
  return false;
}

bool anyOf(const std::vector<std::string>& list, std::initializer_list<std::string_view> set) {
  for (const std::string& element : list)
    if (isOneOf(element, set)) return true;
  return false;
}

bool lowAccuracyPosition(std::string_view quapos) {
  return !quapos.empty() && !isOneOf(quapos, {"1", "10", "11"});
}

float attributeFloat(const ChartFeature& feature, std::string_view acronym) {
  return static_cast<float>(std::atof(feature.findAttribute(acronym).c_str()));
}

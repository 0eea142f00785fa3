#include "VectorCommandParser.h"

#include <string>

#include "ColourToken.h"
#include "LibraryLine.h"

namespace {
VectorCommand make(int opcode, int colour, int first, int second) {
  VectorCommand c;
  c.opcode = opcode;
  c.colour = colour;
  c.first = first;
  c.second = second;
  return c;
}

void parsePenDown(std::string_view arguments, std::vector<VectorCommand>& out) {
  bool haveX = false;
  int x = 0;
  for (std::size_t start = 0; start <= arguments.size();) {
    std::size_t comma = arguments.find(',', start);
    if (comma == std::string_view::npos) comma = arguments.size();
    const int value = scaleSymbolUnits(readDecimal(arguments.substr(start, comma - start)));
    if (haveX) out.push_back(make(kPD, 0, x, value));
    else x = value;
    haveX = !haveX;  // an odd last number is dropped
    start = comma + 1;
  }
}
}  // namespace

void parseVectorCommand(std::string_view command, const ColourReferences& colourReferences,
                        std::vector<VectorCommand>& out) {
  const std::string_view code = columns(command, 0, 2);
  const std::string_view arguments = columns(command, 2);
  if (code == "PD") {
    if (arguments.empty()) out.push_back(make(kPD, 0, 0, 0));
    else parsePenDown(arguments, out);
    return;
  }
  if (arguments.empty()) return;  // every other command needs an argument
  if (code == "SP") {
    const auto it = colourReferences.find(std::string(arguments.substr(0, 1)));
    out.push_back(make(kSP, colourIndex(it == colourReferences.end() ? std::string_view() : it->second), 0, 0));
  } else if (code == "SW" || code == "PM" || code == "ST") {
    const int opcode = code == "SW" ? kSW : code == "PM" ? kPM : kST;
    out.push_back(make(opcode, 0, readDecimal(arguments.substr(0, 1)), 0));
  } else if (code == "PU") {
    const std::size_t comma = arguments.find(',');
    if (comma == std::string_view::npos) return;  // no y: malformed, skipped
    out.push_back(make(kPU, 0, scaleSymbolUnits(readDecimal(arguments.substr(0, comma))),
                       scaleSymbolUnits(readDecimal(arguments.substr(comma + 1)))));
  } else if (code == "CI") {
    out.push_back(make(kCI, 0, scaleSymbolUnits(readDecimal(arguments)), 0));
  }
}

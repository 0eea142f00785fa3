#include "InstructionParser.h"

#include <string>

#include "ColourToken.h"
#include "LibraryLine.h"

namespace {
using std::string_view;

std::string text(string_view view) { return std::string(view); }

// The number in the characters from `from` up to the first "," found at or
// after that column; 0 when there is no such comma.
bool numberBeforeComma(string_view command, std::size_t from, int& value) {
  if (from > command.size()) return false;
  const std::size_t comma = command.find(',', from);
  if (comma == string_view::npos) return false;
  value = readDecimal(command.substr(from, comma - from));
  return true;
}

// Each parser returns false when the command is too short for its columns.
bool parseLineStyle(string_view c, Instruction& in) {
  if (c.size() < 11) return false;
  const string_view word = columns(c, 3, 4);
  in.width = readDecimal(columns(c, 8, 1));
  in.colour = colourIndex(columns(c, 10, 5));
  in.style = word == "DASH" ? 2 : word == "SOLD" ? 1 : word == "DOTT" ? 3 : 0;
  return true;
}

bool parseNamed(string_view c, Instruction& in) {
  if (c.size() < 4) return false;
  in.name = text(columns(c, 3, 8));
  return true;
}

bool parseAreaColour(string_view c, Instruction& in) {
  if (c.size() < 4) return false;
  in.colour = colourIndex(columns(c, 3, 5));
  if (c.size() > 9) in.transparency = readDecimal(columns(c, 9, 1));
  return true;
}

bool parseSymbol(string_view c, Instruction& in) {
  if (!parseNamed(c, in)) return false;
  if (c.size() >= 15) in.text2 = text(c.substr(12, c.size() - 13));  // rotation, without ")"
  return true;
}

// The comma-separated parts of a command's body, between "XX(" and ")".
std::vector<string_view> bodyParts(string_view c) {
  std::vector<string_view> parts;
  if (c.size() < 5) return parts;
  const string_view body = c.substr(3, c.size() - (c.back() == ')' ? 4 : 3));
  for (std::size_t start = 0;;) {
    const std::size_t comma = body.find(',', start);
    parts.push_back(body.substr(start, comma == string_view::npos ? string_view::npos : comma - start));
    if (comma == string_view::npos) break;
    start = comma + 1;
  }
  return parts;
}

// The colour token and text group that end a text command, at parts
// `colour` and `colour + 1`, when it has them.
void textColourAndGroup(const std::vector<string_view>& parts, std::size_t colour, Instruction& in) {
  if (parts.size() > colour) {
    const int index = colourIndex(parts[colour]);
    in.textColour = index == 0 && parts[colour] != "NODTA" ? -1 : index;  // an unknown token names none
  }
  if (parts.size() > colour + 1) in.textGroup = readDecimal(parts[colour + 1]);
}

// TX(ACRONM,h,v,s,'ccccc',x,y,COLOUR,group): fixed columns up to the
// offsets, then the colour token and text group.
bool parseText(string_view c, Instruction& in) {
  if (c.size() < 15) return false;
  in.text2 = text(columns(c, 3, 6));
  in.colour = readDecimal(columns(c, 10, 1));
  in.width = readDecimal(columns(c, 12, 1));
  in.style = readDecimal(columns(c, 14, 1));
  numberBeforeComma(c, 24, in.transparency);
  numberBeforeComma(c, 26, in.yOffset);
  textColourAndGroup(bodyParts(c), 7, in);
  return true;
}

// TE('format','ACRONM',h,v,s,'ccccc',x,y,COLOUR,group): comma-separated
// parts.
bool parseFormattedText(string_view c, Instruction& in) {
  if (c.size() < 5) return false;
  // The body as it always was taken: without the last two characters.
  const string_view body = c.substr(3, c.size() - 5);
  std::vector<string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t comma = body.find(',', start);
    parts.push_back(body.substr(start, comma == string_view::npos ? string_view::npos : comma - start));
    if (comma == string_view::npos) break;
    start = comma + 1;
  }
  if (parts.size() < 6) return true;  // nothing read
  if (parts.size() < 8) return false;  // no y offset part
  in.text2 = text(columns(parts[1], 1, 6));
  in.name = parts[0].size() >= 2 ? text(parts[0].substr(1, parts[0].size() - 2)) : std::string();
  in.colour = readDecimal(parts[2]);
  in.width = readDecimal(parts[3]);
  in.style = readDecimal(parts[4]);
  in.transparency = readDecimal(parts[6]);
  in.yOffset = readDecimal(parts[7]);
  textColourAndGroup(bodyParts(c), 8, in);
  return true;
}

struct CommandCode {
  string_view code;
  InstructionKind kind;
  bool (*parse)(string_view, Instruction&);
};

constexpr CommandCode kCodes[] = {
    {"LS", kLS, parseLineStyle}, {"LC", kLC, parseNamed},   {"AC", kAC, parseAreaColour},
    {"AP", kAP, parseNamed},     {"SY", kSY, parseSymbol},  {"TX", kTX, parseText},
    {"TE", kTE, parseFormattedText}, {"CS", kCS, parseNamed},
};

Instruction parseCommand(string_view command) {
  const string_view code = columns(command, 0, 2);
  for (const CommandCode& c : kCodes) {
    if (c.code != code) continue;
    Instruction in;
    in.kind = c.kind;
    if (!c.parse(command, in)) return Instruction{};  // malformed: kind 0
    return in;
  }
  return Instruction{};
}
}  // namespace

std::vector<Instruction> parseInstructions(std::string_view text) {
  std::vector<Instruction> result;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t semicolon = text.find(';', start);
    const std::size_t end = semicolon == string_view::npos ? text.size() : semicolon;
    result.push_back(parseCommand(text.substr(start, end - start)));
    if (semicolon == string_view::npos) break;
    start = semicolon + 1;
    if (start == text.size()) break;  // a final ";" adds no command
  }
  return result;
}

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
bool parseLineStyle(string_view c, Instruction& out) {
  if (c.size() < 11) return false;
  const string_view word = columns(c, 3, 4);
  LineStyle in;
  in.width = readDecimal(columns(c, 8, 1));
  in.colour = colourIndex(columns(c, 10, 5));
  in.dash = word == "DASH"   ? LineDash::Dashed
            : word == "SOLD" ? LineDash::Solid
            : word == "DOTT" ? LineDash::Dotted
                             : LineDash::Unknown;
  out = in;
  return true;
}

// LC, AP and CS: a name of up to eight characters.
template <typename Named>
bool parseNamed(string_view c, Instruction& out) {
  if (c.size() < 4) return false;
  Named in;
  in.name = text(columns(c, 3, 8));
  out = std::move(in);
  return true;
}

bool parseAreaColour(string_view c, Instruction& out) {
  if (c.size() < 4) return false;
  AreaColour in;
  in.colour = colourIndex(columns(c, 3, 5));
  if (c.size() > 9) in.transparency = readDecimal(columns(c, 9, 1));
  out = in;
  return true;
}

bool parseSymbol(string_view c, Instruction& out) {
  if (c.size() < 4) return false;
  Symbol in;
  in.name = text(columns(c, 3, 8));
  if (c.size() >= 15) in.rotationAttribute = text(c.substr(12, c.size() - 13));  // without ")"
  out = std::move(in);
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
void textColourAndGroup(const std::vector<string_view>& parts, std::size_t colour, Text& in) {
  if (parts.size() > colour) {
    const int index = colourIndex(parts[colour]);
    in.colour = index == 0 && parts[colour] != "NODTA" ? -1 : index;  // an unknown token names none
  }
  if (parts.size() > colour + 1) in.group = readDecimal(parts[colour + 1]);
}

// TX(ACRONM,h,v,s,'ccccc',x,y,COLOUR,group): fixed columns up to the
// offsets, then the colour token and text group.
bool parseText(string_view c, Instruction& out) {
  if (c.size() < 15) return false;
  PlainText in;
  in.attribute = text(columns(c, 3, 6));
  in.horizontal = readDecimal(columns(c, 10, 1));
  in.vertical = readDecimal(columns(c, 12, 1));
  in.spacing = readDecimal(columns(c, 14, 1));
  // A command that ends before its x offset is placed one character width
  // to the left, as it always has been.
  in.xOffset = -1;
  numberBeforeComma(c, 24, in.xOffset);
  numberBeforeComma(c, 26, in.yOffset);
  textColourAndGroup(bodyParts(c), 7, in);
  out = std::move(in);
  return true;
}

// TE('format','ACRONM',h,v,s,'ccccc',x,y,COLOUR,group): comma-separated
// parts.
bool parseFormattedText(string_view c, Instruction& out) {
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
  FormattedText in;
  in.xOffset = -1;  // as a TX without one
  if (parts.size() < 6) {  // nothing read
    out = std::move(in);
    return true;
  }
  if (parts.size() < 8) return false;  // no y offset part
  in.attribute = text(columns(parts[1], 1, 6));
  in.format = parts[0].size() >= 2 ? text(parts[0].substr(1, parts[0].size() - 2)) : std::string();
  in.horizontal = readDecimal(parts[2]);
  in.vertical = readDecimal(parts[3]);
  in.spacing = readDecimal(parts[4]);
  in.xOffset = readDecimal(parts[6]);
  in.yOffset = readDecimal(parts[7]);
  textColourAndGroup(bodyParts(c), 8, in);
  out = std::move(in);
  return true;
}

struct CommandCode {
  string_view code;
  bool (*parse)(string_view, Instruction&);
};

constexpr CommandCode kCodes[] = {
    {"LS", parseLineStyle},     {"LC", parseNamed<ComplexLine>}, {"AC", parseAreaColour},
    {"AP", parseNamed<AreaPattern>}, {"SY", parseSymbol},        {"TX", parseText},
    {"TE", parseFormattedText}, {"CS", parseNamed<ProcedureCall>},
};

Instruction parseCommand(string_view command) {
  const string_view code = columns(command, 0, 2);
  for (const CommandCode& c : kCodes) {
    if (c.code != code) continue;
    Instruction in;
    if (!c.parse(command, in)) return Instruction{};  // malformed: no instruction
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

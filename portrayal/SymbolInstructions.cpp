#include "SymbolInstructions.h"

#include "ColourToken.h"
#include "InstructionParser.h"
#include "LibraryLine.h"
#include "ProcedureSupport.h"

namespace {
using std::string_view;

string_view trimmed(string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n')) s.remove_suffix(1);
  return s;
}

// The pieces of `text` between separators that stand outside single quotes.
std::vector<string_view> splitOutsideQuotes(string_view text, char separator, std::size_t most) {
  std::vector<string_view> pieces;
  bool quoted = false;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size() && pieces.size() < most; ++i) {
    if (text[i] == '\'') quoted = !quoted;
    else if (text[i] == separator && !quoted) {
      pieces.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  if (start < text.size() && pieces.size() < most) pieces.push_back(text.substr(start));
  return pieces;
}

bool isNumber(string_view s) {
  if (s.empty()) return false;
  for (std::size_t i = 0; i < s.size(); ++i)
    if (!((s[i] >= '0' && s[i] <= '9') || s[i] == '.' || (i == 0 && s[i] == '-'))) return false;
  return true;
}

// SY(NAME) or SY(NAME,rotation): the rotation in degrees, or the value of
// the attribute it names.
bool symbol(const std::vector<string_view>& args, const ChartFeature& feature, Instruction& out) {
  const string_view name = args.empty() ? string_view() : trimmed(args[0]);
  if (name.empty() || name.size() > 8) return false;
  std::string rotation;
  if (args.size() > 1) {
    const string_view r = trimmed(args[1]);
    rotation = isNumber(r) ? std::string(r) : feature.findAttribute(r);
  }
  out = symbolInstruction(std::string(name), std::move(rotation));
  return true;
}

// TX('text',h,v,s,'font',x,y,COLOUR,group): a text of its own, prepared.
bool quotedText(const std::vector<string_view>& args, Instruction& out) {
  const string_view quoted = trimmed(args[0]);
  if (quoted.size() < 2 || quoted.back() != '\'' || args.size() < 4) return false;
  PlainText text;
  text.text = std::string(quoted.substr(1, quoted.size() - 2));
  text.horizontal = readDecimal(args[1]);
  text.vertical = readDecimal(args[2]);
  text.spacing = readDecimal(args[3]);
  text.xOffset = args.size() > 5 ? readDecimal(args[5]) : -1;  // as a library TX without one
  if (args.size() > 6) text.yOffset = readDecimal(args[6]);
  if (args.size() > 7) {
    const string_view token = trimmed(args[7]);
    const int index = colourIndex(token);
    text.colour = index == 0 && token != "NODTA" ? -1 : index;
  }
  if (args.size() > 8) text.group = readDecimal(args[8]);
  text.prepared = true;
  const bool shown = !text.text.empty();
  out = std::move(text);
  return shown;
}

bool command(string_view c, const ChartFeature& feature, Instruction& out) {
  c = trimmed(c);
  if (c.size() < 4 || c.size() > kLongestSymbolInstruction || c[2] != '(' || c.back() != ')') return false;
  const string_view code = c.substr(0, 2);
  const std::vector<string_view> args = splitOutsideQuotes(c.substr(3, c.size() - 4), ',', 16);
  if (code == "SY") return symbol(args, feature, out);
  if (code == "TX" && !args.empty() && trimmed(args[0]).substr(0, 1) == "'") return quotedText(args, out);
  if (code != "LS" && code != "LC" && code != "AC" && code != "AP" && code != "TE" && code != "TX") return false;
  const std::vector<Instruction> parsed = parseInstructions(c);
  if (parsed.size() != 1 || parsed.front().kind() == InstructionKind::None) return false;
  out = parsed.front();
  return true;
}

void newObject(const ChartFeature& feature, std::vector<Instruction>& out) {
  switch (feature.kind) {
    case FeatureKind::Line: out.push_back(complexLineInstruction("NEWOBJ01")); break;
    case FeatureKind::Area:
      out.push_back(symbolInstruction("NEWOBJ01"));
      out.push_back(lineInstruction(LineDash::Dashed, 2, "CHMGD"));
      break;
    default: out.push_back(symbolInstruction("NEWOBJ01")); break;
  }
}
}  // namespace

std::vector<Instruction> symbolInstructions(std::string_view text, const ChartFeature& feature) {
  std::vector<Instruction> out;
  for (const string_view c : splitOutsideQuotes(text, ';', kMostSymbolInstructions)) {
    Instruction instruction;
    if (command(c, feature, instruction)) out.push_back(std::move(instruction));
  }
  return out;
}

void symbolInstructionProcedure(const ChartFeature& feature, ProcedureResult& out) {
  out.instructions = symbolInstructions(feature.findAttribute("SYMINS"), feature);
  if (out.instructions.empty()) newObject(feature, out.instructions);
}

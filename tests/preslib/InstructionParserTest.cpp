// Instruction strings of look-up records.
#include <gtest/gtest.h>

#include <sstream>

#include "ColourToken.h"
#include "InstructionParser.h"

namespace {
// Every member of an instruction, colours as their indices: "LS 9,2,DASH",
// "AC 31/-1", "SY LIGHTS11 ORIENT", "TX OBJNAM 1,2,2,0,0", "TE '%s' OBJNAM
// 3,1,2,1,0", "LC NAME", "AP NAME", "CS NAME", "none". A text that is
// prepared or has a text or national text says so.
std::string members(const Instruction& in) {
  std::ostringstream s;
  const auto text = [&s](const Text& t) {
    s << ' ' << t.horizontal << ',' << t.vertical << ',' << t.spacing << ',' << t.xOffset << ',' << t.yOffset;
    if (t.prepared || !t.text.empty() || !t.nationalText.empty()) s << " prepared";
  };
  switch (in.kind()) {
    case InstructionKind::LineStyle: {
      const LineStyle& l = in.as<LineStyle>();
      const char* dash[] = {"?", "SOLD", "DASH", "DOTT"};
      s << "LS " << l.colour << ',' << l.width << ',' << dash[static_cast<int>(l.dash)];
      break;
    }
    case InstructionKind::AreaColour:
      s << "AC " << in.as<AreaColour>().colour << '/' << in.as<AreaColour>().transparency;
      break;
    case InstructionKind::Symbol: {
      const Symbol& y = in.as<Symbol>();
      s << "SY " << y.name << (y.rotationAttribute.empty() ? "" : " ") << y.rotationAttribute << y.rotation;
      break;
    }
    case InstructionKind::ComplexLine: s << "LC " << in.as<ComplexLine>().name; break;
    case InstructionKind::AreaPattern: s << "AP " << in.as<AreaPattern>().name; break;
    case InstructionKind::ProcedureCall: s << "CS " << in.as<ProcedureCall>().name; break;
    case InstructionKind::PlainText:
      s << "TX " << in.as<PlainText>().attribute;
      text(in.as<PlainText>());
      break;
    case InstructionKind::FormattedText:
      s << "TE '" << in.as<FormattedText>().format << "' " << in.as<FormattedText>().attribute;
      text(in.as<FormattedText>());
      break;
    case InstructionKind::None: s << "none"; break;
    default: s << "kind " << static_cast<int>(in.kind()); break;
  }
  return s.str();
}
}  // namespace

TEST(ParseInstructions, OneCommandEach) {
  const std::pair<const char*, const char*> cases[] = {
      {"LS(DASH,2,CHMGF)", "LS 9,2,DASH"},
      {"LS(SOLD,1,CSTLN)", "LS 23,1,SOLD"},
      {"LS(DOTT,1,CHBLK)", "LS 2,1,DOTT"},
      {"LS(WAVY,1,CHBLK)", "LS 2,1,?"},
      {"AC(DEPVS)", "AC 31/-1"},
      {"AC(DEPVS,3)", "AC 31/3"},
      {"AC(FOOBA)", "AC 0/-1"},
      {"SY(LIGHTS11)", "SY LIGHTS11"},
      {"SY(LIGHTS11,ORIENT)", "SY LIGHTS11 ORIENT"},
      {"SY(AB)", "SY AB)"},
      {"LC(ARCSLN01)", "LC ARCSLN01"},
      {"AP(DIAMOND1)", "AP DIAMOND1"},
      {"CS(DEPARE02)", "CS DEPARE02"},
      {"TX(OBJNAM,1,2,2,'15110',0,0,CHBLK,26)", "TX OBJNAM 1,2,2,0,0"},
      {"TX(OBJNAM,3,1,2,'15110',2,-2,CHBLK,26)", "TX OBJNAM 3,1,2,2,-2"},
      // A two-character x offset: the y search finds the comma right after it.
      {"TX(OBJNAM,1,2,2,'15110',-1,3,CHBLK,26)", "TX OBJNAM 1,2,2,-1,0"},
      {"TE('%03.0lf','VALSOU',2,1,2,'15110',1,-1,CHBLK,11)", "TE '%03.0lf' VALSOU 2,1,2,1,-1"},
      {"TE('%s','OBJNAM',3,1,2,'15110',1,0,CHBLK,29)", "TE '%s' OBJNAM 3,1,2,1,0"},
      {"TE('a','B')", "TE ''  0,0,0,-1,0"},  // < 6 parts: nothing read
      {"XX(ANYTHING)", "none"},
      {"", ""},
      // Too short for the columns the code reads: none.
      {"LS", "none"},
      {"LS(SOLD,1)", "none"},
      {"SY(", "none"},
      {"TX(OBJNAM,1,2", "none"},
      {"TE('%s','OBJNAM',3,1,2,'15110',1)", "none"},  // 7 parts
  };
  for (const auto& [command, expected] : cases) {
    const std::vector<Instruction> list = parseInstructions(command);
    if (*command == '\0') {
      EXPECT_TRUE(list.empty());  // an empty text has no command
      continue;
    }
    ASSERT_EQ(list.size(), 1u) << command;
    EXPECT_EQ(members(list[0]), expected) << command;
  }
}

// The colour and text group that end a text command.
TEST(ParseInstructions, TextColourAndGroup) {
  const struct {
    const char* command;
    const char* colour;  // token, or null for none
    int group;
  } cases[] = {
      {"TX(OBJNAM,1,2,2,'15110',0,0,CHBLK,26)", "CHBLK", 26},
      {"TE('%s','OBJNAM',3,1,2,'15110',1,0,CHMGD,29)", "CHMGD", 29},
      {"TX(OBJNAM,1,2,2,'15110',0,0,NOSUCH,21)", nullptr, 21},  // an unknown token names no colour
      {"TX(OBJNAM,1,2,2,'15110',0,0)", nullptr, 0},
  };
  for (const auto& c : cases) {
    const std::vector<Instruction> list = parseInstructions(c.command);
    ASSERT_EQ(list.size(), 1u) << c.command;
    ASSERT_TRUE(list[0].text()) << c.command;
    EXPECT_EQ(list[0].text()->colour, c.colour ? colourIndex(c.colour) : -1) << c.command;
    EXPECT_EQ(list[0].text()->group, c.group) << c.command;
  }
}

TEST(ParseInstructions, SplittingAtSemicolons) {
  struct Case {
    const char* text;
    std::vector<InstructionKind> kinds;
  } cases[] = {
      {"SY(BOYCAN01);LS(SOLD,1,CSTLN);CS(LIGHTS05)",
       {InstructionKind::Symbol, InstructionKind::LineStyle, InstructionKind::ProcedureCall}},
      {"AC(DEPVS);", {InstructionKind::AreaColour}},  // a final ";" adds no command
      // An empty command between two is one.
      {"AC(DEPVS);;AP(DIAMOND1)", {InstructionKind::AreaColour, InstructionKind::None, InstructionKind::AreaPattern}},
      {";", {InstructionKind::None}},
      {"", {}},
  };
  for (const Case& c : cases) {
    std::vector<InstructionKind> kinds;
    for (const Instruction& in : parseInstructions(c.text)) kinds.push_back(in.kind());
    EXPECT_EQ(kinds, c.kinds) << c.text;
  }
}

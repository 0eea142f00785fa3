// Instruction strings of look-up records.
#include <gtest/gtest.h>

#include "InstructionParser.h"

namespace {
struct Expected {
  const char* command;
  int kind, colour, width, style, transparency, yOffset;
  const char* name;
  const char* text2;
};

void expectInstruction(const Instruction& in, const Expected& e) {
  SCOPED_TRACE(e.command);
  EXPECT_EQ(in.kind, e.kind);
  EXPECT_EQ(in.colour, e.colour);
  EXPECT_EQ(in.width, e.width);
  EXPECT_EQ(in.style, e.style);
  EXPECT_EQ(in.transparency, e.transparency);
  EXPECT_EQ(in.yOffset, e.yOffset);
  EXPECT_EQ(in.name, e.name);
  EXPECT_EQ(in.text2, e.text2);
  EXPECT_EQ(in.text3, "");
  EXPECT_FALSE(in.textPrepared);
}
}  // namespace

TEST(ParseInstructions, OneCommandEach) {
  const Expected cases[] = {
      // command                                            kind col w  st  tr  y   name        text2
      {"LS(DASH,2,CHMGF)",                                   1,  9, 2,  2, -1,  0, "",          ""},
      {"LS(SOLD,1,CSTLN)",                                   1, 23, 1,  1, -1,  0, "",          ""},
      {"LS(DOTT,1,CHBLK)",                                   1,  2, 1,  3, -1,  0, "",          ""},
      {"AC(DEPVS)",                                          3, 31, 0,  0, -1,  0, "",          ""},
      {"AC(DEPVS,3)",                                        3, 31, 0,  0,  3,  0, "",          ""},
      {"AC(FOOBA)",                                          3,  0, 0,  0, -1,  0, "",          ""},
      {"SY(LIGHTS11)",                                       5,  0, 0,  0, -1,  0, "LIGHTS11",  ""},
      {"SY(LIGHTS11,ORIENT)",                                5,  0, 0,  0, -1,  0, "LIGHTS11",  "ORIENT"},
      {"SY(AB)",                                             5,  0, 0,  0, -1,  0, "AB)",       ""},
      {"LC(ARCSLN01)",                                       2,  0, 0,  0, -1,  0, "ARCSLN01",  ""},
      {"AP(DIAMOND1)",                                       4,  0, 0,  0, -1,  0, "DIAMOND1",  ""},
      {"CS(DEPARE02)",                                       8,  0, 0,  0, -1,  0, "DEPARE02",  ""},
      {"TX(OBJNAM,1,2,2,'15110',0,0,CHBLK,26)",              6,  1, 2,  2,  0,  0, "",          "OBJNAM"},
      {"TX(OBJNAM,3,1,2,'15110',2,-2,CHBLK,26)",             6,  3, 1,  2,  2, -2, "",          "OBJNAM"},
      // A two-character x offset: the y search finds the comma right after it.
      {"TX(OBJNAM,1,2,2,'15110',-1,3,CHBLK,26)",             6,  1, 2,  2, -1,  0, "",          "OBJNAM"},
      {"TE('%03.0lf','VALSOU',2,1,2,'15110',1,-1,CHBLK,11)", 7,  2, 1,  2,  1, -1, "%03.0lf",   "VALSOU"},
      {"TE('%s','OBJNAM',3,1,2,'15110',1,0,CHBLK,29)",       7,  3, 1,  2,  1,  0, "%s",        "OBJNAM"},
      {"TE('a','B')",                                        7,  0, 0,  0, -1,  0, "",          ""},  // < 6 parts: nothing read
      {"XX(ANYTHING)",                                       0,  0, 0,  0, -1,  0, "",          ""},
      {"",                                                   0,  0, 0,  0, -1,  0, "",          ""},
      // Too short for the columns the code reads: kind 0.
      {"LS",                                                 0,  0, 0,  0, -1,  0, "",          ""},
      {"LS(SOLD,1)",                                         0,  0, 0,  0, -1,  0, "",          ""},
      {"SY(",                                                0,  0, 0,  0, -1,  0, "",          ""},
      {"TX(OBJNAM,1,2",                                      0,  0, 0,  0, -1,  0, "",          ""},
      {"TE('%s','OBJNAM',3,1,2,'15110',1)",                  0,  0, 0,  0, -1,  0, "",          ""},  // 7 parts
  };
  for (const Expected& e : cases) {
    const std::vector<Instruction> list = parseInstructions(e.command);
    if (*e.command == '\0') {
      EXPECT_TRUE(list.empty());  // an empty text has no command
      continue;
    }
    ASSERT_EQ(list.size(), 1u) << e.command;
    expectInstruction(list[0], e);
  }
}

TEST(ParseInstructions, SplittingAtSemicolons) {
  struct Case {
    const char* text;
    std::vector<int> kinds;
  } cases[] = {
      {"SY(BOYCAN01);LS(SOLD,1,CSTLN);CS(LIGHTS05)", {kSY, kLS, kCS}},
      {"AC(DEPVS);", {kAC}},                 // a final ";" adds no command
      {"AC(DEPVS);;AP(DIAMOND1)", {kAC, kNone, kAP}},  // an empty command between two is one
      {";", {kNone}},
      {"", {}},
  };
  for (const Case& c : cases) {
    std::vector<int> kinds;
    for (const Instruction& in : parseInstructions(c.text)) kinds.push_back(in.kind);
    EXPECT_EQ(kinds, c.kinds) << c.text;
  }
}

// SYMINS02: what a feature's SYMINS attribute draws.
#include "ConditionalProcedures.h"
#include "ProcedureFixtures.h"
#include "SymbolInstructions.h"

using namespace fixtures;

namespace {
constexpr int kNewObject = 163;
using Names = std::vector<std::string>;

PointFeature point(Attributes attributes) {
  PointFeature f;
  f.objectClass = kNewObject;
  f.attributes = std::move(attributes);
  return f;
}
}  // namespace

class SymbolInstructionsTest : public ProcedureTest {};

TEST_F(SymbolInstructionsTest, EachCommandAsALookupWouldDrawIt) {
  const PointFeature f = point({{"OBJNAM", "WP1"}, {"ORIENT", "135"}});
  struct Case {
    const char* symins;
    Names drawn;
  } cases[] = {
      {"SY(BRTHNO01)", {"SY BRTHNO01"}},
      {"SY(BRTHNO01);TE('%s','OBJNAM',2,1,2,'15110',4,-1,CHMGD,29)",
       {"SY BRTHNO01", "TE 'OBJNAM' 2,1,2,4,-1 format %s"}},  // prepared with the result
      // A rotation in degrees stands; an acronym gives the attribute's value.
      {"SY(BCNCAR01,45)", {"SY BCNCAR01 @45"}},
      {"SY(BCNCAR01,ORIENT)", {"SY BCNCAR01 @135"}},
      {"SY(QUES)", {"SY QUES"}},  // a name shorter than eight characters
      // A text of its own, with separators inside its quotes, after a blank.
      {"SY(BRTHNO01); TX('Unknown object; OBJL 999, a text',3,2,2,'14109',0,0,CHBLK,11)",
       {"SY BRTHNO01", "TX 'Unknown object; OBJL 999, a text' 3,2,2,0,0 prepared"}},
      {"TX(OBJNAM,1,2,2,'15110',0,0,CHBLK,26)", {"TX 'OBJNAM' 1,2,2,0,0"}},
      {"LS(SOLD,1,CHGRD);LC(CHCRID01);AC(DEPVS);AP(NODATA03)",
       {"LS SOLD,1,CHGRD", "LC CHCRID01", "AC DEPVS", "AP NODATA03"}},
      // Procedure calls and what is not a command are left out.
      {"CS(SYMINS02);SY(BRTHNO01);XX(A);SY(;SY(TOOLONGNAME);LS(;;", {"SY BRTHNO01"}},
      {"TX('',3,2,2,'14109',0,0,CHBLK,11);TX('open,3,2,2)", {}},
      {"", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(describe(symbolInstructions(c.symins, f)), c.drawn) << c.symins;

  // The quoted text keeps its colour and text group.
  const std::vector<Instruction> text = symbolInstructions("TX('x',3,2,2,'14109',0,0,CHMGD,29)", f);
  ASSERT_EQ(text.size(), 1u);
  EXPECT_EQ(colourToken(text[0].text()->colour), "CHMGD");
  EXPECT_EQ(text[0].text()->group, 29);
}

// A hostile value costs what its first commands cost.
TEST_F(SymbolInstructionsTest, AHugeValueIsReadOnlyAsFarAsItsFirstCommands) {
  std::string symins;
  for (int i = 0; i < 100000; ++i) symins += "SY(BRTHNO01);";
  EXPECT_EQ(symbolInstructions(symins, point({})).size(), static_cast<std::size_t>(kMostSymbolInstructions));
  const std::string commas(10000000, ',');
  for (const std::string& c : {"TE('%s','OBJNAM'" + commas + ")", "TX(OBJNAM" + commas + ")", "TX('a'" + commas + ")"})
    EXPECT_TRUE(symbolInstructions(c + ";SY(BRTHNO01)", point({})).size() == 1u);
  const std::string longest = "TX('" + std::string(kLongestSymbolInstruction - 33, 'x') + "',3,2,2,'14109',0,0,CHBLK,11)";
  EXPECT_EQ(longest.size(), kLongestSymbolInstruction);
  EXPECT_EQ(symbolInstructions(longest, point({})).size(), 1u);
  EXPECT_TRUE(symbolInstructions("TX('x" + longest.substr(4), point({})).empty());
}

// Without SYMINS, or with nothing in it to draw, S-52's new object.
TEST_F(SymbolInstructionsTest, WithoutInstructionsANewObjectIsDrawn) {
  S57Cell cell;
  const ConditionalProcedure* procedure = findProcedure("SYMINS02", FeatureKind::Point);
  ASSERT_NE(procedure, nullptr);
  ASSERT_NE(findProcedure("SYMINS02", FeatureKind::Line), nullptr);
  ASSERT_NE(findProcedure("SYMINS02", FeatureKind::Area), nullptr);

  ProcedureResult out;
  procedure->run(point({{"SYMINS", "SY(BRTHNO01)"}}), cell, settings(), out);
  EXPECT_EQ(describe(out.instructions), Names{"SY BRTHNO01"});

  for (const char* symins : {"", "CS(DEPARE02)"}) {
    PointFeature p = point({{"SYMINS", symins}});
    procedure->run(p, cell, settings(), out);
    EXPECT_EQ(describe(out.instructions), Names{"SY NEWOBJ01"}) << symins;

    LineFeature l;
    l.objectClass = kNewObject;
    l.attributes = p.attributes;
    procedure->run(l, cell, settings(), out);
    EXPECT_EQ(describe(out.instructions), Names{"LC NEWOBJ01"}) << symins;

    AreaFeature a;
    a.objectClass = kNewObject;
    a.attributes = p.attributes;
    procedure->run(a, cell, settings(), out);
    EXPECT_EQ(describe(out.instructions), (Names{"SY NEWOBJ01", "LS DASH,2,CHMGD"})) << symins;
  }
}

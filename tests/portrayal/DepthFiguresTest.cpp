// Sounding figures and contour labels.
#include <cmath>
#include <limits>

#include "ContourLabel.h"
#include "ProcedureFixtures.h"
#include "SoundingSymbols.h"

using namespace fixtures;

namespace {
using Names = std::vector<std::string>;
}  // namespace

class SoundingSymbolsTest : public ProcedureTest {
protected:
  std::vector<std::string> sounding(float depth, Attributes attributes = {}) {
    PointFeature f;
    f.attributes = std::move(attributes);
    std::vector<Instruction> out;
    soundingSymbols(f, depth, settings(), out);
    return symbolNames(out);
  }
};

TEST_F(SoundingSymbolsTest, DigitsForEachRangeOfDepth) {
  struct Case {
    float depth;
    Names expected;
  } cases[] = {
      {5.3f, {"SOUNDS15", "SOUNDS53"}},
      {5.0f, {"SOUNDS15", "SOUNDS50"}},  // the tenths are always drawn below 10 m
      {0.7f, {"SOUNDS10", "SOUNDS57"}},
      {10.0f, {"SOUNDS11", "SOUNDS00"}},  // at the safety contour: the shallow family
      {12.5f, {"SOUNDG21", "SOUNDG12", "SOUNDG55"}},
      {30.5f, {"SOUNDG23", "SOUNDG10", "SOUNDG55"}},
      {45.7f, {"SOUNDG14", "SOUNDG05"}},  // the fraction is dropped from 31 m
      {31.0f, {"SOUNDG13", "SOUNDG01"}},
      {123.0f, {"SOUNDG21", "SOUNDG12", "SOUNDG03"}},
      {1234.0f, {"SOUNDG21", "SOUNDG12", "SOUNDG03", "SOUNDG44"}},
      {12345.0f, {"SOUNDG31", "SOUNDG22", "SOUNDG13", "SOUNDG04", "SOUNDG45"}},
      {-1.2f, {"SOUNDSA1", "SOUNDS11", "SOUNDS52"}},  // drying height
  };
  for (const Case& c : cases) EXPECT_EQ(sounding(c.depth), c.expected) << c.depth;
}

TEST_F(SoundingSymbolsTest, FamilyFollowsTheSafetyContour) {
  settings().safetyContour = 20;
  EXPECT_EQ(sounding(12.5f), (Names{"SOUNDS21", "SOUNDS12", "SOUNDS55"}));
  settings().safetyContour = 5;
  EXPECT_EQ(sounding(5.3f), (Names{"SOUNDG15", "SOUNDG53"}));
}

TEST_F(SoundingSymbolsTest, TechniqueAndQualityMarksComeFirst) {
  struct Case {
    Attributes attributes;
    Names marks;
  } cases[] = {
      {{{"TECSOU", "1,6"}}, {"SOUNDGB1"}},
      {{{"TECSOU", "4"}}, {"SOUNDGB1"}},
      {{{"TECSOU", "14"}}, {}},  // whole codes only
      // Doubtful: an unsure quality, or a reported but unsurveyed status.
      {{{"QUASOU", "4"}, {"STATUS", "1"}}, {"SOUNDGC2"}},
      {{{"QUASOU", "4"}}, {"SOUNDGC2"}},
      {{{"QUASOU", "3,9"}}, {"SOUNDGC2"}},
      {{{"QUASOU", "1"}}, {}},
      {{{"QUASOU", "6"}, {"STATUS", "18"}}, {"SOUNDGC2"}},
      {{{"STATUS", "1,18"}}, {"SOUNDGC2"}},
      {{{"STATUS", "1"}}, {}},
      {{{"QUASOU", "4"}, {"QUAPOS", "4"}}, {"SOUNDGC2"}},
      {{{"QUASOU", "4"}, {"STATUS", "1"}, {"QUAPOS", "4"}}, {"SOUNDGC2"}},  // once only
      {{{"QUAPOS", "10"}}, {}},
      {{{"QUAPOS", "1"}}, {}},
      {{{"TECSOU", "6"}, {"QUAPOS", "5"}}, {"SOUNDGB1", "SOUNDGC2"}},
  };
  for (const Case& c : cases) {
    Names expected = c.marks;
    expected.insert(expected.end(), {"SOUNDG21", "SOUNDG12", "SOUNDG55"});
    EXPECT_EQ(sounding(12.5f, c.attributes), expected);
  }
}

TEST_F(SoundingSymbolsTest, DepthThatIsNotANumberGetsNoDigits) {
  EXPECT_EQ(sounding(std::numeric_limits<float>::quiet_NaN()), Names{});
  EXPECT_EQ(sounding(-std::numeric_limits<float>::infinity()), Names{"SOUNDSA1"});
}

TEST_F(SoundingSymbolsTest, AppendsWithoutClearing) {
  PointFeature f;
  std::vector<Instruction> out(1);
  soundingSymbols(f, 5.3f, settings(), out);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0].kind(), InstructionKind::None);
}

class ContourLabelTest : public ProcedureTest {
protected:
  std::vector<std::string> label(float value) {
    LineFeature f;
    std::vector<Instruction> out;
    contourLabel(f, value, settings(), out);
    return symbolNames(out);
  }
};

TEST_F(ContourLabelTest, LabelsForEachRangeOfValue) {
  struct Case {
    float value;
    Names expected;
  } cases[] = {
      {5.0f, {"SAFCON05"}},
      {0.0f, {"SAFCON00"}},
      {5.5f, {"SAFCON05", "SAFCON65"}},
      {12.5f, {"SAFCON21", "SAFCON12", "SAFCON55"}},
      {30.5f, {"SAFCON23", "SAFCON10"}},  // no tenths from 30
      {20.0f, {"SAFCON22", "SAFCON10"}},
      {100.0f, {"SAFCON41", "SAFCON30", "SAFCON20"}},
      {200.0f, {"SAFCON42", "SAFCON30", "SAFCON20"}},
      {2500.0f, {"SAFCON42", "SAFCON35", "SAFCON20", "SAFCON10"}},
      {12345.0f, {"SAFCON41", "SAFCON32", "SAFCON23", "SAFCON14", "SAFCON75"}},
      {99999.0f, {"SAFCON49", "SAFCON39", "SAFCON29", "SAFCON19", "SAFCON79"}},
      {-2.0f, {}},
      {100000.0f, {}},
      // 9.96 rounds to 10.0 at one decimal: drawn as 10.0, not as "1" and ".".
      {9.96f, {"SAFCON21", "SAFCON10", "SAFCON50"}},
      {std::nanf(""), {}},
  };
  for (const Case& c : cases) EXPECT_EQ(label(c.value), c.expected) << c.value;
}

// A label is its digits only: no fill, which a contour's closed ring would
// spread over land and shallower water.
TEST_F(ContourLabelTest, LabelsNeverFill) {
  for (float value : {0.0f, 5.5f, 10.0f, 12.0f, 150.0f})
    for (const std::string& name : label(value)) EXPECT_EQ(name.rfind("SAFCON", 0), 0u) << value << " " << name;
}

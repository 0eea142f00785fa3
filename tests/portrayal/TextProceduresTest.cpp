#include <gtest/gtest.h>

#include "TextPreparation.h"
#include "TextProcedures.h"

namespace {
PointFeature featureWith(std::vector<FeatureAttribute> attributes) {
  PointFeature f;
  f.attributes = std::move(attributes);
  return f;
}

Instruction te(std::string format, std::string acronym) {
  Instruction i;
  i.kind = kTE;
  i.name = std::move(format);
  i.text2 = std::move(acronym);
  return i;
}
}  // namespace

TEST(TextProcedures, SeabedWords) {
  const std::pair<const char*, const char*> cases[] = {
      {"4", "sand"},       {"4,1", "sand,mud"}, {"5,4", "stones,sand"}, {"4,5", "sand stones"},
      {"4,99", "sand"},    {"99", "99"},        {"99,98", ""},          {"11,14,17,18", "lava,coral,shells,boulder"},
      {"", ""},            {"4,", "sand"},      {" 4", " 4"},
  };
  for (auto [value, words] : cases) {
    std::string text = value;
    seabedWords(text);
    EXPECT_EQ(text, words) << value;
  }
}

TEST(TextProcedures, FormatText) {
  struct Case {
    const char* format;
    const char* acronym;
    std::vector<FeatureAttribute> attributes;
    bool ok;
    const char* text2;
    const char* text3;
  } cases[] = {
      {"depth %4.1lf m", "DRVAL1", {{"DRVAL1", "12.25"}}, true, "depth 12.2 m", ""},
      {"%4.1lf", "VALSOU", {{"VALSOU", "3"}}, true, " 3.0", ""},
      {"clr %4.1lf", "VERCLR", {{"VERCLR", "abc"}}, true, "clr  0.0", ""},
      {"%03.0lf deg", "ORIENT", {{"ORIENT", "45"}}, true, "045 deg", ""},
      {"by %s", "OBJNAM", {{"OBJNAM", "Pier"}, {"NOBJNM", "\xE7\xA0\x81"}}, true, "by Pier", "by \xE7\xA0\x81"},
      {"%s", "OBJNAM", {{"OBJNAM", "Pier"}}, true, "Pier", ""},
      {"%d m", "VALSOU", {{"VALSOU", "15"}}, true, "15 m", ""},
      {"%s", "NATSUR", {{"NATSUR", "4,1"}}, true, "sand,mud", ""},
      {"%s", "OBJNAM", {}, false, "OBJNAM", ""},  // absent: unchanged, tried again later
      {"Ch %n", "OBJNAM", {{"OBJNAM", "7"}}, true, "Ch 7", ""},  // no C conversion reaches the value
      {"plain", "OBJNAM", {{"OBJNAM", "7"}}, true, "plain7", ""},
  };
  for (const Case& c : cases) {
    Instruction i = te(c.format, c.acronym);
    EXPECT_EQ(formatText(featureWith(c.attributes), i), c.ok) << c.format;
    EXPECT_EQ(i.text2, c.text2) << c.format;
    EXPECT_EQ(i.text3, c.text3) << c.format;
  }
}

TEST(TextProcedures, PrepareText) {
  Instruction tx;
  tx.kind = kTX;
  tx.text2 = "NATSUR";
  EXPECT_TRUE(prepareText(featureWith({{"NATSUR", "5,4"}, {"NOBJNM", "n"}}), tx));
  EXPECT_EQ(tx.text2, "stones,sand");
  EXPECT_EQ(tx.text3, "n");
  EXPECT_TRUE(tx.textPrepared);

  // A value starting with a multi-byte character shows the national name.
  Instruction chinese;
  chinese.kind = kTX;
  chinese.text2 = "OBJNAM";
  EXPECT_TRUE(prepareText(featureWith({{"OBJNAM", "\xE6\xB9\xBE"}}), chinese));
  EXPECT_EQ(chinese.text2, "");
  // Prepared once: later attribute changes are not seen.
  EXPECT_TRUE(prepareText(featureWith({{"OBJNAM", "Bay"}}), chinese));
  EXPECT_EQ(chinese.text2, "");

  Instruction format = te("%s", "OBJNAM");
  EXPECT_FALSE(prepareText(featureWith({}), format));
  EXPECT_FALSE(format.textPrepared);
  EXPECT_TRUE(prepareText(featureWith({{"OBJNAM", "Bay"}}), format));
  EXPECT_TRUE(format.textPrepared);
  EXPECT_EQ(format.text2, "Bay");
}

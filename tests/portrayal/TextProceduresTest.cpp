#include <gtest/gtest.h>

#include "TextPreparation.h"
#include "TextProcedures.h"

namespace {
PointFeature featureWith(std::vector<FeatureAttribute> attributes) {
  PointFeature f;
  f.attributes = std::move(attributes);
  return f;
}

FormattedText te(std::string format, std::string acronym) {
  FormattedText t;
  t.format = std::move(format);
  t.attribute = std::move(acronym);
  return t;
}

Instruction tx(std::string acronym) {
  PlainText t;
  t.attribute = std::move(acronym);
  return t;
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
    const char* text;
    const char* nationalText;
  } cases[] = {
      {"depth %4.1lf m", "DRVAL1", {{"DRVAL1", "12.25"}}, true, "depth 12.2 m", ""},
      {"%4.1lf", "VALSOU", {{"VALSOU", "3"}}, true, " 3.0", ""},
      {"clr %4.1lf", "VERCLR", {{"VERCLR", "abc"}}, true, "clr  0.0", ""},
      {"%03.0lf deg", "ORIENT", {{"ORIENT", "45"}}, true, "045 deg", ""},
      {"by %s", "OBJNAM", {{"OBJNAM", "Pier"}, {"NOBJNM", "\xE7\xA0\x81"}}, true, "by Pier", "by \xE7\xA0\x81"},
      {"%s", "OBJNAM", {{"OBJNAM", "Pier"}}, true, "Pier", ""},
      {"%d m", "VALSOU", {{"VALSOU", "15"}}, true, "15 m", ""},
      {"%s", "NATSUR", {{"NATSUR", "4,1"}}, true, "sand,mud", ""},
      {"%s", "OBJNAM", {}, false, "", ""},  // absent: unchanged, tried again later
      {"Ch %n", "OBJNAM", {{"OBJNAM", "7"}}, true, "Ch 7", ""},  // no C conversion reaches the value
      {"plain", "OBJNAM", {{"OBJNAM", "7"}}, true, "plain7", ""},
  };
  for (const Case& c : cases) {
    FormattedText t = te(c.format, c.acronym);
    EXPECT_EQ(formatText(featureWith(c.attributes), t), c.ok) << c.format;
    EXPECT_EQ(t.text, c.text) << c.format;
    EXPECT_EQ(t.nationalText, c.nationalText) << c.format;
    EXPECT_EQ(t.attribute, c.acronym) << c.format;
  }
}

TEST(TextProcedures, PrepareText) {
  Instruction seabed = tx("NATSUR");
  EXPECT_TRUE(prepareText(featureWith({{"NATSUR", "5,4"}, {"NOBJNM", "n"}}), seabed));
  EXPECT_EQ(seabed.text()->text, "stones,sand");
  EXPECT_EQ(seabed.text()->nationalText, "n");
  EXPECT_TRUE(seabed.text()->prepared);

  // A value starting with a multi-byte character shows the national name.
  Instruction chinese = tx("OBJNAM");
  EXPECT_TRUE(prepareText(featureWith({{"OBJNAM", "\xE6\xB9\xBE"}}), chinese));
  EXPECT_EQ(chinese.text()->text, "");
  // Prepared once: later attribute changes are not seen.
  EXPECT_TRUE(prepareText(featureWith({{"OBJNAM", "Bay"}}), chinese));
  EXPECT_EQ(chinese.text()->text, "");

  Instruction format = te("%s", "OBJNAM");
  EXPECT_FALSE(prepareText(featureWith({}), format));
  EXPECT_FALSE(format.text()->prepared);
  EXPECT_TRUE(prepareText(featureWith({{"OBJNAM", "Bay"}}), format));
  EXPECT_TRUE(format.text()->prepared);
  EXPECT_EQ(format.text()->text, "Bay");
}

#include <gtest/gtest.h>

#include "TextPreparation.h"
#include "TextProcedures.h"

namespace {
PointFeature featureWith(std::vector<FeatureAttribute> attributes) {
  PointFeature f;
  f.attributes = std::move(attributes);
  return f;
}

// The Chinese names of a library, as much as the cases below need.
ChineseNames chineseNames() {
  ChineseNames names;
  names.values[113] = {{1, "泥"}, {4, "沙"}, {5, "石"}, {14, "珊瑚"}};
  names.texts = {{"%03.0lf deg", "%03.0lf°"}, {"clr %4.1lf", "净空 %.1lf"}, {"by %s", "浮标 %s"},
                 {"ch %s", "频道 %s"},        {"%4.1lf kn", "%.1lf节"}};
  return names;
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
  EXPECT_TRUE(prepareText(featureWith({{"NATSUR", "5,4"}, {"NOBJNM", "n"}}), seabed, ChineseNames{}));
  EXPECT_EQ(seabed.text()->text, "stones,sand");
  EXPECT_EQ(seabed.text()->nationalText, "");  // the seabed, never the area's name, even without Chinese words
  EXPECT_TRUE(seabed.text()->prepared);

  // A value starting with a multi-byte character shows the national name.
  Instruction chinese = tx("OBJNAM");
  EXPECT_TRUE(prepareText(featureWith({{"OBJNAM", "\xE6\xB9\xBE"}}), chinese, noChineseNames()));
  EXPECT_EQ(chinese.text()->text, "");
  // Prepared once: later attribute changes are not seen.
  EXPECT_TRUE(prepareText(featureWith({{"OBJNAM", "Bay"}}), chinese, noChineseNames()));
  EXPECT_EQ(chinese.text()->text, "");

  Instruction format = te("%s", "OBJNAM");
  EXPECT_FALSE(prepareText(featureWith({}), format, noChineseNames()));
  EXPECT_FALSE(format.text()->prepared);
  EXPECT_TRUE(prepareText(featureWith({{"OBJNAM", "Bay"}}), format, noChineseNames()));
  EXPECT_TRUE(format.text()->prepared);
  EXPECT_EQ(format.text()->text, "Bay");
}

// Under 中文显示 the chart shows each text's national text: the Chinese
// wording of its format and value, the national name where the feature has
// one; with 英文显示 the English text is as it always was.
TEST(TextProcedures, ChineseTexts) {
  const ChineseNames names = chineseNames();
  struct Case {
    Instruction instruction;
    std::vector<FeatureAttribute> attributes;
    const char* english;
    const char* chinese;
  } cases[] = {
      {te("%03.0lf deg", "ORIENT"), {{"ORIENT", "224"}}, "224 deg", "224°"},
      {te("clr %4.1lf", "VERCLR"), {{"VERCLR", "8.8"}}, "clr  8.8", "净空 8.8"},
      {te("clr %4.1lf", "VERCLR"), {{"VERCLR", "12.25"}, {"NOBJNM", "桥"}}, "clr 12.2", "净空 12.2"},
      {te("%4.1lf kn", "CURVEL"), {{"CURVEL", "2.5"}}, " 2.5 kn", "2.5节"},
      {te("by %s", "OBJNAM"), {{"OBJNAM", "Pier"}, {"NOBJNM", "码头"}}, "by Pier", "浮标 码头"},
      {te("by %s", "OBJNAM"), {{"OBJNAM", "Pier"}}, "by Pier", "浮标 Pier"},  // no national name: the name
      {te("ch %s", "COMCHA"), {{"COMCHA", "16"}, {"NOBJNM", "台"}}, "ch 16", "频道 16"},  // the channel, not the name
      {te("bn %s", "OBJNAM"), {{"OBJNAM", "B"}, {"NOBJNM", "北"}}, "bn B", "bn 北"},  // no Chinese wording
      {te("swept to %5.1lf", "DRVAL1"), {{"DRVAL1", "9"}}, "swept to   9.0", ""},
      {te("%s", "NATSUR"), {{"NATSUR", "4,1"}}, "sand,mud", "沙泥"},
      {tx("NATSUR"), {{"NATSUR", "4"}, {"NOBJNM", "东滩"}}, "sand", "沙"},
      {tx("NATSUR"), {{"NATSUR", "5,4,14,99"}}, "stones,sand,coral", "石沙珊瑚"},  // unknown codes dropped
      {tx("NATSUR"), {{"NATSUR", "99"}}, "99", ""},
      {tx("OBJNAM"), {{"OBJNAM", "Bay"}, {"NOBJNM", "湾"}}, "Bay", "湾"},
      {tx("INFORM"), {{"INFORM", "Note"}, {"NINFOM", "注"}, {"NOBJNM", "湾"}}, "Note", "注"},
      {tx("COMCHA"), {{"COMCHA", "16"}, {"NOBJNM", "台"}}, "16", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.english);
    const PointFeature feature = featureWith(c.attributes);
    Instruction chinese = c.instruction, english = c.instruction, point = c.instruction;
    ASSERT_TRUE(prepareText(feature, chinese, names));
    EXPECT_EQ(chinese.text()->text, c.english);
    EXPECT_EQ(chinese.text()->nationalText, c.chinese);
    // Without Chinese names the English text is the same.
    ASSERT_TRUE(prepareText(feature, english, ChineseNames{}));
    EXPECT_EQ(english.text()->text, c.english);
    // A point's look-up text takes the same national text.
    ASSERT_TRUE(preparePointText(feature, point, false, names));
    EXPECT_EQ(point.text()->text, c.english);
    EXPECT_EQ(point.text()->nationalText, c.chinese);
  }
}

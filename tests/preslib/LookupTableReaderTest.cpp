// The look-up file: record layout, conditions, and grouping by consecutive class.
#include <gtest/gtest.h>

#include "LibraryFixture.h"
#include "LookupTableReader.h"

namespace {
using Tables = std::array<LookupTable, kLookupTableCount>;

struct Record {
  std::string className = "DEPARE";
  std::string table = "PLAIN_BOUNDARIES";
  std::string priority = "00003";
  std::string conditions;  // ATTC content
  std::string instruction = "AC(DEPVS)";
  std::string category = "DISPLAYBASE";
  std::string group = "13030";
};

std::string lookupLine(const Record& r) {
  return fieldLine("LUPT", "LU00001NIL" + r.className + "A" + r.priority + "O" + r.table);
}

std::string recordText(const Record& r) {
  return kTerminatorLine + fieldLine("0001", "00001") + lookupLine(r) + fieldLine("ATTC", r.conditions) +
         fieldLine("INST", r.instruction) + fieldLine("DISC", r.category) + fieldLine("LUCM", r.group);
}

const std::string kHead = "BEGIN\n" + fieldLine("LBID", "test");

int read(const std::string& content, Tables& tables) {
  TempDir dir;
  return resultCode(readLookupFile(dir.write("S57LookupTable", content), tables));
}

const LookupTable& table(const Tables& t, LookupTableId id) { return t[static_cast<int>(id)]; }
}  // namespace

TEST(LookupFile, RecordFields) {
  Record r;
  r.className = "LIGHTS";
  r.table = "PAPER_CHART";
  r.conditions = "CATLIT1,6\x1f" "DRVAL1\x1f\x1f" "COLOUR\x1f";
  r.instruction = "LS(DASH,2,CHMGF);CS(LIGHTS05)";
  Tables t;
  ASSERT_EQ(read(kHead + recordText(r) + kTerminatorLine, t), 0);
  const auto& list = table(t, LookupTableId::PAPER_CHART).at("LIGHTS");
  ASSERT_EQ(list.size(), 1u);
  const LookupEntry& e = list[0];
  EXPECT_EQ(e.className, "LIGHTS");
  EXPECT_EQ(e.geometryLetter, "A");
  EXPECT_EQ(e.displayPriority, 3);
  EXPECT_EQ(e.radarFlag, "O");
  EXPECT_EQ(e.tableName, "PAPER_CHART");
  ASSERT_EQ(e.conditions.size(), 3u);
  EXPECT_EQ(e.conditions[0].acronym, "CATLIT");
  EXPECT_EQ(e.conditions[0].value, "1,6");
  EXPECT_EQ(e.conditions[1].acronym, "DRVAL1");
  EXPECT_EQ(e.conditions[1].value, "");
  EXPECT_EQ(e.conditions[2].acronym, "COLOUR");
  ASSERT_EQ(e.instructions.size(), 2u);
  EXPECT_TRUE(e.instructions[0].is<LineStyle>());
  EXPECT_EQ(e.instructions[1].as<ProcedureCall>().name, "LIGHTS05");
  EXPECT_EQ(e.displayCategoryText, "DISPLAYBASE");
  EXPECT_EQ(e.viewingGroup, "13030");
}

TEST(LookupFile, ConditionLinesAndPriorities) {
  struct Case {
    std::string conditions, priority;
    std::vector<std::pair<std::string, std::string>> expected;
    int priorityValue;
  } cases[] = {
      {"", "00003", {{"attf", "null"}}, 3},               // 11-character line: the placeholder
      {"\x1f", "0000A", {{"attf", "null"}}, 0},           // only an empty piece
      {"ORIENT \x1f", " 0004", {{"ORIENT", " "}}, 4},
      {"SHORT\x1f" "CATACH8", "00007", {{"SHORT", ""}, {"CATACH", "8"}}, 7},
  };
  for (const Case& c : cases) {
    Record r;
    r.conditions = c.conditions;
    r.priority = c.priority;
    Tables t;
    ASSERT_EQ(read(kHead + recordText(r), t), 0);
    const LookupEntry& e = table(t, LookupTableId::PLAIN_BOUNDARIES).at("DEPARE").at(0);
    std::vector<std::pair<std::string, std::string>> got;
    for (const AttributeCondition& a : e.conditions) got.emplace_back(a.acronym, a.value);
    EXPECT_EQ(got, c.expected) << "conditions of " << c.conditions.size() << " bytes";
    EXPECT_EQ(e.displayPriority, c.priorityValue) << c.priority;
  }
}

TEST(LookupFile, ConsecutiveRecordsOfAClassFormOneListUnderTheFirstRecordsTable) {
  auto rec = [](const std::string& cls, const std::string& tbl, const std::string& group) {
    Record r;
    r.className = cls;
    r.table = tbl;
    r.group = group;
    return recordText(r);
  };
  Tables t;
  ASSERT_EQ(read(kHead + rec("RESARE", "PLAIN_BOUNDARIES", "1") + rec("RESARE", "SYMBOLIZED_BOUNDARIES", "2") +
                     rec("DEPARE", "LINES", "3") + rec("DEPARE", "LINES", "4") + rec("OTHERS", "NO_SUCH", "5") +
                     rec("OTHERS", "LINES", "6") + rec("DEPARE", "LINES", "7") + rec("RESARE", "SIMPLIFIED", "8"),
                 t),
            0);
  const auto& plain = table(t, LookupTableId::PLAIN_BOUNDARIES);
  ASSERT_EQ(plain.at("RESARE").size(), 2u);
  EXPECT_EQ(plain.at("RESARE")[1].tableName, "SYMBOLIZED_BOUNDARIES");
  EXPECT_EQ(table(t, LookupTableId::SYMBOLIZED_BOUNDARIES).count("RESARE"), 0u);
  // A later run of a class in the same table replaces the earlier run.
  const auto& lines = table(t, LookupTableId::LINES);
  ASSERT_EQ(lines.at("DEPARE").size(), 1u);
  EXPECT_EQ(lines.at("DEPARE")[0].viewingGroup, "7");
  // A run under an unknown table name is registered nowhere, with its followers.
  EXPECT_EQ(lines.count("OTHERS"), 0u);
  EXPECT_EQ(table(t, LookupTableId::SIMPLIFIED).at("RESARE").size(), 1u);
}

TEST(LookupFile, EndsAndSkips) {
  Record good;
  good.group = "good";
  // A record whose look-up line is shorter than 32 characters is skipped.
  const std::string malformed = kTerminatorLine + fieldLine("0001", "1") + "LUPT   20LU00001NILDEPARE\x1f\n" +
                                fieldLine("ATTC", "") + fieldLine("INST", "") + fieldLine("DISC", "") +
                                fieldLine("LUCM", "bad");
  // An instruction line shorter than 9 characters skips its record too.
  const std::string shortInstruction = kTerminatorLine + fieldLine("0001", "1") + lookupLine(good) +
                                       fieldLine("ATTC", "") + "INST\n" + fieldLine("DISC", "") +
                                       fieldLine("LUCM", "bad");
  Tables t;
  ASSERT_EQ(read(kHead + malformed + shortInstruction + "noise\n" + recordText(good), t), 0);
  ASSERT_EQ(table(t, LookupTableId::PLAIN_BOUNDARIES).at("DEPARE").size(), 1u);
  EXPECT_EQ(table(t, LookupTableId::PLAIN_BOUNDARIES).at("DEPARE")[0].viewingGroup, "good");

  // A look-up line shorter than 6 characters ends the file.
  Tables ended;
  ASSERT_EQ(read(kHead + kTerminatorLine + "0001\nLUPT\n" + recordText(good), ended), 0);
  EXPECT_TRUE(table(ended, LookupTableId::PLAIN_BOUNDARIES).empty());

  // A file that does not start with BEGIN contributes nothing.
  Tables none;
  ASSERT_EQ(read("BEGIN\r\r\n" + fieldLine("LBID", "x") + recordText(good), none), 0);
  for (const LookupTable& lt : none) EXPECT_TRUE(lt.empty());

  // Windows line endings read the same.
  Tables crlf;
  std::string text = kHead + recordText(good);
  std::string withCr;
  for (char c : text) withCr += c == '\n' ? std::string("\r\n") : std::string(1, c);
  ASSERT_EQ(read(withCr, crlf), 0);
  EXPECT_EQ(table(crlf, LookupTableId::PLAIN_BOUNDARIES).at("DEPARE").at(0).viewingGroup, "good");
}

TEST(LookupFile, MissingFileIsOne) {
  TempDir dir;
  Tables t;
  EXPECT_EQ(readLookupFile(dir.file("S57LookupTable"), t), LibraryResult::CannotOpen);
}

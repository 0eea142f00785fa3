// The IHO's loading tests, each an import sequence through enctool import
// into a fresh store: the base set "2.1.1 Power Up", then the update or
// edition sets in the order the test takes them, with what each import
// says of the cells and what enctool store shows at the end.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <map>
#include <unistd.h>

#include "ToolRun.h"

namespace fs = std::filesystem;

namespace {

const std::string kS64 = CHART_SHARED_ENC "/../iho/s64/";

// A cell's line as the test expects it: the fields given must match, and
// `reason` is a part of the reason ("" for none at all).
struct CellLine {
  std::string cell;
  std::string action;  // import lines only
  int edition;
  std::vector<int> updates;
  std::string status;
  std::string reason;
};

struct Step {
  std::string set;  // under the IHO's folder
  int exit;
  std::vector<CellLine> lines;  // the lines of the cells named (others not checked)
};

struct Sequence {
  const char* what;
  std::vector<Step> steps;
  std::vector<CellLine> store;  // enctool store at the end
};

std::map<std::string, QJsonObject> linesByCell(const std::string& out) {
  std::map<std::string, QJsonObject> lines;
  for (const std::string& line : testsupport::ToolRun{0, out, {}}.lines()) {
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(line)).object();
    lines[o.value("cell").toString().toStdString()] = o;
  }
  return lines;
}

void expectLine(const std::map<std::string, QJsonObject>& lines, const CellLine& want, const std::string& out) {
  SCOPED_TRACE(want.cell);
  const auto it = lines.find(want.cell);
  ASSERT_NE(it, lines.end()) << out;
  const QJsonObject& o = it->second;
  if (!want.action.empty()) {
    EXPECT_EQ(o.value("action").toString().toStdString(), want.action) << out;
  }
  EXPECT_EQ(o.value("edition").toInt(), want.edition) << out;
  std::vector<int> updates;
  for (const QJsonValue& n : o.value("updates").toArray()) updates.push_back(n.toInt());
  EXPECT_EQ(updates, want.updates) << out;
  EXPECT_EQ(o.value("status").toString().toStdString(), want.status) << out;
  const std::string reason = o.value("reason").toString().toStdString();
  if (want.reason.empty()) {
    EXPECT_EQ(reason, "") << out;
  } else {
    EXPECT_NE(reason.find(want.reason), std::string::npos) << reason;
  }
}

testsupport::ToolRun enctool(const std::string& args) {
  return testsupport::runCommand(std::string(ENCTOOL_PATH) + " " + args, testsupport::Stderr::Keep);
}

class S64Loading : public testing::Test {
protected:
  void SetUp() override {
    if (!fs::is_directory(kS64 + "2.1.1 Power Up")) GTEST_SKIP() << "the IHO's test data are not in " << kS64;
    store = fs::temp_directory_path() / ("s64_store_" + std::to_string(::getpid()));
    fs::remove_all(store);
  }
  void TearDown() override { fs::remove_all(store); }

  testsupport::ToolRun import(const std::string& set) {
    return enctool("import --store " + testsupport::shellQuote(store.string()) + " " +
                   testsupport::shellQuote(kS64 + set));
  }

  fs::path store;
};

const std::vector<Sequence>& sequences() {
  const std::vector<int> none;
  static const std::vector<Sequence> all = {
      {"2.2.2: the five updates onto the base set",
       {{"2.1.1 Power Up", 0, {{"GB5X01SW", "installed", 1, none, "in use", ""},
                               {"GB4X0000", "installed", 1, none, "in use", ""}}},
        {"2.2.2 Loading of Updates", 0, {{"GB5X01SW", "updated", 1, {1, 2, 3, 4, 5}, "in use", ""}}}},
       {{"GB5X01SW", "", 1, {1, 2, 3, 4, 5}, "in use", ""}, {"GB5X01NE", "", 1, none, "in use", ""}}},
      {"2.2.1: the update failing its CRC and those after it are not applied",
       {{"2.1.1 Power Up", 0, {}},
        {"2.2.1 Corrupt Update", 1,
         {{"GB5X01SW", "updated", 1, {1}, "in use", "GB5X01SW.002: update 2 not applied: the file's CRC-32 disagrees"}}}},
       {{"GB5X01SW", "", 1, {1}, "in use", "so neither 3 to 5"}}},
      {"2.1.5: a base failing its CRC leaves the installed edition in use",
       {{"2.1.1 Power Up", 0, {}},
        {"2.1.5 Loading Corrupt Data", 1,
         {{"GB5X01NE", "refused", 1, none, "in use", "GB5X01NE.000: CRC-32 is 5162A9ED, its catalogue lists 1234567F"}}}},
       {{"GB5X01NE", "", 1, none, "in use", "CRC-32 is 5162A9ED"}}},
      {"2.1.5 alone: the corrupt base is not installed",
       {{"2.1.5 Loading Corrupt Data", 1, {{"GB5X01NE", "refused", 0, none, "refused", "CRC-32 is 5162A9ED"}}}},
       {{"GB5X01NE", "", 0, none, "refused", "CRC-32 is 5162A9ED"}}},
      {"2.2.3: a gap in the sequence stops the chain until the missing update comes",
       {{"2.1.1 Power Up", 0, {}},
        {"2.2.3 Loading of Invalid Sequence/001", 0, {{"GB5X01SW", "updated", 1, {1}, "in use", ""}}},
        {"2.2.3 Loading of Invalid Sequence/002", 0, {{"GB5X01SW", "updated", 1, {2}, "in use", ""}}},
        {"2.2.3 Loading of Invalid Sequence/004", 1,
         {{"GB5X01SW", "refused", 1, none, "in use", "GB5X01SW.004: update 4 not applied: an earlier update is missing"}}},
        {"2.2.3 Loading of Invalid Sequence/003", 0, {{"GB5X01SW", "updated", 1, {3}, "in use", ""}}}},
       {{"GB5X01SW", "", 1, {1, 2, 3}, "in use", ""}}},
      {"2.2.5 and 2.2.4: the new edition replaces edition 1 and its updates, then takes its own; old updates are "
       "refused",
       {{"2.1.1 Power Up", 0, {}},
        {"2.2.4 Loading of New Update", 1,
         {{"GB5X01SW", "refused", 1, none, "in use", "update 1 is for edition 2, the installed edition is 1"}}},
        {"2.2.2 Loading of Updates", 0, {{"GB5X01SW", "updated", 1, {1, 2, 3, 4, 5}, "in use", ""}}},
        {"2.2.5 Good Base Cells", 0, {{"GB5X01SW", "new edition", 2, none, "in use", ""}}},
        {"2.2.4 Loading of New Update", 0, {{"GB5X01SW", "updated", 2, {1}, "in use", ""}}},
        {"2.2.5 Old Update", 1,
         {{"GB5X01SW", "refused", 2, none, "in use", "update 1 is for edition 1, the installed edition is 2"}}}},
       {{"GB5X01SW", "", 2, {1}, "in use", "is for edition 1"}}},
      {"2.2.6: the re-issue replaces the cell and takes only the updates after its own",
       {{"2.1.1 Power Up", 0, {}},
        {"2.2.6 Re-issue/GB5X01SW_001", 0, {{"GB5X01SW", "updated", 1, {1}, "in use", ""}}},
        {"2.2.6 Re-issue/GB5X01SW_RE-ISSUE", 0, {{"GB5X01SW", "re-issued", 1, none, "in use", ""}}},
        {"2.2.6 Re-issue/GB5X01SW_004", 0, {{"GB5X01SW", "updated", 1, {4}, "in use", ""}}},
        {"2.2.6 Re-issue/GB5X01SW_001", 0, {{"GB5X01SW", "unchanged", 1, none, "in use", ""}}},
        {"2.1.1 Power Up", 1,
         {{"GB5X01SW", "refused", 1, none, "in use", "holding updates to 0 is older than the installed base file"}}}},
       {{"GB5X01SW", "", 1, {4}, "in use", "older than the installed base file"}}},
      {"2.2.7: the cancellation removes the cell from the chart and keeps it as cancelled",
       {{"2.1.1 Power Up", 0, {}},
        {"2.2.7 Cancellation", 0, {{"GB4X0000", "cancelled", 1, none, "cancelled", ""}}},
        {"2.2.7 Cancellation", 0, {{"GB4X0000", "unchanged", 1, none, "cancelled", ""}}}},
       {{"GB4X0000", "", 1, none, "cancelled", ""}, {"GB5X01SW", "", 1, none, "in use", ""}}},
      {"updates for cells that are not installed are named cell by cell",
       {{"2.2.7 Cancellation", 1,
         {{"GB4X0000", "not installed", 0, none, "not installed", "GB4X0000.001: update 1 for a cell that is not installed"}}},
        {"2.2.2 Loading of Updates", 1,
         {{"GB5X01SW", "not installed", 0, none, "not installed", "updates 1 to 5 for a cell that is not installed"}}}},
       {}},
  };
  return all;
}

}  // namespace

TEST_F(S64Loading, EachLoadingTestAsAnImportSequence) {
  for (const Sequence& sequence : sequences()) {
    SCOPED_TRACE(sequence.what);
    fs::remove_all(store);
    for (const Step& step : sequence.steps) {
      SCOPED_TRACE(step.set);
      const testsupport::ToolRun run = import(step.set);
      EXPECT_EQ(run.status, step.exit) << run.out << run.err;
      const auto lines = linesByCell(run.out);
      for (const CellLine& line : step.lines) expectLine(lines, line, run.out);
    }
    const testsupport::ToolRun listed = enctool("store --store " + testsupport::shellQuote(store.string()));
    EXPECT_EQ(listed.status, 0) << listed.err;
    const auto lines = linesByCell(listed.out);
    for (const CellLine& line : sequence.store) expectLine(lines, line, listed.out);
    if (sequence.store.empty()) {
      EXPECT_EQ(listed.out, "");
    }
  }
}

// What the store shows is what the chart loads from it: the cells in use
// with their updates, the cancelled one left out, and the 9.4 m sounding
// of the second edition's first update where it put it.
TEST_F(S64Loading, TheStoreIsTheSourceOfTheCellsInUse) {
  for (const char* set : {"2.1.1 Power Up", "2.2.5 Good Base Cells", "2.2.4 Loading of New Update", "2.2.7 Cancellation"})
    ASSERT_EQ(import(set).status, 0) << set;
  const std::string quoted = testsupport::shellQuote(store.string());
  const testsupport::ToolRun info = enctool("info --store " + quoted);
  ASSERT_EQ(info.status, 0) << info.err;
  const std::vector<std::string> lines = info.lines();
  ASSERT_EQ(lines.size(), 6u) << info.out;  // the head line and five cells
  EXPECT_NE(lines[0].find("\"cells\":5"), std::string::npos) << lines[0];
  EXPECT_EQ(info.out.find("GB4X0000"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("\"dsnm\":\"GB5X01SW.000\""), std::string::npos);
  EXPECT_NE(info.out.find("\"edition\":2,\"updates\":[1],\"warnings\":[]"), std::string::npos) << info.out;

  const std::string library = CHART_SOURCE_DIR "/S57Lib";
  if (!fs::is_directory(library)) GTEST_SKIP() << "no generated library in " << library;
  // 32 31.75S 60 56.85E, where the update replaced a 12.8 m sounding.
  const testsupport::ToolRun query = enctool("query --library " + library + " --soundings --at -32.52917,60.9475 --store " + quoted);
  ASSERT_EQ(query.status, 0) << query.err;
  EXPECT_NE(query.out.find("\"depth\":9.4"), std::string::npos) << query.out;
  EXPECT_EQ(query.out.find("\"depth\":12.8"), std::string::npos) << query.out;
}

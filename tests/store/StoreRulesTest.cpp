// The import rules on synthetic exchange sets: which copy of a cell is
// installed, what a re-issue keeps, what brings a cancelled cell back,
// updates that break the rules, names that are no cell's, and what the
// store keeps of each cell (its coverage, dates and the exchange set).
#include <gtest/gtest.h>

#include "ChartStore.h"
#include "S57CellReader.h"
#include "StoreFixtures.h"
#include "UpdateChain.h"
#include "UpdateResult.h"

using namespace storetest;

namespace {

const std::string kS58 = CHART_SHARED_ENC "/s58/";

const CellOutcome* outcomeOf(const ImportReport& report, const std::string& cell) {
  for (const CellOutcome& c : report.cells)
    if (c.cell == cell) return &c;
  return nullptr;
}

std::vector<int> numbers(const StoredCell& cell) {
  std::vector<int> n;
  for (const StoredUpdate& u : cell.updates) n.push_back(u.number);
  return n;
}

// The light's name as a start would load the cell from the store: the base
// and the updates applied, read through the store.
std::string lightName(ChartStore& store, const std::string& cell) {
  std::string error;
  EXPECT_TRUE(store.load(error)) << error;
  const StoredCell* stored = store.index().find(cell);
  if (!stored) return "(no cell)";
  const CellSource source = store.cellSource(*stored);
  SecureBytes bytes;
  EXPECT_EQ(store.fileBytes()(source.path, bytes), ReaderResult::Ok);
  S57CellReader reader;
  EXPECT_EQ(reader.readCellBytes(bytesView(bytes)), ReaderResult::Ok);
  const UpdateChainResult chain = applyUpdateChain(reader, source.updates, updateFileReader(store.fileBytes()));
  EXPECT_EQ(chain.code, UpdateResult::Ok) << chain.error;
  for (const auto& f : reader.features)
    for (const ATTF_NATF& a : f->attributes)
      if (a.attributeCode == "116") return a.attributeValue;
  return "(no light)";
}

class StoreRules : public testing::Test {
protected:
  TempFolder sets{"store_sets"}, folder{"store"};
  ChartStore store{folder.path().string()};

  std::string set(const std::string& name, const std::vector<SetFile>& files) {
    writeExchangeSet(sets / name, files);
    return (sets / name).string();
  }
};

}  // namespace

TEST_F(StoreRules, TheNewestCopyOfferedIsInstalledAndAnOlderEditionIsRefused) {
  const std::string second = set("second", {{"AA5CELL1.000", baseCell("AA5CELL1", 2), ""}});
  const std::string first = set("first", {{"AA5CELL1.000", baseCell("AA5CELL1", 1), ""}});
  ImportReport report = store.import({first, second});
  ASSERT_TRUE(report.written) << report.failure.text;
  ASSERT_NE(outcomeOf(report, "AA5CELL1"), nullptr);
  EXPECT_EQ(outcomeOf(report, "AA5CELL1")->action, ImportAction::Installed);
  EXPECT_EQ(outcomeOf(report, "AA5CELL1")->edition, 2);
  EXPECT_FALSE(report.anyRefused());
  EXPECT_EQ(store.index().find("AA5CELL1")->source, (fs::path(second) / "ENC_ROOT").string());

  report = store.import({first});
  const CellOutcome& older = *outcomeOf(report, "AA5CELL1");
  EXPECT_EQ(older.action, ImportAction::Refused);
  EXPECT_EQ(older.edition, 2);
  ASSERT_EQ(older.issues.size(), 1u);
  EXPECT_EQ(older.issues[0].kind, IssueKind::OlderEdition);
  EXPECT_EQ(older.issues[0].text, "AA5CELL1.000: edition 1 is older than the installed edition 2: not installed");
  EXPECT_EQ(store.index().find("AA5CELL1")->edition, 2);
}

TEST_F(StoreRules, AReissueKeepsOnlyTheInstalledUpdatesAfterItsOwn) {
  ASSERT_TRUE(store
                  .import({set("base", {{"AA5CELL1.000", baseCell("AA5CELL1", 1), ""},
                                        {"AA5CELL1.001", updateCell("AA5CELL1", 1, 1), ""},
                                        {"AA5CELL1.002", updateCell("AA5CELL1", 1, 2), ""},
                                        {"AA5CELL1.003", updateCell("AA5CELL1", 1, 3, "20240301"), ""}})})
                  .written);
  EXPECT_EQ(lightName(store, "AA5CELL1"), "Light 3");
  const ImportReport report = store.import({set("reissue", {{"AA5CELL1.000", baseCell("AA5CELL1", 1, 2), ""}})});
  EXPECT_EQ(outcomeOf(report, "AA5CELL1")->action, ImportAction::Reissued);
  EXPECT_EQ(outcomeOf(report, "AA5CELL1")->updateNumber, 3);
  const StoredCell& cell = *store.index().find("AA5CELL1");
  EXPECT_EQ(cell.baseUpdate, 2);
  EXPECT_EQ(numbers(cell), std::vector<int>{3});
  EXPECT_EQ(cell.updates[0].issueDate, "20240301");
  EXPECT_EQ(lightName(store, "AA5CELL1"), "Light 3");
}

TEST_F(StoreRules, ACancelledCellComesBackOnlyWithANewerEdition) {
  store.import({set("base", {{"AA5CELL1.000", baseCell("AA5CELL1", 1), ""}})});
  ImportReport report = store.import({set("cancel", {{"AA5CELL1.001", updateCell("AA5CELL1", 0, 1, "20240505"), ""}})});
  EXPECT_EQ(outcomeOf(report, "AA5CELL1")->action, ImportAction::Cancelled);
  const StoredCell& cancelled = *store.index().find("AA5CELL1");
  EXPECT_EQ(cancelled.status, CellStatus::Cancelled);
  ASSERT_TRUE(cancelled.cancellation);
  EXPECT_EQ(cancelled.cancellation->issueDate, "20240505");
  EXPECT_TRUE(store.cellSource(cancelled).path.size() > 0);  // its files are kept

  report = store.import({set("same", {{"AA5CELL1.000", baseCell("AA5CELL1", 1), ""},
                                      {"AA5CELL1.002", updateCell("AA5CELL1", 1, 2), ""}})});
  EXPECT_EQ(outcomeOf(report, "AA5CELL1")->action, ImportAction::Refused);
  EXPECT_EQ(outcomeOf(report, "AA5CELL1")->reason(),
            "AA5CELL1.000: the cell was cancelled; edition 1 does not bring it back: not installed; "
            "AA5CELL1.002: update 2 is for a cell that was cancelled: not applied");
  EXPECT_EQ(store.index().find("AA5CELL1")->status, CellStatus::Cancelled);

  report = store.import({set("newer", {{"AA5CELL1.000", baseCell("AA5CELL1", 2), ""}})});
  EXPECT_EQ(outcomeOf(report, "AA5CELL1")->action, ImportAction::NewEdition);
  EXPECT_EQ(store.index().find("AA5CELL1")->status, CellStatus::InUse);
  EXPECT_FALSE(store.index().find("AA5CELL1")->cancellation);
}

// AA400010.001 modifies a record with a version out of sequence: nothing of
// it is applied, and the update after it is not either.
TEST_F(StoreRules, AnUpdateBreakingTheRulesIsRefusedWholeAndStopsTheChain) {
  if (!fs::exists(kS58 + "AA400010.001")) GTEST_SKIP() << "no " << kS58;
  ASSERT_TRUE(store.import({kS58 + "AA400010.000"}).written);
  const ImportReport report = store.import({kS58 + "AA400010.001", set("later", {{"AA400010.002", updateCell("AA400010", 2, 2), ""}})});
  const CellOutcome& cell = *outcomeOf(report, "AA400010");
  EXPECT_EQ(cell.action, ImportAction::Refused);
  EXPECT_EQ(cell.status, CellStatus::InUse);
  ASSERT_EQ(cell.issues.size(), 1u);
  EXPECT_EQ(cell.issues[0].kind, IssueKind::UpdateStopped);
  EXPECT_EQ(cell.issues[0].update, UpdateResult::VersionMismatch);
  EXPECT_EQ(cell.issues[0].numbers, std::vector<int>{2});
  EXPECT_NE(cell.reason().find("AA400010.001: update 1 not applied: record version does not follow"), std::string::npos)
      << cell.reason();
  EXPECT_TRUE(store.index().find("AA400010")->updates.empty());
}

TEST_F(StoreRules, FilesWithoutACellNameAreNotTaken) {
  const ImportReport report = store.import({set("odd", {{"AB.000", baseCell("AB", 1), ""},
                                                         {"aa5cell1.000", baseCell("AA5CELL1", 1), ""}})});
  ASSERT_EQ(report.filesRefused.size(), 1u);
  EXPECT_EQ(report.filesRefused[0].file, "AB.000");
  EXPECT_TRUE(report.anyRefused());
  // A producer's lower-case name is the cell's all the same.
  EXPECT_EQ(outcomeOf(report, "AA5CELL1")->action, ImportAction::Installed);
  EXPECT_EQ(store.index().cells.size(), 1u);
}

TEST_F(StoreRules, TheStoreKeepsEachCellsCoverageDatesAndSource) {
  // A folder name with what JSON must escape, and more than ASCII.
  const std::string source = set("周更新 \"dated\" \\ \t", {{"AA5CELL1.000", baseCell("AA5CELL1", 3, 0, "20230405"), ""},
                                                           {"AA5CELL1.001", updateCell("AA5CELL1", 3, 1, "20230506"), ""}});
  ImportOptions options;
  options.now = "2024-06-01T10:00:00Z";
  ASSERT_TRUE(store.import({source}, options).written);
  // Read back from the index, as a start reads it.
  ChartStore reopened(folder.path().string());
  std::string error;
  ASSERT_TRUE(reopened.load(error)) << error;
  const StoredCell& cell = *reopened.index().find("AA5CELL1");
  EXPECT_EQ(cell.edition, 3);
  EXPECT_EQ(cell.issueDate, "20230405");
  EXPECT_EQ(cell.installed, "2024-06-01T10:00:00Z");
  ASSERT_EQ(cell.updates.size(), 1u);
  EXPECT_EQ(cell.updates[0].issueDate, "20230506");
  EXPECT_EQ(cell.updates[0].applied, "2024-06-01T10:00:00Z");
  EXPECT_EQ(cell.updates[0].source, (fs::path(source) / "ENC_ROOT").string());
  const CellCoverage& coverage = cell.coverage;
  EXPECT_EQ(coverage.compilationScale, 20000);
  ASSERT_TRUE(coverage.hasExtent);
  EXPECT_DOUBLE_EQ(coverage.south, 50.0);
  EXPECT_DOUBLE_EQ(coverage.east, 1.1);
  ASSERT_EQ(coverage.outlines.size(), 1u);
  const std::vector<std::pair<double, double>> ring = {{50, 1}, {50.1, 1}, {50.1, 1.1}, {50, 1.1}, {50, 1}};
  ASSERT_EQ(coverage.outlines[0].size(), ring.size());
  for (size_t i = 0; i < ring.size(); ++i) {
    EXPECT_DOUBLE_EQ(coverage.outlines[0][i].latitude, ring[i].first);
    EXPECT_DOUBLE_EQ(coverage.outlines[0][i].longitude, ring[i].second);
  }
}

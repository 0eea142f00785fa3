// An encrypted cell loaded from the chart store as the window will load
// it: opened (its base decrypted for the verdict), then built by loadCell
// from the decrypted bytes, marked when its permit has expired; a cell
// whose permit was removed is refused before anything is built.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>

#include "CellList.h"
#include "ChartStore.h"
#include "ChartEngine.h"
#include "ReaderResult.h"

namespace fs = std::filesystem;

namespace {

const std::string kTest = CHART_SHARED_ENC "/../iho/s63/4 Authentication_Part1/Test 4b";
const std::string kLibrary = CHART_SOURCE_DIR "/S57Lib";

DataClient clientOn(int year, int month, int day) {
  DataClient client;
  client.clock = DataClientClock::fixedAt(CalendarDay{year, month, day});
  return client;
}

class EncryptedLoad : public testing::Test {
protected:
  void SetUp() override {
    if (!fs::is_directory(kTest)) GTEST_SKIP() << kTest << " is absent";
    if (!fs::is_directory(kLibrary)) GTEST_SKIP() << "no generated library in " << kLibrary;
    engine = std::make_unique<ChartEngine>(kLibrary);
    ASSERT_TRUE(engine->hasLibrary());
    folder = fs::temp_directory_path() / ("encrypted_load_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    ChartStore store(folder.string());
    store.setDataClient(clientOn(2013, 6, 1));
    ASSERT_TRUE(store.installKey(kTest + "/IHO.CRT", KeyRole::Scheme).installed);
    ASSERT_FALSE(store.installPermits(kTest + "/PERMIT.TXT").anyRefused());
    ASSERT_FALSE(store.import({kTest}).anyRefused());
  }
  void TearDown() override { fs::remove_all(folder); }

  // Opens GB100004 on the day given and loads it when the store lets it.
  OpenedCell open(ChartStore& store, const DataClient& client) {
    store.setDataClient(client);
    std::string error;
    EXPECT_TRUE(store.load(error)) << error;
    const StoredCell* cell = store.index().find("GB100004");
    EXPECT_NE(cell, nullptr);
    return cell ? store.openCell(*cell) : OpenedCell();
  }

  const S57Cell* load(const OpenedCell& opened, CellList& list) {
    CellLoadOptions options;
    options.updateFiles = &opened.source.updates;
    options.fileBytes = opened.fileBytes;
    options.permitExpired = opened.permitExpired();
    CellLoadReport report;
    EXPECT_EQ(loadCell(opened.source.path, engine->library(), list, nullptr, options, &report), CellLoadResult());
    return report.cell;
  }

  std::unique_ptr<ChartEngine> engine;
  fs::path folder;
};

TEST_F(EncryptedLoad, TheCellIsBuiltFromItsDecryptedFilesAndMarkedOnceItsPermitHasExpired) {
  ChartStore store(folder.string());
  const OpenedCell current = open(store, clientOn(2013, 6, 1));
  EXPECT_TRUE(current.standing.encrypted);
  EXPECT_EQ(current.standing.state, PermitState::Valid);
  EXPECT_EQ(current.standing.expiry.compact(), "20181231");
  EXPECT_TRUE(current.sse.empty()) << current.message();
  CellList list;
  const S57Cell* cell = load(current, list);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->name, "GB100004.000");
  EXPECT_EQ(cell->updatesApplied, std::vector<int>{1});
  EXPECT_FALSE(cell->permitExpired);
  EXPECT_GT(cell->areas.size(), 100u);

  const OpenedCell expired = open(store, clientOn(2019, 1, 1));
  EXPECT_EQ(expired.standing.state, PermitState::Expired);
  EXPECT_FALSE(expired.refused());
  EXPECT_EQ(expired.sse, std::vector<SseCode>{SseCode::PermitExpiredWhenShown});
  EXPECT_NE(expired.message().find("The permit for ENC GB100004 has expired"), std::string::npos) << expired.message();
  CellList later;
  const S57Cell* shown = load(expired, later);
  ASSERT_NE(shown, nullptr);
  EXPECT_TRUE(shown->permitExpired);
}

TEST_F(EncryptedLoad, ARemovedPermitTakesTheCellOffTheChart) {
  ChartStore store(folder.string());
  store.setDataClient(clientOn(2013, 6, 1));
  int removed = 0;
  std::string error;
  ASSERT_TRUE(store.removePermits("GB100004", "", removed, error)) << error;
  EXPECT_EQ(removed, 1);
  const OpenedCell opened = open(store, clientOn(2013, 6, 1));
  EXPECT_FALSE(opened.standing.permitted);
  EXPECT_TRUE(opened.refused());
  EXPECT_EQ(opened.sse, std::vector<SseCode>{SseCode::PermitNotFound});
  // Read any other way, the store refuses the file all the same.
  SecureBytes bytes;
  EXPECT_EQ(store.fileBytes()(opened.source.path, bytes), ReaderResult::CannotOpen);
  EXPECT_TRUE(bytes.empty());
  // The other cell is untouched.
  const StoredCell* other = store.index().find("GB100005");
  ASSERT_NE(other, nullptr);
  EXPECT_TRUE(store.openCell(*other).sse.empty());
}

}  // namespace

// The safety of the store: an import killed or failing at any write leaves
// the store as it was; a damaged index is rebuilt from the files; names
// from exchange sets (and links planted in the store) never make it write
// or delete outside its folder; two programs never change it at once.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "CatalogueWriter.h"
#include "ChartStore.h"
#include "Crc32.h"
#include "StoreFixtures.h"
#include "StoreIndex.h"
#include "StoreLock.h"

using namespace storetest;

namespace {

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What a cell is, without where its files lie and when they came.
std::string summary(const StoreIndex& index) {
  std::string text;
  for (const StoredCell& c : index.cells) {
    text += c.name + " " + cellStatusName(c.status) + " e" + std::to_string(c.edition) + " u";
    for (const StoredUpdate& u : c.updates) text += std::to_string(u.number) + ",";
    text += " " + c.base.crc + "\n";
  }
  return text;
}

class StoreSafety : public testing::Test {
protected:
  void SetUp() override {
    // The store holds AA5CELL1 at update 1 and AA5CELL2; the next import
    // brings two updates, a new edition and a new cell.
    writeExchangeSet(sets / "first", {{"AA5CELL1.000", baseCell("AA5CELL1", 1), ""},
                                      {"AA5CELL1.001", updateCell("AA5CELL1", 1, 1), ""},
                                      {"AA5CELL2.000", baseCell("AA5CELL2", 1), ""}});
    writeExchangeSet(sets / "next", {{"AA5CELL1.002", updateCell("AA5CELL1", 1, 2), ""},
                                     {"AA5CELL1.003", updateCell("AA5CELL1", 1, 3), ""},
                                     {"AA5CELL2.000", baseCell("AA5CELL2", 2), ""},
                                     {"AA5CELL3.000", baseCell("AA5CELL3", 1), ""}});
    ChartStore store(folder.path().string());
    ASSERT_TRUE(store.import({(sets / "first").string()}, options).written);
  }

  std::string index() const { return readFile(folder / "index"); }

  TempFolder sets{"safety_sets"}, folder{"safety_store"};
  ImportOptions options{"2024-06-01T10:00:00Z", 3000};
};

}  // namespace

// The child process imports and dies just before its k-th rename (the
// index's is the last); whatever k, the store reads as before, and the next
// import gives what an import never interrupted gives.
TEST_F(StoreSafety, AnImportKilledAtAnyWriteLeavesTheStoreAsItWas) {
  const std::string before = index();
  std::string after;
  {
    TempFolder reference("safety_reference");
    fs::copy(folder.path(), reference.path(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    ChartStore store(reference.path().string());
    ASSERT_TRUE(store.import({(sets / "next").string()}, options).written);
    after = readFile(reference / "index");
  }
  int renames = 0;
  for (int k = 1;; ++k) {
    SCOPED_TRACE("killed before rename " + std::to_string(k));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ChartStore store(folder.path().string());
      int seen = 0;
      store.files().faultBeforeRename = [&seen, k](const std::string&) {
        if (++seen == k) ::_exit(9);
        return true;
      };
      store.import({(sets / "next").string()}, options);
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 0) break;  // no k-th rename: the import finished
    ++renames;
    EXPECT_EQ(index(), before);
    ChartStore store(folder.path().string());
    std::string error;
    ASSERT_TRUE(store.load(error)) << error;
    EXPECT_TRUE(store.messages().empty());
  }
  EXPECT_EQ(renames, 5);  // two updates, two base files, the index
  EXPECT_EQ(index(), after);
  // Nothing of the interrupted imports is left: the files the index names.
  ChartStore store(folder.path().string());
  std::string error;
  ASSERT_TRUE(store.load(error));
  std::vector<std::string> named = {"index", "lock"}, held;
  for (const StoredCell& c : store.index().cells) {
    named.push_back(c.base.path);
    for (const StoredUpdate& u : c.updates) named.push_back(u.file.path);
  }
  for (const auto& [name, bytes] : folderContent(folder.path()))
    if (name.back() != '/') held.push_back(name);
  std::sort(named.begin(), named.end());
  EXPECT_EQ(held, named);
}

// A disk that fills up: the write fails, the import says so and changes
// nothing; the next import takes it whole.
TEST_F(StoreSafety, AFailedWriteLeavesTheStoreAsItWas) {
  const std::string before = index();
  for (int failing : {1, 3, 5}) {
    SCOPED_TRACE(failing);
    ChartStore store(folder.path().string());
    int seen = 0;
    store.files().faultBeforeRename = [&seen, failing](const std::string&) { return ++seen != failing; };
    const ImportReport report = store.import({(sets / "next").string()}, options);
    EXPECT_FALSE(report.written);
    EXPECT_EQ(report.failure.kind, StoreMessageKind::CannotWrite);
    EXPECT_NE(report.failure.text.find("the chart store could not be written"), std::string::npos) << report.failure.text;
    EXPECT_TRUE(report.anyRefused());
    EXPECT_EQ(index(), before);
    for (const auto& [name, bytes] : folderContent(folder.path()))
      EXPECT_TRUE(name == "index" || name == "lock" || name.find(".part") == std::string::npos) << name;
  }
  ChartStore store(folder.path().string());
  EXPECT_TRUE(store.import({(sets / "next").string()}, options).written);
  EXPECT_NE(summary(store.index()).find("AA5CELL3 in use e1"), std::string::npos) << summary(store.index());
}

TEST_F(StoreSafety, ADamagedIndexIsRebuiltFromTheFiles) {
  const std::string good = index();
  ChartStore reference(folder.path().string());
  std::string error;
  ASSERT_TRUE(reference.load(error));
  const std::string cells = summary(reference.index());
  // An index whose CRC-32 is right but that names a file outside the store.
  std::string hostile = good.substr(0, good.rfind("{\"end\""));
  hostile.replace(hostile.find("cells/AA5CELL1/"), 0, "../../");
  hostile += "{\"end\":2,\"crc\":\"" + crcText(crc32(hostile)) + "\"}\n";
  const struct {
    const char* what;
    std::string bytes;
    bool present;
  } damages[] = {
      {"cut in half", good.substr(0, good.size() / 2), true},
      {"a byte changed", std::string(good).replace(good.size() / 2, 1, "#"), true},
      {"without its end line", good.substr(0, good.rfind("{\"end\"")), true},
      {"empty", "", true},
      {"lost", "", false},
      {"naming a file outside the store", hostile, true},
  };
  for (const auto& damage : damages) {
    SCOPED_TRACE(damage.what);
    if (damage.present) {
      std::ofstream(folder / "index", std::ios::binary) << damage.bytes;
      StoreIndex parsed;
      EXPECT_FALSE(readIndexBytes(damage.bytes, parsed, error));
    } else {
      fs::remove(folder / "index");
    }
    ChartStore store(folder.path().string());
    ASSERT_TRUE(store.load(error)) << error;
    ASSERT_EQ(store.messages().size(), 1u);
    EXPECT_EQ(store.messages()[0].kind, StoreMessageKind::IndexRebuilt);
    EXPECT_EQ(store.messages()[0].count, 2);
    EXPECT_NE(store.messages()[0].text.find("the chart store's index was damaged"), std::string::npos);
    EXPECT_NE(store.messages()[0].text.find("rebuilt from its files, 2 cells"), std::string::npos)
        << store.messages()[0].text;
    EXPECT_EQ(summary(store.index()), cells);
    // Written again: the next start reads it as it is.
    ChartStore next(folder.path().string());
    ASSERT_TRUE(next.load(error));
    EXPECT_TRUE(next.messages().empty());
    EXPECT_EQ(summary(next.index()), cells);
  }
}

// Catalogue entries leading out of their set and links, in the set and in
// the store, never make the store write or delete outside its folder.
TEST_F(StoreSafety, HostileNamesNeverReachOutsideTheStore) {
  TempFolder outside("safety_outside");
  std::ofstream(outside / "AA5CELL9.000", std::ios::binary) << baseCell("AA5CELL9", 1);
  std::ofstream(outside / "keep.txt") << "not the store's";
  fs::create_directories(outside / "cells/AA5CELL1/1");
  std::ofstream(outside / "cells/AA5CELL1/1/AA5CELL1.005") << "a victim";
  const auto outsideBefore = folderContent(outside.path());

  writeExchangeSet(sets / "hostile", {{"AA5CELL4.000", baseCell("AA5CELL4", 1), ""}});
  // The catalogue lists files outside the set; the set holds a link out.
  const fs::path root = sets / "hostile/ENC_ROOT";
  std::vector<s57write::CatalogueFile> listed = {
      {"..\\..\\..\\" + outside.path().filename().string() + "\\AA5CELL9.000", "00000000"},
      {outside.path().string() + "/AA5CELL9.000", "00000000"},
      {"LINKED/AA5CELL9.000", "00000000"},
  };
  fs::create_directory_symlink(outside.path(), root / "LINKED");
  std::ofstream(root / "CATALOG.031", std::ios::binary) << s57write::catalogueImage(listed);
  // A link planted in the store where a cell's folder would go.
  fs::create_directory_symlink(outside / "cells/AA5CELL1", folder / "cells/AA5CELL5");

  ChartStore store(folder.path().string());
  const ImportReport report = store.import({(sets / "hostile").string()}, options);
  EXPECT_EQ(folderContent(outside.path()), outsideBefore);
  // What the set holds inside it is taken; the entries leading out are named.
  EXPECT_TRUE(report.written) << report.failure.text;
  size_t refusedEntries = 0;
  for (const LoadWarning& w : report.setWarnings) refusedEntries += w.kind == LoadWarningKind::EntryRefused;
  EXPECT_GE(refusedEntries, 2u);
  for (const StoredCell& c : store.index().cells) {
    EXPECT_TRUE(isStoredCellPath(c.base.path)) << c.base.path;
    EXPECT_EQ(c.base.path.find(".."), std::string::npos);
  }
  // The planted link is removed as a link; what it pointed at stays.
  EXPECT_FALSE(fs::exists(fs::symlink_status(folder / "cells/AA5CELL5")));
  EXPECT_EQ(folderContent(outside.path()), outsideBefore);
}

TEST_F(StoreSafety, TwoProgramsDoNotChangeTheStoreAtOnce) {
  const std::string before = index();
  {
    StoreLock other(folder.path().string(), StoreLock::Mode::Exclusive, 0);
    ASSERT_TRUE(other.held());
    ChartStore store(folder.path().string());
    ImportOptions quick = options;
    quick.waitMs = 100;
    const ImportReport report = store.import({(sets / "next").string()}, quick);
    EXPECT_FALSE(report.written);
    EXPECT_EQ(report.failure.kind, StoreMessageKind::Busy);
    EXPECT_NE(report.failure.text.find("another program is changing the chart store"), std::string::npos) << report.failure.text;
    std::string error;
    EXPECT_FALSE(store.load(error, 100));  // nor read half changed
    EXPECT_EQ(index(), before);
  }
  {
    // Readers share the store; an import waits for them.
    StoreLock reader(folder.path().string(), StoreLock::Mode::Shared, 0);
    ChartStore store(folder.path().string());
    std::string error;
    EXPECT_TRUE(store.load(error, 100)) << error;
    ImportOptions quick = options;
    quick.waitMs = 100;
    EXPECT_FALSE(store.import({(sets / "next").string()}, quick).written);
  }
  ChartStore store(folder.path().string());
  EXPECT_TRUE(store.import({(sets / "next").string()}, options).written);
}

// Folders of cells as they are shipped: exchange sets with CATALOG.031
// (its CATD records, the CRC-32 of every file it lists, the files it lists
// that are absent and those it does not list), one folder per cell (NOAA's
// ENC_ROOT/US5WA22M/US5WA22M.000) and flat folders.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "CatalogueWriter.h"
#include "CellFolder.h"
#include "FilePermissions.h"
#include "Crc32.h"
#include "ExchangeCatalogue.h"
#include "S57CellReader.h"
#include "S57Writer.h"
#include "UpdateChain.h"
#include "UpdateResult.h"

namespace fs = std::filesystem;

namespace {

const fs::path kExchange = fs::path(CHART_SHARED_ENC) / "exchange";

using Listed = s57write::CatalogueFile;
using s57write::catalogueImage;

std::string hexCrc(const std::string& path) {
  std::uint32_t crc = 0;
  EXPECT_TRUE(fileCrc32(path, crc));
  char text[9];
  std::snprintf(text, sizeof text, "%08X", crc);
  return text;
}

void writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string smallCell(const std::string& name, const std::string& edition = "1") {
  s57write::DataSet d;
  d.dsnm = name;
  d.edtn = edition;
  s57write::S57Writer w;
  w.addDataSet(d).addIsolatedNode(1, {470000000, -1220000000});
  return w.image();
}

// The warning of `kind` in `warnings`; null when there is none.
const LoadWarning* findKind(const std::vector<LoadWarning>& warnings, LoadWarningKind kind) {
  for (const LoadWarning& w : warnings)
    if (w.kind == kind) return &w;
  return nullptr;
}

class CellFolders : public testing::Test {
protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("cell_folder_test_" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root);
  }
  void TearDown() override { fs::remove_all(root); }
  fs::path root;
};

}  // namespace

TEST(Crc32, GivesTheStandardCheckValueInOnePieceAndInMany) {
  EXPECT_EQ(crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(crc32(""), 0u);
  std::string bytes;
  for (int i = 0; i < 1000; ++i) bytes += static_cast<char>(i * 7);
  std::uint32_t pieces = 0;
  for (size_t at = 0; at < bytes.size(); at += 13) pieces = crc32Update(pieces, std::string_view(bytes).substr(at, 13));
  EXPECT_EQ(pieces, crc32(bytes));
}

TEST(ExchangeCatalogue, ReadsTheCatalogueRecordsOfAShippedSet) {
  const fs::path catalogue = kExchange / "AA400011/ENC_ROOT/CATALOG.031";
  if (!fs::exists(catalogue)) GTEST_SKIP() << catalogue << " is absent";
  std::vector<CatalogueEntry> entries;
  ASSERT_EQ(readCatalogue(catalogue.string(), entries), ReaderResult::Ok);
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0].file, "CATALOG.031");
  EXPECT_EQ(entries[0].implementation, "ASC");
  EXPECT_EQ(entries[1].file, "AA400011.000");
  EXPECT_EQ(entries[1].volume, "V01X01");
  EXPECT_EQ(entries[1].implementation, "BIN");
  EXPECT_EQ(entries[1].crc, "F9FDC116");
  EXPECT_EQ(entries[2].file, "AA400011.001");
  EXPECT_EQ(entries[2].crc, "C2DB1552");
  EXPECT_EQ(entries[4].crc, "");
}

TEST(ExchangeCatalogue, DamagedCataloguesGiveTheReadersCodes) {
  const std::string good = catalogueImage({{"A.000", "12345678"}, {"README.TXT", ""}});
  std::vector<CatalogueEntry> entries;
  ASSERT_EQ(readCatalogueBytes(good, entries), ReaderResult::Ok);
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].file, "A.000");
  EXPECT_EQ(entries[0].crc, "12345678");
  EXPECT_EQ(readCatalogueBytes(good.substr(0, 20), entries), ReaderResult::FileTooShort);
  EXPECT_EQ(readCatalogueBytes(std::string(100, 'x'), entries), ReaderResult::NoDescriptiveRecord);
  // A record cut short fails the read.
  std::string damaged = good;
  damaged.resize(good.size() - 30);
  EXPECT_NE(readCatalogueBytes(damaged, entries), ReaderResult::Ok);
}

TEST(ShippedExchangeSets, TheMismatchingCrcAndTheUnlistedUpdateAreNamedOnTheirCell) {
  if (!fs::is_directory(kExchange)) GTEST_SKIP() << kExchange << " is absent";
  const CellFolder folder = scanCellFolder(kExchange.string());
  EXPECT_EQ(folder.catalogues, 3);
  // Two of the catalogues list their README twice: said once each.
  ASSERT_EQ(folder.warnings.size(), 2u);
  const char* const sets[] = {"AA400001", "AA400011"};
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(folder.warnings[i].kind, LoadWarningKind::ListedRepeatedly);
    EXPECT_EQ(folder.warnings[i].text,
              (kExchange / sets[i] / "ENC_ROOT/CATALOG.031").lexically_normal().string() + ": lists README.TXT 2 times; checked once");
  }
  ASSERT_EQ(folder.cells.size(), 3u);
  const CellSource& aa400010 = folder.cells[1];
  EXPECT_EQ(fs::path(aa400010.path).filename(), "AA400010.000");
  ASSERT_EQ(aa400010.updates.size(), 1u);
  EXPECT_EQ(aa400010.updates[0].number, 1);
  ASSERT_EQ(aa400010.warnings.size(), 2u);
  const LoadWarning& crc = aa400010.warnings[0];
  EXPECT_EQ(crc.text.rfind("AA400010.000: CRC-32 is 407A3FAC, the catalogue ", 0), 0u) << crc.text;
  EXPECT_NE(crc.text.find("gives 40F159B7"), std::string::npos) << crc.text;
  EXPECT_EQ(crc.kind, LoadWarningKind::CrcMismatch);
  EXPECT_EQ(crc.file, "AA400010.000");
  EXPECT_EQ(crc.detail, "407A3FAC");
  EXPECT_EQ(crc.listed, "40F159B7");
  EXPECT_EQ(fs::path(crc.related).filename(), "CATALOG.031");
  const LoadWarning& unlisted = aa400010.warnings[1];
  EXPECT_EQ(unlisted.text.rfind("AA400010.001: not listed in the catalogue ", 0), 0u) << unlisted.text;
  EXPECT_EQ(unlisted.kind, LoadWarningKind::NotInCatalogue);
  EXPECT_EQ(unlisted.file, "AA400010.001");
  EXPECT_TRUE(folder.cells[0].warnings.empty());
  EXPECT_TRUE(folder.cells[2].warnings.empty());
  EXPECT_EQ(folder.cells[2].updates.size(), 1u);
}

// Exchange sets of updates alone, as hydrographic offices send them week
// after week: the updates are found without their base, each with the CRC
// its catalogue lists, and the one failing it is marked so that nothing
// uses it.
TEST(ShippedExchangeSets, UpdatesWithoutTheirBaseAreFoundAndTheCorruptOneMarked) {
  const fs::path s64 = fs::path(CHART_SHARED_ENC) / "../iho/s64";
  if (!fs::is_directory(s64 / "2.2.1 Corrupt Update")) GTEST_SKIP() << s64 << " is absent";
  const CellFolder corrupt = scanCellFolder((s64 / "2.2.1 Corrupt Update").string());
  EXPECT_TRUE(corrupt.cells.empty());
  ASSERT_EQ(corrupt.updatesAlone.size(), 1u);
  const std::vector<UpdateFileName>& updates = corrupt.updatesAlone[0].updates;
  ASSERT_EQ(updates.size(), 5u);
  for (const UpdateFileName& u : updates) {
    SCOPED_TRACE(u.path);
    EXPECT_EQ(u.listedCrc.size(), 8u);
    EXPECT_EQ(u.crcFailure.empty(), u.number != 2);
  }
  EXPECT_EQ(updates[1].crcFailure.rfind("GB5X01SW.002: CRC-32 is A70EABC4, the catalogue ", 0), 0u)
      << updates[1].crcFailure;

  // The re-issue's set: its base is a cell, the updates of the other two
  // sets stand alone, one entry per folder.
  const CellFolder reissue = scanCellFolder((s64 / "2.2.6 Re-issue").string());
  ASSERT_EQ(reissue.cells.size(), 1u);
  EXPECT_TRUE(reissue.cells[0].updates.empty());
  EXPECT_TRUE(reissue.cells[0].crcFailure.empty());
  EXPECT_EQ(reissue.cells[0].listedCrc.size(), 8u);
  ASSERT_EQ(reissue.updatesAlone.size(), 2u);
  EXPECT_EQ(reissue.updatesAlone[0].updates.at(0).number, 1);
  EXPECT_EQ(reissue.updatesAlone[1].updates.at(0).number, 4);
}

TEST_F(CellFolders, CatalogueFindingsGoToTheirCellsAndNeverStopTheScan) {
  const fs::path set = root / "ENC_ROOT";
  writeFile(set / "A/A.000", smallCell("A.000"));
  writeFile(set / "A/A.001", "update bytes");
  writeFile(set / "C/C.000", smallCell("C.000"));  // not listed
  writeFile(set / "D.000", smallCell("D.000"));
  writeFile(set / "copy/D.000", smallCell("D.000"));  // the same cell again
  writeFile(set / "README.TXT", "read me");
  writeFile(set / "CATALOG.031", catalogueImage({{"CATALOG.031", ""},
                                                 {"A\\A.000", hexCrc((set / "A/A.000").string())},
                                                 {"A\\A.001", "0BADC0DE"},
                                                 {"B\\B.000", "00000000"},  // absent
                                                 {"D.000", ""},
                                                 {"copy\\D.000", ""},
                                                 {"README.TXT", "12345678"}}));
  const CellFolder folder = scanCellFolder(root.string());
  EXPECT_EQ(folder.catalogues, 1);
  ASSERT_EQ(folder.cells.size(), 3u);
  EXPECT_EQ(folder.cells[0].path, (set / "A/A.000").string());
  EXPECT_EQ(folder.cells[1].path, (set / "C/C.000").string());
  EXPECT_EQ(folder.cells[2].path, (set / "D.000").string());
  ASSERT_EQ(folder.cells[0].updates.size(), 1u);
  EXPECT_EQ(folder.cells[0].updates[0].path, (set / "A/A.001").string());

  ASSERT_EQ(folder.cells[0].warnings.size(), 1u);
  EXPECT_EQ(folder.cells[0].warnings[0].text.rfind("A.001: CRC-32 is " + hexCrc((set / "A/A.001").string()), 0), 0u)
      << folder.cells[0].warnings[0].text;
  EXPECT_NE(folder.cells[0].warnings[0].text.find("gives 0BADC0DE"), std::string::npos);
  ASSERT_EQ(folder.cells[1].warnings.size(), 1u);
  EXPECT_EQ(folder.cells[1].warnings[0].text.rfind("C.000: not listed in the catalogue ", 0), 0u);
  EXPECT_TRUE(folder.cells[2].warnings.empty());

  // Each finding keeps what it names besides its English line.
  const std::string catalogue = (set / "CATALOG.031").string();
  const struct {
    LoadWarningKind kind;
    std::string file, related, text;
  } expected[] = {
      {LoadWarningKind::ListedButAbsent, "B\\B.000", catalogue, catalogue + ": lists B\\B.000, which is absent"},
      {LoadWarningKind::CrcMismatch, "README.TXT", catalogue, "README.TXT: CRC-32 is"},
      {LoadWarningKind::SameCellTwice, (set / "copy/D.000").string(), (set / "D.000").string(),
       (set / "copy/D.000").string() + ": the same cell as " + (set / "D.000").string() + ", read once"},
  };
  EXPECT_EQ(folder.warnings.size(), 3u);
  for (const auto& e : expected) {
    const LoadWarning* w = findKind(folder.warnings, e.kind);
    ASSERT_NE(w, nullptr) << e.text;
    EXPECT_EQ(w->file, e.file);
    EXPECT_EQ(w->related, e.related);
    EXPECT_EQ(w->text.rfind(e.text, 0), 0u) << w->text;
  }
}

// Two editions of a cell side by side: the newer is read wherever it lies,
// the other is named and passed over (kept for an import to weigh).
TEST_F(CellFolders, OfTwoEditionsOfACellTheNewerIsRead) {
  writeFile(root / "a/E.000", smallCell("E.000", "2"));
  writeFile(root / "b/E.000", smallCell("E.000", "3"));
  writeFile(root / "b/E.001", "an update of edition 3");
  writeFile(root / "c/E.000", smallCell("E.000", "3"));
  const CellFolder folder = scanCellFolder(root.string());
  ASSERT_EQ(folder.cells.size(), 1u);
  EXPECT_EQ(folder.cells[0].path, (root / "b/E.000").string());
  EXPECT_EQ(folder.cells[0].updates.size(), 1u);
  ASSERT_EQ(folder.otherCopies.size(), 2u);
  ASSERT_EQ(folder.warnings.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(folder.warnings[i].kind, LoadWarningKind::SameCellTwice);
    EXPECT_EQ(folder.warnings[i].file, folder.otherCopies[i].path);
    EXPECT_EQ(folder.warnings[i].related, (root / "b/E.000").string());
  }
}

TEST_F(CellFolders, AnUnreadableCatalogueIsReportedAndTheCellsStillFound) {
  writeFile(root / "ENC_ROOT/A.000", smallCell("A.000"));
  writeFile(root / "ENC_ROOT/CATALOG.031", "garbage, not an ISO 8211 file at all");
  const CellFolder folder = scanCellFolder(root.string());
  ASSERT_EQ(folder.cells.size(), 1u);
  EXPECT_TRUE(folder.cells[0].warnings.empty());
  ASSERT_EQ(folder.warnings.size(), 1u);
  EXPECT_NE(folder.warnings[0].text.find("catalogue cannot be read (reader code 3"), std::string::npos)
      << folder.warnings[0].text;
  EXPECT_EQ(folder.warnings[0].kind, LoadWarningKind::CatalogueUnreadable);
  EXPECT_EQ(folder.warnings[0].reader, ReaderResult::NoDescriptiveRecord);
  EXPECT_TRUE(scanCellFolder((root / "absent").string()).cells.empty());
}

// A folder that cannot be read is named with the system's reason, never
// passed over in silence: the folder itself (no cells, and its error), one
// below it (the others are still found), a folder that is missing or no
// folder at all. Permissions bind the test as they bind any user, root too.
TEST_F(CellFolders, FoldersThatCannotBeReadAreNamedWithTheirReason) {
  writeFile(root / "set/A.000", smallCell("A.000"));
  writeFile(root / "set/locked/B.000", smallCell("B.000"));
  writeFile(root / "set/open/C.000", smallCell("C.000"));
  writeFile(root / "file.txt", "not a folder");
  testsupport::FilePermissionsBind permissions;
  ASSERT_TRUE(permissions.binding());
  const struct {
    fs::path scanned, locked;
    std::size_t cells;
    int folderError;
    std::string unreadable;  // the folder named
    int code;
  } cases[] = {
      {root / "set", root / "set/locked", 2, 0, (root / "set/locked").string(), EACCES},
      {root / "set", root / "set", 0, EACCES, (root / "set").string(), EACCES},
      {root / "absent", {}, 0, ENOENT, (root / "absent").string(), ENOENT},
      {root / "file.txt", {}, 0, ENOTDIR, (root / "file.txt").string(), ENOTDIR},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.scanned.string() + " with " + c.locked.string() + " locked");
    if (!c.locked.empty()) fs::permissions(c.locked, fs::perms::none);
    const CellFolder folder = scanCellFolder(c.scanned.string());
    if (!c.locked.empty()) fs::permissions(c.locked, fs::perms::owner_all);
    EXPECT_EQ(folder.cells.size(), c.cells);
    EXPECT_EQ(folder.folderError, c.folderError);
    EXPECT_EQ(folder.unreadableFolders, 1);
    const LoadWarning* w = findKind(folder.warnings, LoadWarningKind::FolderUnreadable);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->file, c.unreadable);
    EXPECT_EQ(w->systemError, c.code);
    EXPECT_EQ(w->text, c.unreadable + ": folder cannot be read (" + std::generic_category().message(c.code) +
                           "), nothing in it is loaded");
  }
}

TEST_F(CellFolders, OneFolderPerCellAsNoaaShipsItGivesTheCellWithItsFourUpdates) {
  const fs::path source = fs::path(CHART_SHARED_ENC) / "US5WA22M";
  if (!fs::is_directory(source)) GTEST_SKIP() << source << " is absent";
  const fs::path cell = root / "ENC_ROOT/US5WA22M";
  fs::create_directories(cell);
  for (const char* ext : {".000", ".001", ".002", ".003", ".004"})
    fs::copy_file(source / ("US5WA22M" + std::string(ext)), cell / ("US5WA22M" + std::string(ext)));
  const CellFolder folder = scanCellFolder((root / "ENC_ROOT").string());
  ASSERT_EQ(folder.cells.size(), 1u);
  EXPECT_TRUE(folder.warnings.empty());
  ASSERT_EQ(folder.cells[0].updates.size(), 4u);
  S57CellReader reader;
  ASSERT_EQ(reader.readCell(folder.cells[0].path), ReaderResult::Ok);
  const UpdateChainResult result = applyUpdateChain(reader, folder.cells[0].updates);
  EXPECT_EQ(result.code, UpdateResult::Ok) << result.error;
  EXPECT_EQ(result.applied, (std::vector<int>{1, 2, 3, 4}));
}

namespace {
// The warnings of `kind` in `warnings`.
std::vector<const LoadWarning*> allOfKind(const std::vector<LoadWarning>& warnings, LoadWarningKind kind) {
  std::vector<const LoadWarning*> found;
  for (const LoadWarning& w : warnings)
    if (w.kind == kind) found.push_back(&w);
  return found;
}

bool mentions(const std::vector<LoadWarning>& warnings, const std::string& text) {
  for (const LoadWarning& w : warnings)
    if (w.text.find(text) != std::string::npos) return true;
  return false;
}
}  // namespace

// A catalogue is data from elsewhere: every name in it that leads out of
// its exchange set is refused by its name as written, and the file it names
// is never opened, so neither its presence nor its CRC-32 is told.
TEST_F(CellFolders, CatalogueEntriesLeadingOutOfTheSetAreRefusedAndNeverOpened) {
  const fs::path set = root / "scan/ENC_ROOT";
  const fs::path outside = root / "outside";
  writeFile(set / "A.000", smallCell("A.000"));
  writeFile(set / "sub/B.000", smallCell("B.000"));
  writeFile(outside / "SECRET.TXT", "not for the catalogue");
  const std::string secretCrc = hexCrc((outside / "SECRET.TXT").string());
  fs::create_directory_symlink(outside, set / "out");             // a folder link leading out
  fs::create_symlink(outside / "SECRET.TXT", set / "LINK.TXT");   // a file link leading out
  fs::create_symlink("../../../outside/SECRET.TXT", set / "sub/REL.TXT");  // relative, leading out
  fs::create_directory_symlink("sub", set / "inside");           // a link that stays inside

  const std::vector<std::pair<std::string, EntryRefusal>> refused = {
      {"../../../../../../../../../../etc/passwd", EntryRefusal::ParentStep},
      {"..\\..\\outside\\SECRET.TXT", EntryRefusal::ParentStep},
      {"sub/../../outside/SECRET.TXT", EntryRefusal::ParentStep},
      {"/etc/passwd", EntryRefusal::AbsolutePath},
      {"\\etc\\passwd", EntryRefusal::AbsolutePath},
      {"C:\\ENC_ROOT\\A.000", EntryRefusal::AbsolutePath},
      {(outside / "SECRET.TXT").string(), EntryRefusal::AbsolutePath},
      {"out/SECRET.TXT", EntryRefusal::LinkLeadsOut},
      {"LINK.TXT", EntryRefusal::LinkLeadsOut},
      {"sub\\REL.TXT", EntryRefusal::LinkLeadsOut},
      {std::string("A.000\0/../x", 11), EntryRefusal::NulByte},
  };
  std::vector<Listed> listed = {{"A.000", hexCrc((set / "A.000").string())},
                                {"inside\\B.000", hexCrc((set / "sub/B.000").string())}};
  for (const auto& [name, reason] : refused) listed.push_back({name, secretCrc});  // the CRC would match
  writeFile(set / "CATALOG.031", catalogueImage(listed));

  const CellFolder folder = scanCellFolder((root / "scan").string());
  EXPECT_EQ(folder.catalogues, 1);
  ASSERT_EQ(folder.cells.size(), 2u);
  // The link inside the set resolves to the file it names.
  EXPECT_TRUE(folder.cells[0].warnings.empty()) << folder.cells[0].warnings.front().text;
  const std::vector<const LoadWarning*> refusals = allOfKind(folder.warnings, LoadWarningKind::EntryRefused);
  ASSERT_EQ(refusals.size(), refused.size());
  for (size_t i = 0; i < refused.size(); ++i) {
    const LoadWarning& w = *refusals[i];
    SCOPED_TRACE(w.text);
    EXPECT_EQ(w.refusal, refused[i].second);
    EXPECT_EQ(w.related, (set / "CATALOG.031").string());
    EXPECT_EQ(w.text.find('\0'), std::string::npos);
    EXPECT_NE(w.text.find("is refused: "), std::string::npos);
  }
  EXPECT_EQ(refusals[0]->file, refused[0].first);  // by its name as written
  EXPECT_EQ(refusals.back()->file, "A.000\\x00/../x");
  EXPECT_EQ(folder.warnings.size(), refused.size()) << folder.warnings.back().text;
  EXPECT_FALSE(mentions(folder.warnings, secretCrc));
}

TEST_F(CellFolders, ACatalogueLinkedFromOutsideTheFolderIsNotRead) {
  const fs::path outside = root / "outside";
  writeFile(outside / "CATALOG.031", catalogueImage({{"../../../etc/passwd", "00000000"}}));
  writeFile(root / "scan/ENC_ROOT/A.000", smallCell("A.000"));
  fs::create_symlink(outside / "CATALOG.031", root / "scan/ENC_ROOT/CATALOG.031");
  // A '\' in a folder's name is a letter on this system, not a separator.
  fs::create_directories(root / "scan/odd\\name");
  fs::create_symlink(outside / "CATALOG.031", root / "scan/odd\\name/CATALOG.031");
  // A catalogue linked from elsewhere inside the folder is read.
  writeFile(root / "scan/kept/CATALOG.031", catalogueImage({{"B.000", ""}}));
  writeFile(root / "scan/second/B.000", smallCell("B.000"));
  fs::create_symlink("../kept/CATALOG.031", root / "scan/second/CATALOG.031");

  const CellFolder folder = scanCellFolder((root / "scan").string());
  EXPECT_EQ(folder.catalogues, 2);  // the kept one where it lies, and its link
  ASSERT_EQ(folder.cells.size(), 2u);
  EXPECT_TRUE(folder.cells[1].warnings.empty());
  std::vector<std::string> outsideLinks;
  for (const LoadWarning* w : allOfKind(folder.warnings, LoadWarningKind::CatalogueOutside)) {
    outsideLinks.push_back(w->file);
    EXPECT_EQ(w->related, (root / "scan").string());
  }
  std::sort(outsideLinks.begin(), outsideLinks.end());
  EXPECT_EQ(outsideLinks, (std::vector<std::string>{(root / "scan/ENC_ROOT/CATALOG.031").string(),
                                                    (root / "scan/odd\\name/CATALOG.031").string()}));
  EXPECT_TRUE(allOfKind(folder.warnings, LoadWarningKind::EntryRefused).empty());
}

// A file listed over and over is checked once and reported once with how
// often: the catalogue costs what its distinct files cost.
TEST_F(CellFolders, AFileListedOverAndOverIsCheckedOnceAndReportedOnce) {
  const fs::path set = root / "ENC_ROOT";
  writeFile(set / "A.000", smallCell("A.000"));
  std::vector<Listed> listed(3000, {"A.000", "0BADC0DE"});
  listed.push_back({".\\A.000", "0BADC0DE"});  // another spelling of the same file
  listed.push_back({"../../etc/passwd", ""});
  listed.push_back({"../../etc/passwd", ""});
  writeFile(set / "CATALOG.031", catalogueImage(listed));
  const CellFolder folder = scanCellFolder(root.string());
  ASSERT_EQ(folder.cells.size(), 1u);
  const std::vector<LoadWarning>& warnings = folder.cells[0].warnings;
  ASSERT_EQ(warnings.size(), 2u) << warnings.back().text;
  EXPECT_EQ(warnings[0].kind, LoadWarningKind::CrcMismatch);
  EXPECT_EQ(warnings[1].kind, LoadWarningKind::ListedRepeatedly);
  EXPECT_EQ(warnings[1].count, 3001);
  EXPECT_EQ(warnings[1].text, (set / "CATALOG.031").string() + ": lists A.000 3001 times; checked once");
  EXPECT_EQ(allOfKind(folder.warnings, LoadWarningKind::EntryRefused).size(), 1u);
}

// Files named like catalogues or cells that are no regular file are never
// opened (a FIFO would hold the scan forever) and never skipped in silence.
TEST_F(CellFolders, CataloguesAndCellFilesThatAreNoRegularFileAreReported) {
  writeFile(root / "one/A.000", smallCell("A.000"));
  ASSERT_EQ(mkfifo((root / "one/CATALOG.031").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo((root / "one/A.001").c_str(), 0600), 0);
  writeFile(root / "two/B.000", smallCell("B.000"));
  fs::create_directories(root / "two/CATALOG.031");
  ASSERT_EQ(mkfifo((root / "two/C.000").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo((root / "two/line\nbreak.000").c_str(), 0600), 0);  // a name that would break the line
  const CellFolder folder = scanCellFolder(root.string());
  EXPECT_EQ(folder.catalogues, 0);
  ASSERT_EQ(folder.cells.size(), 2u);
  std::vector<std::string> found;
  for (const LoadWarning* w : allOfKind(folder.warnings, LoadWarningKind::NotRegularFile)) {
    found.push_back(w->file);
    EXPECT_EQ(w->text.find('\n'), std::string::npos) << w->text;
  }
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::string>{(root / "one/CATALOG.031").string(), (root / "two/C.000").string(),
                                             (root / "two/CATALOG.031").string(),
                                             (root / "two/line\nbreak.000").string()}));
  EXPECT_TRUE(mentions(folder.warnings, "two/line\\x0Abreak.000: not a regular file"));
  // The FIFO update stays in its cell's list: its chain stops there and says why.
  ASSERT_EQ(folder.cells[0].updates.size(), 1u);
  S57CellReader reader;
  ASSERT_EQ(reader.readCell(folder.cells[0].path), ReaderResult::Ok);
  const UpdateChainResult result = applyUpdateChain(reader, folder.cells[0].updates);
  EXPECT_EQ(result.code, UpdateResult::CannotRead);
  EXPECT_NE(result.error.find("A.001: not applied: "), std::string::npos) << result.error;
  EXPECT_NE(result.error.find("not a regular file"), std::string::npos) << result.error;
  EXPECT_EQ(findUpdateFiles(folder.cells[0].path).size(), 1u);  // named alone, the same
}

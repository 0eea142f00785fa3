// Loading the seven files in order, stopping at the first failure.
#include <gtest/gtest.h>
#include <unistd.h>

#include "LibraryFixture.h"
#include "PresentationLibrary.h"

namespace {
const std::string kHead = "BEGIN\n" + fieldLine("LBID", "test");

// One small record per file, each enough to tell whether the file was read.
const std::string kFiles[7] = {
    "BEGIN\n<\nDAY_BRIGHT\nCHBLK;;;;;1;2;3\n",
    kHead + kTerminatorLine + fieldLine("0001", "1") + fieldLine("LUPT", "LU00001NILDEPAREA00003OPLAIN_BOUNDARIES") +
        fieldLine("ATTC", "") + fieldLine("INST", "AC(DEPVS)") + fieldLine("DISC", "DISPLAYBASE") +
        fieldLine("LUCM", "13030"),
    kHead + kTerminatorLine + fieldLine("0001", "1") + fieldLine("PATT", "") +
        fieldLine("PATD", "PATTERN1VLINCON" + std::string(50, '0')) + fieldLine("PXPO", "") + fieldLine("PCRF", "") +
        fieldLine("PVCT", "SW1"),
    kHead + kTerminatorLine + fieldLine("0001", "1") + fieldLine("SYMB", "") +
        fieldLine("SYMD", "SYMBOL01V" + std::string(30, '0')) + fieldLine("SXPO", "") + fieldLine("SCRF", "") +
        fieldLine("SVCT", "SW1"),
    kHead + kTerminatorLine + fieldLine("0001", "1") + fieldLine("LNST", "") +
        fieldLine("LIND", "LINESTY1" + std::string(30, '0')) + fieldLine("LXPO", "") + fieldLine("LCRF", "") +
        fieldLine("LVCT", "SW1"),
    "BEGIN\n<\nObject class: Depth area\nAcronym: DEPARE\nCode: 42\na\nb\nc\nd\n",
    "BEGIN\n<\nAttribute: Depth range value 1\nAcronym: DRVAL1\nCode: 87\nType: F\nClass: F\n>\n",
};

void writeLibrary(const TempDir& dir, int skip = -1) {
  for (int i = 0; i < 7; ++i)
    if (i != skip) dir.write(kLibraryFileNames[i], kFiles[i]);
}

// Which of the seven files left something in the library.
std::vector<bool> filled(const PresentationLibrary& l) {
  return {l.colourTable(ColourScheme::DAY_BRIGHT).entries[2].isValid(),
          l.lookupTable(LookupTableId::PLAIN_BOUNDARIES).count("DEPARE") == 1,
          l.patterns.count("PATTERN1") == 1,
          l.symbols.count("SYMBOL01") == 1,
          l.lineStyles.count("LINESTY1") == 1,
          l.objectClassCatalogue.count(42) == 1,
          l.attributeCatalogue.count("87") == 1};
}
}  // namespace

TEST(LoadPresentationLibrary, ReadsAllSevenFiles) {
  TempDir dir;
  writeLibrary(dir);
  PresentationLibrary library;
  testing::internal::CaptureStdout();
  EXPECT_EQ(loadPresentationLibrary(library, dir.path()), 0);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(filled(library), std::vector<bool>(7, true));
}

TEST(LoadPresentationLibrary, StopsAtTheFirstMissingFile) {
  for (int missing = 0; missing < 7; ++missing) {
    SCOPED_TRACE(kLibraryFileNames[missing]);
    TempDir dir;
    writeLibrary(dir, missing);
    PresentationLibrary library;
    testing::internal::CaptureStdout();
    EXPECT_EQ(loadPresentationLibrary(library, dir.path()), 1);
    // Every reader but the colour reader says "error!", without a line feed.
    EXPECT_EQ(testing::internal::GetCapturedStdout(), missing == 0 ? "" : "error!");
    std::vector<bool> expected(7, false);
    for (int i = 0; i < missing; ++i) expected[i] = true;
    EXPECT_EQ(filled(library), expected);

    PresentationLibrary quiet;
    testing::internal::CaptureStdout();
    EXPECT_EQ(loadPresentationLibrary(quiet, dir.path(), MissingFileReport::Silent), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  }
}

TEST(LoadPresentationLibrary, AColourFailureStopsBeforeTheOtherFiles) {
  TempDir dir;
  writeLibrary(dir);
  dir.write("S57Colours", "BEGIN\n<\nDAY_BRIGHT\nCHBLK;a;b;c;d;1;2\n");
  PresentationLibrary library;
  EXPECT_EQ(loadPresentationLibrary(library, dir.path()), 9);
  EXPECT_EQ(filled(library), std::vector<bool>(7, false));
}

TEST(LoadPresentationLibrary, FilesWithoutBeginContributeNothingAndLoadingGoesOn) {
  TempDir dir;
  writeLibrary(dir);
  dir.write("S57LookupTable", "no header\n");
  PresentationLibrary library;
  EXPECT_EQ(loadPresentationLibrary(library, dir.path()), 0);
  EXPECT_EQ(filled(library), (std::vector<bool>{true, false, true, true, true, true, true}));
}

TEST(LoadPresentationLibrary, TheStartUpFormReadsS57LibOfTheWorkingDirectory) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("S57Lib"));
  for (int i = 0; i < 7; ++i) dir.write(std::string("S57Lib/") + kLibraryFileNames[i], kFiles[i]);
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  const int result = loadPresentationLibrary();
  std::filesystem::current_path(previous);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(filled(presentationLibrary()), std::vector<bool>(7, true));
}

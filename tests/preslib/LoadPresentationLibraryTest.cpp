// Loading the seven files in order, then the optional attribute value and
// Chinese name files, stopping at the first failure.
#include <gtest/gtest.h>
#include <unistd.h>

#include "LibraryFixture.h"
#include "LibraryFiles.h"
#include "LibraryResult.h"
#include "PresentationLibrary.h"

namespace {
const std::string kHead = "BEGIN\n" + fieldLine("LBID", "test");

// One small record per file, each enough to tell whether the file was read.
const std::string kFiles[7] = {
    "BEGIN\n<\nDAY_BRIGHT\nCHBLK;;;;;1;2;3\n",
    kHead + kTerminatorLine + fieldLine("0001", "1") + fieldLine("LUPT", "LU00001NILDEPAREA00003OPLAIN_BOUNDARIES") +
        fieldLine("ATTC", "") + fieldLine("INST", "AC(DEPVS)") + fieldLine("DISC", "DISPLAYBASE") +
        fieldLine("LUCM", "13030") + kTerminatorLine,
    kHead + kTerminatorLine + fieldLine("0001", "1") + fieldLine("PATT", "") +
        fieldLine("PATD", "PATTERN1VLINCON" + std::string(50, '0')) + fieldLine("PXPO", "") + fieldLine("PCRF", "") +
        fieldLine("PVCT", "SW1") + kTerminatorLine,
    kHead + kTerminatorLine + fieldLine("0001", "1") + fieldLine("SYMB", "") +
        fieldLine("SYMD", "SYMBOL01V" + std::string(30, '0')) + fieldLine("SXPO", "") + fieldLine("SCRF", "") +
        fieldLine("SVCT", "SW1") + kTerminatorLine,
    kHead + kTerminatorLine + fieldLine("0001", "1") + fieldLine("LNST", "") +
        fieldLine("LIND", "LINESTY1" + std::string(30, '0')) + fieldLine("LXPO", "") + fieldLine("LCRF", "") +
        fieldLine("LVCT", "SW1") + kTerminatorLine,
    "BEGIN\n<\nObject class: Depth area\nAcronym: DEPARE\nCode: 42\na\nb\nc\nd\n",
    "BEGIN\n<\nAttribute: Depth range value 1\nAcronym: DRVAL1\nCode: 87\nType: F\nClass: F\n>\n",
};

void writeLibrary(const TempDir& dir, int skip = -1) {
  for (int i = 0; i < 7; ++i)
    if (i != skip) dir.write(libraryFileName(i), kFiles[i]);
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
  EXPECT_EQ(loadPresentationLibrary(library, dir.path()), LibraryResult::Ok);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(filled(library), std::vector<bool>(7, true));
}

TEST(LoadPresentationLibrary, StopsAtTheFirstMissingFile) {
  for (int missing = 0; missing < 7; ++missing) {
    SCOPED_TRACE(libraryFileName(missing));
    TempDir dir;
    writeLibrary(dir, missing);
    PresentationLibrary library;
    testing::internal::CaptureStdout();
    EXPECT_EQ(loadPresentationLibrary(library, dir.path()), LibraryResult::CannotOpen);
    // Every reader but the colour reader says "error!", without a line feed.
    EXPECT_EQ(testing::internal::GetCapturedStdout(), missing == 0 ? "" : "error!");
    std::vector<bool> expected(7, false);
    for (int i = 0; i < missing; ++i) expected[i] = true;
    EXPECT_EQ(filled(library), expected);

    PresentationLibrary quiet;
    testing::internal::CaptureStdout();
    EXPECT_EQ(loadPresentationLibrary(quiet, dir.path(), MissingFileReport::Silent), LibraryResult::CannotOpen);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  }
}

TEST(LoadPresentationLibrary, AColourFailureStopsBeforeTheOtherFiles) {
  TempDir dir;
  writeLibrary(dir);
  dir.write("S57Colours", "BEGIN\n<\nDAY_BRIGHT\nCHBLK;a;b;c;d;1;2\n");
  PresentationLibrary library;
  EXPECT_EQ(loadPresentationLibrary(library, dir.path()), LibraryResult::BadColourRow);
  EXPECT_EQ(filled(library), std::vector<bool>(7, false));
}

TEST(LoadPresentationLibrary, ADamagedFileFailsWithACodeNamingIt) {
  const std::string lookup = kFiles[1];
  const std::string classes = kFiles[5];
  const std::string attributes = kFiles[6];
  struct Case {
    const char* what;
    int file;
    std::string content;
    int code;  // 0: loads
  };
  const Case cases[] = {
      {"empty colour file", 0, "", 40},
      {"colour file of BEGIN alone", 0, "BEGIN\n", 40},
      {"look-up file without BEGIN", 1, "no header\n", 41},
      {"look-up file cut inside its last terminator", 1, lookup.substr(0, lookup.size() - 4), 31},
      {"look-up file without its last terminator", 1, lookup.substr(0, lookup.size() - kTerminatorLine.size()), 31},
      {"symbol file of its header alone", 3, kHead, 43},
      {"object class record missing its last line", 5, classes.substr(0, classes.size() - 2), 35},
      {"attribute record without its closing line", 6, attributes.substr(0, attributes.size() - 2), 36},
      {"look-up file with Windows line endings", 1, [&] {
         std::string crlf;
         for (char c : lookup) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
         return crlf;
       }(), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    writeLibrary(dir);
    dir.write(libraryFileName(c.file), c.content);
    PresentationLibrary library;
    const LibraryResult result = loadPresentationLibrary(library, dir.path(), MissingFileReport::Silent);
    EXPECT_EQ(resultCode(result), c.code);
    if (c.code == 0) continue;
    EXPECT_EQ(libraryFileOfResult(result), c.file);
    EXPECT_EQ(libraryResultText(result).rfind(libraryFileName(c.file), 0), 0u) << libraryResultText(result);
    // Files before the damaged one were read; none after it.
    const std::vector<bool> got = filled(library);
    for (int i = c.file + 1; i < 7; ++i) EXPECT_FALSE(got[i]) << libraryFileName(i);
  }
}

// The chart display starts from "S57Lib" of its working directory.
TEST(LoadPresentationLibrary, TheStartUpFormReadsS57LibOfTheWorkingDirectory) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("S57Lib"));
  for (int i = 0; i < 7; ++i) dir.write(std::string("S57Lib/") + libraryFileName(i), kFiles[i]);
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  PresentationLibrary library;
  const LibraryResult result = loadPresentationLibrary(library, "S57Lib");
  std::filesystem::current_path(previous);
  EXPECT_EQ(result, LibraryResult::Ok);
  EXPECT_EQ(filled(library), std::vector<bool>(7, true));
}

// The attribute value file is optional: read after the seven when present,
// held to the same checks as they are.
TEST(LoadPresentationLibrary, TheAttributeValueFileIsReadWhenPresent) {
  using Values = AttributeValueCatalogue;
  const std::string whole =
      "BEGIN\ncomment\n<\nCode: 75\n1: white\n3: red\n>\n"
      "<\nCode: x\n1: lost\n>\n"                            // a code that is not a number
      "<\nCode: 4\n2: can (cylindrical)\nlost\n5:x\n"       // value lines without "digits: "
      "6: spar: a pole\n>\n";
  struct Case {
    const char* what;
    const char* content;  // null: no file
    int code;
    Values values;
  };
  const Case cases[] = {
      {"no file", nullptr, 0, {}},
      {"a whole file", whole.c_str(), 0,
       {{75, {{1, "white"}, {3, "red"}}}, {4, {{2, "can (cylindrical)"}, {6, "spar: a pole"}}}}},
      {"cut short", "BEGIN\n<\nCode: 75\n1: white\n", 37, {{75, {{1, "white"}}}}},
      {"nothing in it", "BEGIN\n", 47, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    writeLibrary(dir);
    if (c.content) dir.write(libraryFile(LibraryFileId::AttributeValues).name, c.content);
    PresentationLibrary library;
    const LibraryResult result = loadPresentationLibrary(library, dir.path(), MissingFileReport::Silent);
    EXPECT_EQ(resultCode(result), c.code);
    EXPECT_EQ(library.attributeValues, c.values);
    EXPECT_EQ(filled(library), std::vector<bool>(7, true));
    if (c.code != 0) {
      EXPECT_EQ(libraryResultText(result).rfind("S57AttributeValues: ", 0), 0u);
    }
  }
}

// The Chinese name file is optional too: names by kind, and lines that are
// no name skipped; a file without its END line or without a name fails the
// load as the other files do.
TEST(LoadPresentationLibrary, TheChineseNameFileIsReadWhenPresent) {
  const std::string longLine = "class\t43\t" + std::string(1100, 'x') + "\n";
  const std::string whole = "BEGIN\ncomment\n"
                            "class\t42\t水深区\n"
                            "attribute\t87\t最小水深\n"
                            "value\t113\t4\t沙\n"
                            "text\tclr %4.1lf\t净空 %.1lf\n"
                            "class\tx\t名\n"              // a code that is not a number
                            "value\t113\t沙\n"            // too few fields
                            "class\t44\t\n"               // no name
                            "class\t45\t\xE6\xB0\n"       // a name cut inside a character
                            "class\t46\ta\x01" "b\n"      // a control character
                            "colour\t1\t红\n"             // an unknown kind
                            + longLine +                  // longer than a line of the reader
                            "END\n";
  struct Case {
    const char* what;
    std::string content;  // empty: no file
    int code;             // as printed
  };
  const Case cases[] = {
      {"no file", "", 0},
      {"a whole file", whole, 0},
      {"cut short", "BEGIN\ncomment\nclass\t42\t水深区\n", 38},
      {"nothing in it", "BEGIN\ncomment\nEND\n", 48},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    writeLibrary(dir);
    if (!c.content.empty()) dir.write(libraryFile(LibraryFileId::ChineseNames).name, c.content);
    PresentationLibrary library;
    const LibraryResult result = loadPresentationLibrary(library, dir.path(), MissingFileReport::Silent);
    EXPECT_EQ(resultCode(result), c.code);
    EXPECT_EQ(filled(library), std::vector<bool>(7, true));
    if (result != LibraryResult::Ok) {
      EXPECT_EQ(libraryResultText(result).rfind("S57ChineseNames: ", 0), 0u);
      continue;
    }
    const ChineseNames& names = library.chineseNames;
    if (c.content.empty()) {
      EXPECT_TRUE(names.empty());
      continue;
    }
    EXPECT_EQ(names.classes, (std::map<int, std::string>{{42, "水深区"}}));
    EXPECT_EQ(names.attributes, (std::map<int, std::string>{{87, "最小水深"}}));
    ASSERT_NE(names.valueName(113, 4), nullptr);
    EXPECT_EQ(*names.valueName(113, 4), "沙");
    EXPECT_EQ(names.values.size(), 1u);
    ASSERT_NE(names.text("clr %4.1lf"), nullptr);
    EXPECT_EQ(*names.text("clr %4.1lf"), "净空 %.1lf");
    EXPECT_EQ(names.texts.size(), 1u);
  }
}

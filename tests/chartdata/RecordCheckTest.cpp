// A base cell's records against the numbers its DSSI declares: files that
// lost or gained whole records read without a reader error, and the record
// check names what is missing, what is doubled, and a cell without features.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "ReaderResult.h"
#include "RealCells.h"
#include "RecordCheck.h"
#include "RecordKinds.h"
#include "S57CellReader.h"
#include "S57Writer.h"

namespace {

using namespace s57write;

// [0] DDR, [1] DSID, [2] DSPM, [3] M_COVR, [4] isolated node, [5] connected
// node, [6] edge, [7] geo feature 2, [8] geo feature 3.
S57Writer cell() {
  S57Writer w;
  w.addDataSet();
  Feature coverage;
  coverage.objl = 302;
  coverage.prim = 3;
  w.addFeature(coverage);
  w.addIsolatedNode(1, {470000000, -1220000000});
  w.addConnectedNode(2, {470000000, -1220000000});
  w.addEdge(3, 2, 2, {{470001000, -1220001000}});
  Feature light;
  light.rcid = 2;
  light.objl = 75;
  w.addFeature(light);
  light.rcid = 3;
  w.addFeature(light);
  return w;
}

std::string recordBytes(const std::string& image, const std::vector<size_t>& at, size_t record) {
  const size_t end = record + 1 < at.size() ? at[record + 1] : image.size();
  return image.substr(at[record], end - at[record]);
}

std::vector<LoadWarning> check(const std::string& image, ReaderResult& readerCode) {
  S57CellReader reader;
  readerCode = reader.readCellBytes(image);
  return checkCellRecords("CELL.000", reader);
}

std::string tallyText(const LoadWarning& w) {
  std::string text;
  for (const RecordTally& t : w.tallies)
    text += std::string(t.kind < kRecordKindCount ? recordKindField(t.kind) : "unknown") + " " +
            std::to_string(t.declared) + "/" + std::to_string(t.read) + " ";
  return text;
}

}  // namespace

// Each damage keeps the reader's code 0; the check gives its findings in
// order, with the kinds whose numbers disagree (declared/read).
TEST(RecordCheck, RecordsLostOrGainedAreNamedWithTheirKindsAndCounts) {
  const S57Writer writer = cell();
  const std::string image = writer.image();
  const std::vector<size_t> at = writer.iso().recordOffsets();
  std::string swallowing = image;  // the connected node's length digits swallow the edge
  const size_t joined = recordBytes(image, at, 5).size() + recordBytes(image, at, 6).size();
  char digits[6];
  std::snprintf(digits, sizeof digits, "%05zu", joined);
  swallowing.replace(at[5], 5, digits);

  constexpr ReaderResult Mismatch = ReaderResult::RecordCountMismatch;
  const struct {
    const char* name;
    std::string image;
    std::vector<ReaderResult> codes;
    std::string tallies;  // of the first finding, when it is 18
  } cases[] = {
      {"whole", image, {}, ""},
      {"cut before the first feature record",
       image.substr(0, at[3]),
       {Mismatch},
       "NOMR 1/0 NOGR 2/0 NOIN 1/0 NOCN 1/0 NOED 1/0 "},
      {"cut after the vector records", image.substr(0, at[7]), {Mismatch}, "NOGR 2/0 "},
      {"a feature record deleted", image.substr(0, at[7]) + recordBytes(image, at, 8), {Mismatch}, "NOGR 2/1 "},
      {"a feature record doubled",
       image + recordBytes(image, at, 8),
       {Mismatch, ReaderResult::DuplicateRecord},
       "NOGR 2/3 "},
      {"a length digit changed so the edge is swallowed", swallowing, {Mismatch}, "NOED 1/0 "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderResult readerCode = ReaderResult::CannotOpen;
    const std::vector<LoadWarning> findings = check(c.image, readerCode);
    EXPECT_EQ(readerCode, ReaderResult::Ok);  // the reader alone cannot tell
    ASSERT_EQ(findings.size(), c.codes.size());
    for (size_t i = 0; i < findings.size(); ++i) {
      EXPECT_EQ(findings[i].kind, LoadWarningKind::RecordsDisagree);
      EXPECT_EQ(findings[i].reader, c.codes[i]);
      EXPECT_EQ(findings[i].file, "CELL.000");
      EXPECT_TRUE(cellListedDespite(findings[i].reader));
    }
    if (!findings.empty() && findings[0].reader == ReaderResult::RecordCountMismatch) {
      EXPECT_EQ(tallyText(findings[0]), c.tallies);
    }
  }

  ReaderResult readerCode = ReaderResult::CannotOpen;
  const std::vector<LoadWarning> deleted = check(cases[3].image, readerCode);
  EXPECT_EQ(deleted[0].text,
            "CELL.000: records lost or added, the cell is not whole: NOGR declares 2 geo feature records, 1 read");
  const std::vector<LoadWarning> doubled = check(cases[4].image, readerCode);
  EXPECT_EQ(doubled[1].text,
            "CELL.000: 1 record repeats the record name (RCNM and RCID) of an earlier one, the first RCNM=100,RCID=3");
  EXPECT_EQ(doubled[1].count, 1);
}

TEST(RecordCheck, NamesRepeatedRecordsNoFeaturesAndVectorsOfNoKnownKind) {
  // Two nodes of one name, the numbers right: a repeat alone.
  S57Writer twice;
  twice.addDataSet().addIsolatedNode(7, {1, 2}).addIsolatedNode(7, {3, 4}).addFeature(Feature());
  // Names far beyond the records' count are told apart another way than
  // near ones: whichever repeats first in the file is named.
  S57Writer farFirst, nearFirst;
  farFirst.addDataSet();
  nearFirst.addDataSet();
  for (const int64_t rcid : {3000000, 7, 3000000, 7}) farFirst.addIsolatedNode(rcid, {1, 2});
  for (const int64_t rcid : {7, 3000000, 7, 3000000}) nearFirst.addIsolatedNode(rcid, {1, 2});
  farFirst.addFeature(Feature());
  nearFirst.addFeature(Feature());
  // Nothing but a node, and a DSSI that says so: still no silent success.
  S57Writer empty;
  empty.addDataSet().addIsolatedNode(1, {1, 2});
  // A vector record whose RCNM is none of 110, 120, 130, 140.
  S57Writer unknown;
  Vector odd;
  odd.rcnm = 150;
  unknown.addDataSet().addVector(odd).addFeature(Feature());
  const struct {
    const char* name;
    std::string image;
    ReaderResult code;
    std::string detail;
  } cases[] = {
      {"a node twice", twice.image(), ReaderResult::DuplicateRecord, "RCNM=110,RCID=7"},
      {"a far name repeated first", farFirst.image(), ReaderResult::DuplicateRecord, "RCNM=110,RCID=3000000"},
      {"a near name repeated first", nearFirst.image(), ReaderResult::DuplicateRecord, "RCNM=110,RCID=7"},
      {"no feature", empty.image(), ReaderResult::NoFeatures, ""},
      {"an unknown vector", unknown.image(), ReaderResult::RecordCountMismatch,
       "1 vector records of no known RCNM read"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ReaderResult readerCode = ReaderResult::CannotOpen;
    const std::vector<LoadWarning> findings = check(c.image, readerCode);
    EXPECT_EQ(readerCode, ReaderResult::Ok);
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].reader, c.code);
    EXPECT_EQ(findings[0].detail, c.detail);
  }
}

// b14 is an unsigned 32-bit number: a claim near 2^32 is compared as it is,
// costs nothing, and is named.
TEST(RecordCheck, AnAbsurdDeclaredCountIsComparedAndCostsNothing) {
  DataSet d;
  d.recordCounts = {{4294967295LL, 0, 1, 0, 0, 0, 0, 4294967295LL}};
  S57Writer w;
  Feature f;
  w.addDataSet(d).addFeature(f);
  const auto start = std::chrono::steady_clock::now();
  S57CellReader reader;
  ASSERT_EQ(reader.readCellBytes(w.image()), ReaderResult::Ok);
  EXPECT_EQ(reader.dataSetStructure.NOMR, 4294967295u);
  const std::vector<LoadWarning> findings = checkCellRecords("HUGE.000", reader);
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 0.5);
  ASSERT_EQ(findings.size(), 1u);
  ASSERT_EQ(findings[0].tallies.size(), 2u);
  EXPECT_EQ(findings[0].tallies[0].declared, 4294967295ull);
  EXPECT_EQ(findings[0].tallies[0].read, 0u);
  EXPECT_NE(findings[0].text.find("NOMR declares 4294967295 meta feature records, 0 read"), std::string::npos)
      << findings[0].text;
}

// The shipped cells declare what they hold, but for S-58 test cells built
// to carry DSSI errors, and every one of those is named.
TEST(RecordCheck, RealCellsDeclareWhatTheyHold) {
  const std::vector<std::string> paths = realCellPaths();
  if (paths.empty()) GTEST_SKIP() << "no shared cells in " << CHART_SHARED_ENC;
  std::vector<std::string> disagreeing;
  for (const std::string& path : paths) {
    S57CellReader reader;
    ASSERT_EQ(reader.readCell(path), ReaderResult::Ok) << path;
    const std::vector<LoadWarning> findings = checkCellRecords(path, reader);
    if (!findings.empty()) disagreeing.push_back(std::filesystem::path(path).filename().string());
    for (const LoadWarning& w : findings) EXPECT_EQ(w.reader, ReaderResult::RecordCountMismatch) << w.text;
  }
  std::sort(disagreeing.begin(), disagreeing.end());
  EXPECT_EQ(disagreeing, (std::vector<std::string>{"AA400004.000", "AA400009.000", "AA400012.000"}));
}

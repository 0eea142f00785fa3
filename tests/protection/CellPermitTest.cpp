// Cell permits: the scheme's worked example (checksum, cell keys, making
// it), and the records that are refused as malformed.
#include <gtest/gtest.h>

#include <cstring>

#include "CellPermit.h"
#include "HexDigits.h"

namespace {

const char* const kExample = "NO4D061320000830BEB9BFE3C7C6CE68B16411FD09F96982795C77B204F54D48";
const SecureString kExampleKey6 = "123481";  // HW_ID 12348 with its first byte again

CellPermit parsed(const std::string& record) {
  CellPermit permit;
  std::string reason;
  EXPECT_EQ(parseCellPermitRecord(record, permit, reason), SseCode::None) << reason;
  return permit;
}

TEST(CellPermit, WorkedExample) {
  const CellPermit permit = parsed(std::string(kExample) + ",0,5,PM,a comment, with a comma");
  EXPECT_EQ(permit.cell, "NO4D0613");
  EXPECT_EQ(permit.expiry.compact(), "20000830");
  EXPECT_TRUE(permit.subscription());
  EXPECT_EQ(permit.edition, "5");
  EXPECT_EQ(permit.dataServer, "PM");
  EXPECT_EQ(permit.comment, "a comment, with a comma");
  EXPECT_EQ(checkCellPermitChecksum(permit, kExampleKey6), SseCode::None);
  CellKeys keys;
  ASSERT_TRUE(decryptCellKeys(permit, kExampleKey6, keys));
  EXPECT_EQ(hexUpper(keys.key1, CellKeys::kLength), "C1CB518E9C");
  EXPECT_EQ(hexUpper(keys.key2, CellKeys::kLength), "421571CC66");
  EXPECT_EQ(makeCellPermit("NO4D0613", "20000830", keys, kExampleKey6), kExample);
}

TEST(CellPermit, ChecksumFailsForAnotherSystemOrAChangedField) {
  const CellPermit permit = parsed(std::string(kExample) + ",0,,PM,");
  EXPECT_EQ(checkCellPermitChecksum(permit, "123451"), SseCode::PermitChecksum);
  for (const size_t at : {size_t(3), size_t(10), size_t(20), size_t(40), size_t(60)}) {
    std::string changed = kExample;
    changed[at] = changed[at] == '0' ? '1' : '0';
    EXPECT_EQ(checkCellPermitChecksum(parsed(changed + ",0,,PM,"), kExampleKey6), SseCode::PermitChecksum) << at;
  }
}

TEST(CellPermit, MalformedRecordsGiveSse12) {
  const std::string p = kExample;
  struct Case {
    std::string record;
    const char* reason;
  };
  const Case cases[] = {
      {p.substr(1) + ",0,1,GB,", "63 characters"},
      {p + "0,0,1,GB,", "65 characters"},
      {p + ",0,1", "at least four"},
      {p, "at least four"},
      {"", "at least four"},
      {p + ",2,1,GB,", "service level"},
      {p + ",0,x,GB,", "edition"},
      {p + ",0,1,G,", "data server"},
      {p + ",0,1,G#,", "data server"},
      {"no4d0613" + p.substr(8) + ",0,1,GB,", "cell name"},
      {p.substr(0, 8) + "20001330" + p.substr(16) + ",0,1,GB,", "expiry date"},
      {p.substr(0, 8) + "2000083X" + p.substr(16) + ",0,1,GB,", "expiry date"},
      {p.substr(0, 20) + "G" + p.substr(21) + ",0,1,GB,", "hexadecimal"},
      {std::string(64, '\0') + ",0,1,GB,", "cell name"},
  };
  for (const Case& c : cases) {
    CellPermit permit;
    std::string reason;
    EXPECT_EQ(parseCellPermitRecord(c.record, permit, reason), SseCode::PermitFormat) << c.record;
    EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
  }
  // An empty data server ID and edition are allowed; a single purchase is no subscription.
  EXPECT_FALSE(parsed(p + ",1,,,").subscription());
}

}  // namespace

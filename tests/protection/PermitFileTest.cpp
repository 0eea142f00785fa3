// PERMIT.TXT: its sections and line ends, the files that are no permit
// file, and the checks of each permit against the data client's date.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "PermitCheck.h"
#include "PermitFile.h"

namespace fs = std::filesystem;

namespace {

// GB100001 for HW_ID 12345, expiring 2018-12-31 (test 2g's first permit).
const std::string kGood = "GB10000120181231517C1E9A4BCF3826517C1E9A4BCF3826760CD6BA8AAEE1A0,0,1,GB,";
const SecureString kKey6 = "123451";

CalendarDay day(const char* text) { return *parseCompactDay(text); }

TEST(PermitFile, SectionsAndLineEnds) {
  for (const char* end : {"\r\n", "\n", "\r"}) {
    const std::string e = end;
    const PermitFile file = parsePermitFile(":DATE 20130422 14:11" + e + ":VERSION 2" + e + ":ENC" + e + kGood + e +
                                            e + ":ECS" + e + kGood + e);
    ASSERT_EQ(file.code, SseCode::None) << file.reason;
    EXPECT_EQ(file.date->compact(), "20130422");
    EXPECT_EQ(file.version, 2);
    ASSERT_EQ(file.records.size(), 2u);
    EXPECT_TRUE(file.records[0].official);
    EXPECT_FALSE(file.records[1].official);
    EXPECT_EQ(file.records[0].line, 4);
    EXPECT_EQ(file.records[1].line, 7);
  }
}

TEST(PermitFile, FilesThatAreNoPermitFile) {
  struct Case {
    std::string text;
    SseCode code;
    const char* reason;
  };
  const Case cases[] = {
      {":DATE 20071019 11:36\r\n:VERSION 2\r\n:ENC\r\n:ECS\r\n", SseCode::PermitNotFound, "no permit"},
      {"", SseCode::PermitFormat, ":DATE and :VERSION are missing"},
      {":VERSION 2\n:ENC\n" + kGood + "\n", SseCode::PermitFormat, "before the header"},
      {":DATE 2013042 14:11\n:VERSION 2\n:ENC\n" + kGood + "\n", SseCode::PermitFormat, ":DATE"},
      {":DATE 20130422 14:11\n:VERSION 0\n:ENC\n", SseCode::PermitFormat, ":VERSION"},
      {":DATE 20130422 14:11\n:VERSION 2\n" + kGood + "\n", SseCode::PermitFormat, "before the :ENC"},
      {":DATE 20130422 14:11\n:VERSION 2\n", SseCode::PermitFormat, ":ENC section is missing"},
      {":DATE 20130422 14:11\n:VERSION 2\n:ENC\n:ENC\n", SseCode::PermitFormat, "after the"},
      {":DATE 20130422 14:11\n:VERSION 2\n:ENC\n:XYZ\n", SseCode::PermitFormat, "not a header"},
      {std::string("\x00\x01\x02", 3), SseCode::PermitFormat, "before the"},
  };
  for (const Case& c : cases) {
    const PermitFile file = parsePermitFile(c.text);
    EXPECT_EQ(file.code, c.code) << c.text;
    EXPECT_NE(file.reason.find(c.reason), std::string::npos) << file.reason;
  }
}

TEST(PermitFile, ReadFromDiskByNameAndSize) {
  const fs::path folder = fs::temp_directory_path() / ("chart_permit_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  std::ofstream(folder / "PERMIT.TXT") << ":DATE 20130422 14:11\n:VERSION 2\n:ENC\n" << kGood << "\n";
  std::ofstream(folder / "OTHER.TXT") << ":DATE 20130422 14:11\n:VERSION 2\n:ENC\n" << kGood << "\n";
  EXPECT_EQ(readPermitFile((folder / "PERMIT.TXT").string()).records.size(), 1u);
  EXPECT_EQ(readPermitFile((folder / "OTHER.TXT").string()).code, SseCode::PermitNotFound);
  EXPECT_EQ(readPermitFile((folder / "ABSENT" / "PERMIT.TXT").string()).code, SseCode::PermitNotFound);
  {
    std::ofstream big(folder / "PERMIT.TXT");
    big << ":DATE 20130422 14:11\n:VERSION 2\n:ENC\n";
    const std::string line = kGood + "\n";
    for (size_t written = 0; written <= kMaxPermitFileBytes; written += line.size()) big << line;
  }
  const PermitFile big = readPermitFile((folder / "PERMIT.TXT").string());
  EXPECT_EQ(big.code, SseCode::PermitFormat);
  EXPECT_TRUE(big.records.empty());
  fs::remove_all(folder);
}

TEST(PermitCheck, ExpiryAndTheThirtyDayWarning) {
  const PermitFile file = parsePermitFile(":DATE 20130422 14:11\n:VERSION 2\n:ENC\n" + kGood + "\n");
  ASSERT_EQ(file.records.size(), 1u);
  struct Case {
    const char* today;
    PermitState state;
    std::vector<SseCode> codes;
  };
  const Case cases[] = {
      {"20130601", PermitState::Valid, {}},
      {"20181130", PermitState::Valid, {}},  // 31 days left
      {"20181201", PermitState::Expiring, {SseCode::SubscriptionExpiring}},  // 30 days left
      {"20181231", PermitState::Expiring, {SseCode::SubscriptionExpiring}},  // its last day
      {"20190101", PermitState::Expired, {SseCode::SubscriptionExpired}},
  };
  for (const Case& c : cases) {
    const PermitVerdict verdict = checkPermitRecord(file.records[0], kKey6, day(c.today));
    EXPECT_EQ(verdict.state, c.state) << c.today;
    EXPECT_EQ(verdict.codes, c.codes) << c.today;
  }
  // Another installation's HW_ID: the checksum refuses it.
  const PermitVerdict other = checkPermitRecord(file.records[0], "123481", day("20130601"));
  EXPECT_EQ(other.state, PermitState::Refused);
  EXPECT_EQ(other.codes, std::vector<SseCode>{SseCode::PermitChecksum});
}

TEST(DataClientClock, FixedDateAndCalendar) {
  EXPECT_EQ(DataClientClock::fixedAt(day("20121215")).today().compact(), "20121215");
  EXPECT_FALSE(DataClientClock::systemClock().isFixed());
  EXPECT_GT(DataClientClock::systemClock().today().year, 2000);
  EXPECT_EQ(day("20121231").dayNumber() - day("20121201").dayNumber(), 30);
  EXPECT_EQ(dayFromNumber(day("20240229").dayNumber()).compact(), "20240229");
  for (const char* bad : {"20230229", "20131301", "20130100", "2013061", "2013060A", ""})
    EXPECT_FALSE(parseCompactDay(bad)) << bad;
}

}  // namespace

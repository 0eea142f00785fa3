// The IHO's encrypted test data (S-64 tests 2, 4, 5 and 6) through enctool
// permits and enctool decrypt-check, with the data client's date of the
// tests: each row gives the codes the data client returns and the cells,
// editions and updates that decrypt.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "ExchangeSetCheck.h"
#include "ManufacturerIdentity.h"
#include "PermitCheck.h"
#include "PermitFile.h"
#include "ProtectionFixtures.h"
#include "S57CellReader.h"
#include "RealData.h"
#include "ToolRun.h"

namespace {

using protectiontest::testData;
using testsupport::runCommand;
using testsupport::shellQuote;

// The raw text of a field of a one-line JSON object ("sse" gives "[9,24]").
std::string field(const std::string& line, const std::string& name) {
  const std::string key = "\"" + name + "\":";
  size_t at = line.find(key);
  if (at == std::string::npos) return {};
  at += key.size();
  if (line[at] == '"') {
    const size_t end = line.find('"', at + 1);
    return line.substr(at + 1, end - at - 1);
  }
  const size_t end = line.find_first_of(line[at] == '[' ? "]" : ",}", at);
  return line.substr(at, end - at + (line[at] == '[' ? 1 : 0));
}

struct FileLine {
  std::string cell;
  int edition, update;
  bool decrypted;
  std::string sse;
};

struct CheckRun {
  int status = -1;
  std::string permitsSse;
  std::vector<std::string> setSse;  // one per exchange set
  std::vector<FileLine> files;

  // "GB100002:13/0-5" for each cell: its edition and the updates that
  // decrypt, in order from 0 without a gap (what a store could apply).
  std::string usable() const {
    std::map<std::string, std::pair<int, std::set<int>>> cells;
    std::set<std::string> refusedBase;
    for (const FileLine& f : files) {
      auto& cell = cells[f.cell];
      cell.first = f.edition;
      if (f.decrypted) cell.second.insert(f.update);
    }
    std::string text;
    for (const auto& [name, cell] : cells) {
      int last = -1;
      while (cell.second.count(last + 1)) ++last;
      if (last < 0) continue;
      if (!text.empty()) text += " ";
      text += name + ":" + std::to_string(cell.first) + "/0-" + std::to_string(last);
    }
    return text;
  }
  std::string codesOf(const std::string& cell, int update) const {
    for (const FileLine& f : files)
      if (f.cell == cell && f.update == update) return f.sse;
    return "absent";
  }
  std::set<std::string> allCodes() const {
    std::set<std::string> codes;
    for (const FileLine& f : files) codes.insert(f.sse);
    return codes;
  }
};

std::string q(const std::string& relative) { return shellQuote(testData(relative)); }

CheckRun decryptCheck(const std::string& arguments) {
  const auto run = runCommand(std::string(ENCTOOL_PATH) + " decrypt-check " + arguments);
  CheckRun result;
  result.status = run.status;
  for (const std::string& line : run.lines()) {
    if (line.rfind("{\"permits\"", 0) == 0) {
      result.permitsSse = field(line, "sse");
    } else if (line.rfind("{\"exchangeSet\"", 0) == 0) {
      result.setSse.push_back(field(line, "sse"));
    } else if (line.rfind("{\"file\"", 0) == 0) {
      result.files.push_back({field(line, "cell"), std::stoi(field(line, "edition")), std::stoi(field(line, "update")),
                              field(line, "decrypted") == "true", field(line, "sse")});
    }
  }
  return result;
}

std::string check(const std::string& date, const std::string& permits, const std::string& certificate,
                  const std::string& folder) {
  std::string arguments = "--date " + date;
  if (!permits.empty()) arguments += " --permits " + q(permits);
  if (!certificate.empty()) arguments += " --certificate " + q(certificate);
  return arguments + " " + q(folder);
}

const std::string kLicensing = "2 ENC Licencing/Test ";
const std::string kAuth1 = "4 Authentication_Part1/Test ";
const std::string kAuth2 = "5 Authentication_Part2/Test ";
const std::string kDecryption = "6 ENC Decryption/Test ";
const std::string kIho = kAuth1 + "4b/IHO.CRT";

class TestData : public testing::Test {
protected:
  void SetUp() override { SKIP_UNLESS_PRESENT(testData(), std::string(ENCTOOL_PATH)); }
};

// enctool permits: the codes of each permit record in file order.
std::vector<std::string> permitCodes(const std::string& date, const std::string& file) {
  std::vector<std::string> codes;
  for (const std::string& line :
       runCommand(std::string(ENCTOOL_PATH) + " permits --date " + date + " " + q(file)).lines())
    codes.push_back(field(line, "cell") + field(line, "dataServer") + field(line, "sse"));
  return codes;
}

TEST_F(TestData, PermitRows2aTo2g) {
  struct Row {
    const char* name;
    const char* date;
    std::string file;
    std::vector<std::string> expected;
  };
  const Row rows[] = {
      {"2a", "20130601", kLicensing + "2a/PERMIT.TXT", {"[11]"}},
      {"2b", "20130601", kLicensing + "2b/PERMIT.TXT", {"[12]", "GB100002GB[]"}},
      {"2c/1", "20130601", kLicensing + "2c/1/PERMIT.TXT", {"GB100001GB[13]", "GB100002GB[]"}},
      {"2c/2", "20130601", kLicensing + "2c/2/PERMIT.TXT", {"GB100001GB[13]", "GB100002GB[]"}},
      {"2d", "20130601", kLicensing + "2d/PERMIT.TXT", {"GB100001GB[15]", "GB100002GB[15]", "GB100004GB[15]"}},
      {"2e", "20121215", kLicensing + "2e/PERMIT.TXT", {"GB100001GB[20]", "GB100002GB[20]", "GB100004GB[20]"}},
      {"2g/DS1", "20130601", kLicensing + "2g/DS1/PERMIT.TXT",
       {"GB100001GB[]", "GB100002GB[]", "GB100004GB[]", "GB100005GB[]"}},
      {"2g/DS2", "20130601", kLicensing + "2g/DS2/PERMIT.TXT",
       {"GB100004PM[]", "GB100005PM[]", "GB100006PM[]", "GB100007PM[]"}},
  };
  for (const Row& row : rows) EXPECT_EQ(permitCodes(row.date, row.file), row.expected) << row.name;
  const std::vector<std::string> ten = permitCodes("20130601", kLicensing + "2f/PERMIT.TXT");
  ASSERT_EQ(ten.size(), 10u);
  for (const std::string& permit : ten) EXPECT_EQ(permit.substr(8), "GB[]") << permit;
}

TEST_F(TestData, AuthenticationRows4aTo4f) {
  const CheckRun a = decryptCheck(check("20130601", kAuth1 + "4a/PERMIT.TXT", kIho, kAuth1 + "4a"));
  EXPECT_EQ(a.allCodes(), std::set<std::string>{"[6]"});
  EXPECT_EQ(a.usable(), "");
  EXPECT_EQ(a.status, 1);
  const CheckRun aOther = decryptCheck(check("20130601", kAuth1 + "4a/PERMIT.TXT", kIho, kAuth1 + "4a") +
                                       " --other-key " + q(kAuth1 + "4a/UKHO.PUB"));
  EXPECT_EQ(aOther.setSse, std::vector<std::string>{"[26]"});
  EXPECT_EQ(aOther.usable(), "GB100001:3/0-6 GB100002:13/0-5");

  const CheckRun b = decryptCheck(check("20130601", kAuth1 + "4b/PERMIT.TXT", kIho, kAuth1 + "4b"));
  EXPECT_EQ(b.allCodes(), std::set<std::string>{"[]"});
  EXPECT_EQ(b.usable(), "GB100004:7/0-1 GB100005:3/0-2");
  EXPECT_EQ(b.status, 0);

  const CheckRun c = decryptCheck(check("20130601", kAuth1 + "4c/PERMIT.TXT", "", kAuth1 + "4c"));
  EXPECT_EQ(c.allCodes(), std::set<std::string>{"[5]"});
  EXPECT_EQ(c.usable(), "");

  const CheckRun expired = decryptCheck(
      check("20130601", kAuth1 + "4d/Expired/PERMIT.TXT", kAuth1 + "4d/Expired/IHO.CRT", kAuth1 + "4d/Expired"));
  EXPECT_EQ(expired.allCodes(), std::set<std::string>{"[22]"});
  EXPECT_EQ(expired.usable(), "");
  const CheckRun current = decryptCheck(
      check("20130601", kAuth1 + "4d/Current/PERMIT.TXT", kAuth1 + "4d/Current/IHO.CRT", kAuth1 + "4d/Current"));
  EXPECT_EQ(current.usable(), "GB100001:3/0-6 GB100002:13/0-5");

  for (const char* damaged : {"4e/IHO.CRT", "4e/IHO.PUB"}) {
    const CheckRun e = decryptCheck(check("20130601", kAuth1 + "4e/PERMIT.TXT", kAuth1 + damaged, kAuth1 + "4e"));
    EXPECT_EQ(e.allCodes(), std::set<std::string>{"[8]"}) << damaged;
    EXPECT_EQ(e.usable(), "") << damaged;
  }

  // Two data servers: the first with the IHO's certificate, the second's
  // data against the IHO key the data client keeps.
  const CheckRun first = decryptCheck(check("20130601", kAuth1 + "4f/DS1/PERMIT.TXT", kAuth1 + "4f/DS1/IHO.CRT", kAuth1 + "4f/DS1"));
  EXPECT_EQ(first.allCodes(), std::set<std::string>{"[]"});
  EXPECT_EQ(first.usable(), "GB58932B:1/0-0 GB60242T:2/0-0 GB61011A:1/0-1");
  const CheckRun second = decryptCheck(check("20130601", kAuth1 + "4f/DS2/PERMIT.TXT", kIho, kAuth1 + "4f/DS2"));
  EXPECT_EQ(second.allCodes(), std::set<std::string>{"[6]"});
  // Its own "IHO.CRT" is the UKHO's certificate, which ran out in 2010.
  const CheckRun secondOwn = decryptCheck(check("20130601", kAuth1 + "4f/DS2/PERMIT.TXT", kAuth1 + "4f/DS2/IHO.CRT", kAuth1 + "4f/DS2"));
  EXPECT_EQ(secondOwn.allCodes(), std::set<std::string>{"[22]"});
}

TEST_F(TestData, AuthenticationRows5aTo5f) {
  const std::string iho = kAuth2 + "5f/IHO.CRT";
  const CheckRun a = decryptCheck(check("20130601", kAuth2 + "5a/PERMIT.TXT", kAuth2 + "5a/IHO.CRT", kAuth2 + "5a"));
  EXPECT_EQ(a.codesOf("GB61021A", 1), "[6]");
  EXPECT_EQ(a.usable(), "GB61021A:1/0-0 GB61021B:1/0-1");

  const CheckRun b = decryptCheck(check("20130601", kAuth2 + "5b/PERMIT.TXT", iho, kAuth2 + "5b") + " --other-key " +
                                  q(kAuth2 + "5b/NONSA.PUB"));
  EXPECT_EQ(b.setSse, std::vector<std::string>{"[26]"});
  int warned = 0;
  for (const FileLine& f : b.files) warned += f.sse == "[26]";
  EXPECT_EQ(warned, 1) << "SSE 26 is said once for the exchange set";
  EXPECT_EQ(b.usable(), "GB61021A:1/0-1 GB61021B:1/0-1 GB61032A:1/0-2");

  const CheckRun c = decryptCheck(check("20130601", kAuth2 + "5c/PERMIT.TXT", kAuth2 + "5c/IHO.CRT", kAuth2 + "5c"));
  EXPECT_EQ(c.codesOf("GB301620", 0), "[9]");
  EXPECT_EQ(c.usable(), "GB301640:4/0-0");

  // 5d ships without permits or certificate: those of 5c serve.
  const CheckRun d = decryptCheck(check("20130601", kAuth2 + "5c/PERMIT.TXT", kAuth2 + "5c/IHO.CRT", kAuth2 + "5d"));
  EXPECT_EQ(d.codesOf("GB301660", 0), "[24]");
  EXPECT_EQ(d.usable(), "GB301620:3/0-0");

  const CheckRun e = decryptCheck(check("20130601", kAuth2 + "5e/PERMIT.TXT", iho, kAuth2 + "5e"));
  EXPECT_EQ(e.codesOf("GB301820", 0), "[9]");
  EXPECT_EQ(e.codesOf("GB301860", 1), "[24]");
  EXPECT_EQ(e.usable(), "GB301620:3/0-0 GB301640:4/0-0 GB301660:5/0-0 GB301840:8/0-1 GB301860:3/0-0 GB302020:4/0-1");

  const CheckRun f = decryptCheck(check("20130601", kAuth2 + "5f/PERMIT.TXT", iho, kAuth2 + "5f"));
  EXPECT_EQ(f.allCodes(), std::set<std::string>{"[]"});
  EXPECT_EQ(f.usable(),
            "GB301620:3/0-0 GB301640:4/0-0 GB301660:5/0-0 GB301820:3/0-0 GB301840:8/0-1 GB301860:3/0-2 GB302020:4/0-1");
}

TEST_F(TestData, DecryptionRows6aTo6e) {
  const std::string iho = kDecryption + "6a/IHO.CRT";
  const CheckRun a = decryptCheck(check("20130601", kDecryption + "6a/PERMIT.TXT", iho, kDecryption + "6a"));
  EXPECT_EQ(a.allCodes(), std::set<std::string>{"[15]"});
  EXPECT_EQ(a.usable(), "GB61021A:1/0-1 GB61021B:1/0-1");

  const CheckRun b = decryptCheck(check("20130601", "", iho, kDecryption + "6b"));
  EXPECT_EQ(b.permitsSse, "[11]");
  EXPECT_EQ(b.allCodes(), std::set<std::string>{"[11]"});
  const CheckRun bWith6a = decryptCheck(check("20121215", kDecryption + "6a/PERMIT.TXT", iho, kDecryption + "6b"));
  EXPECT_EQ(bWith6a.allCodes(), std::set<std::string>{"[20]"});
  EXPECT_EQ(bWith6a.usable(), "GB61021A:1/0-1 GB61021B:1/0-1");

  const CheckRun c = decryptCheck(check("20130601", kDecryption + "6c/PERMIT.TXT", iho, kDecryption + "6c"));
  EXPECT_EQ(c.codesOf("GB58911A", 0), "[21]");
  EXPECT_EQ(c.codesOf("GB58911B", 0), "[21]");
  EXPECT_EQ(c.usable(), "GB58910B:1/0-0 GB58910C:2/0-1 GB58913A:1/0-0 GB58932A:1/0-0 GB58932B:1/0-0");

  const CheckRun d = decryptCheck(check("20130601", kDecryption + "6d/PERMIT.TXT", iho, kDecryption + "6d"));
  EXPECT_EQ(d.codesOf("GB40162B", 0), "[16]");
  EXPECT_EQ(d.codesOf("GB40164A", 3), "[16]");
  EXPECT_EQ(d.usable(), "GB40162A:9/0-3 GB40162C:1/0-1 GB40164A:1/0-2");

  // PRIMAR's exchange set (SERIAL.ENC names PM, the permit GB), its zip with a data descriptor.
  const CheckRun e = decryptCheck(check("20130601", kDecryption + "6e/V01X01/PERMIT.TXT",
                                        kDecryption + "6e/V01X01/IHO.CRT", kDecryption + "6e"));
  EXPECT_EQ(e.allCodes(), std::set<std::string>{"[]"});
  EXPECT_EQ(e.usable(), "FR5TEST2:1/0-0");
}

// Through the library: what decrypts is the cell itself, read by the cell
// reader from memory, with the edition and update the catalogue gave.
TEST_F(TestData, DecryptedFilesAreTheCells) {
  const CalendarDay today{2013, 6, 1};
  const SecureString key6 = hardwareKey6(testManufacturer());
  InstalledPermits installed;
  for (const PermitRecord& record : readPermitFile(testData(kAuth1 + "4b/PERMIT.TXT")).records) {
    ASSERT_NE(checkPermitRecord(record, key6, today).state, PermitState::Refused);
    installed.permits.push_back(record.permit);
  }
  ExchangeSetKeys keys;
  keys.scheme = readSchemeKeyFile(testData(kIho), today);
  ASSERT_EQ(keys.scheme.code, SseCode::None) << keys.scheme.reason;
  int cells = 0;
  const auto reports = checkExchangeSets(
      testData(kAuth1 + "4b"), installed, keys, key6, DataClientClock::fixedAt(today),
      [&](const ExchangeSetFile& file, const SecureBytes& plain) {
        S57CellReader reader;
        EXPECT_EQ(
            reader.readCellBytes(std::string_view(reinterpret_cast<const char*>(plain.data()), plain.size())),
            ReaderResult::Ok)
            << file.file;
        EXPECT_EQ(reader.dataSetIdentification.DSNM, file.file.substr(file.file.rfind('/') + 1));  // updates name themselves
        EXPECT_EQ(reader.dataSetIdentification.EDTN, std::to_string(file.edition));
        EXPECT_EQ(reader.dataSetIdentification.UPDN, std::to_string(file.update));
        ++cells;
      });
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(cells, 5);
  // The picture file the catalogue lists and this copy lacks is named, and fails nothing.
  EXPECT_EQ(reports[0].missing, std::vector<std::string>{"GB/GB100004/7/0/GB053307.TIF"});
}

TEST_F(TestData, UserPermitOfTheTestManufacturer) {
  EXPECT_EQ(field(runCommand(std::string(ENCTOOL_PATH) + " userpermit").out, "userpermit"),
            "66B5CBFDF7E4139D5B6086C23130");
  const auto valid = runCommand(std::string(ENCTOOL_PATH) + " userpermit --check 66b5cbfdf7e4139d5b6086c23130");
  EXPECT_EQ(valid.status, 0);
  EXPECT_EQ(field(valid.out, "thisInstallation"), "true");
  const auto other = runCommand(std::string(ENCTOOL_PATH) + " userpermit --check 73871727080876A07E450C043031");
  EXPECT_EQ(field(other.out, "sse"), "[18]");  // the worked example's HW_ID, encrypted with another M_KEY
  const auto damaged = runCommand(std::string(ENCTOOL_PATH) + " userpermit --check 66B5CBFDF7E4139D5B6086C33130");
  EXPECT_EQ(damaged.status, 1);
  EXPECT_EQ(field(damaged.out, "sse"), "[17]");
  // The M_ID is not under the checksum: another maker's permit is valid, and not this installation's.
  const auto otherMaker = runCommand(std::string(ENCTOOL_PATH) + " userpermit --check 66B5CBFDF7E4139D5B6086C23131");
  EXPECT_EQ(otherMaker.status, 0);
  EXPECT_EQ(field(otherMaker.out, "thisInstallation"), "false");
  const auto refused = runCommand(std::string(ENCTOOL_PATH) + " userpermit --manufacturer /nonexistent/key",
                                  testsupport::Stderr::Keep);
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("key file refused"), std::string::npos) << refused.err;
}

}  // namespace

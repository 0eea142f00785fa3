// Decryption and unpacking in memory, on archives made here: the order the
// cell keys are tried in, wrong keys, damaged and lying archives, and the
// exchange set check on a hostile catalogue.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "CellDecryption.h"
#include "Crc32.h"
#include "ExchangeSetCheck.h"
#include "Iso8211Writer.h"
#include "ProtectionFixtures.h"
#include "S57CellReader.h"
#include "ZipArchive.h"

namespace fs = std::filesystem;

namespace {

using protectiontest::smallCell;
using protectiontest::storedZip;
using protectiontest::ZipOptions;

CellKeys keys(const char* first, const char* second) {
  CellKeys k;
  std::memcpy(k.key1, first, CellKeys::kLength);
  std::memcpy(k.key2, second, CellKeys::kLength);
  return k;
}

std::string asString(const SecureBytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(Decryption, CellKeysTriedInOrder) {
  const std::string cell = smallCell();
  const std::string zip = storedZip("GB100001.000", cell);
  const CellKeys wrong = keys("AAAAA", "BBBBB");
  struct Case {
    std::vector<CellKeys> candidates;
    const char* key;
    size_t set;
    int cellKey;
  };
  const Case cases[] = {
      {{keys("K1234", "K5678")}, "K1234", 0, 1},
      {{keys("OLD00", "K5678")}, "K5678", 0, 2},  // the data server moved on to the second key
      {{wrong, keys("K5678", "K1234")}, "K1234", 1, 2},
  };
  for (const Case& c : cases) {
    const std::string encrypted = encryptWithCellKey(zip, reinterpret_cast<const unsigned char*>(c.key));
    SecureBytes plain;
    const DecryptionResult result = decryptEncFile(encrypted, c.candidates, plain);
    ASSERT_EQ(result.code, SseCode::None) << result.reason;
    EXPECT_EQ(result.keySet, c.set);
    EXPECT_EQ(result.cellKey, c.cellKey);
    EXPECT_EQ(asString(plain), cell);
    S57CellReader reader;
    EXPECT_EQ(reader.readCellBytes(asString(plain)), ReaderResult::Ok);
    EXPECT_EQ(reader.dataSetIdentification.DSNM, "GB100001.000");
  }
}

TEST(Decryption, WrongKeysAndDamagedFilesNeverDecrypt) {
  const std::string zip = storedZip("GB100001.000", smallCell());
  const unsigned char* key = reinterpret_cast<const unsigned char*>("K1234");
  const std::string encrypted = encryptWithCellKey(zip, key);
  std::string flipped = encrypted;
  flipped[encrypted.size() / 2] ^= 0x55;  // inside the stored data: the CRC-32 check catches it
  struct Case {
    std::string bytes;
    std::vector<CellKeys> candidates;
    SseCode code;
  };
  const Case cases[] = {
      {encrypted, {keys("AAAAA", "BBBBB")}, SseCode::DecryptionFailed},
      {encrypted, {}, SseCode::DecryptionFailed},
      {std::string(), {keys("K1234", "K1234")}, SseCode::DecryptionFailed},
      {encrypted.substr(0, encrypted.size() / 2), {keys("K1234", "K1234")}, SseCode::EncCrcIncorrect},
      {encrypted.substr(0, 13), {keys("K1234", "K1234")}, SseCode::EncCrcIncorrect},
      {flipped, {keys("K1234", "K1234")}, SseCode::EncCrcIncorrect},
      {encryptWithCellKey(storedZip("A.000", smallCell(), {0, true}), key), {keys("K1234", "K1234")},
       SseCode::EncCrcIncorrect},
  };
  for (const Case& c : cases) {
    SecureBytes plain;
    const DecryptionResult result = decryptEncFile(c.bytes, c.candidates, plain);
    EXPECT_EQ(result.code, c.code) << result.reason;
    EXPECT_TRUE(plain.empty());
    EXPECT_FALSE(result.reason.empty());
  }
}

// The directory's size for the file is checked against the limit before
// anything is unpacked, and the data against the directory while it is
// unpacked: a file longer than it claims is never taken in part (nor
// written past the room made for it), a shorter one never padded out.
TEST(Decryption, ArchiveSizeClaimsAreHeldToTheLimitAndTheData) {
  const std::string content(1000, 'x');
  struct Case {
    const char* what;
    std::uint32_t claimed;
    bool deflated;
    std::size_t limit;
    UnzipResult result;
  };
  const Case cases[] = {
      {"honest, stored", 0, false, 1000, UnzipResult::Ok},
      {"honest, deflated", 0, true, 1000, UnzipResult::Ok},
      {"claims 4 GB", 4000000000u, false, kMaxDecryptedBytes, UnzipResult::TooLarge},
      {"honest, over the limit", 0, false, 999, UnzipResult::TooLarge},
      {"deflated, over the limit", 0, true, 999, UnzipResult::TooLarge},
      {"claims more than it holds, stored", 2000, false, 1000000, UnzipResult::Damaged},
      {"claims more than it holds, deflated", 2000, true, 1000000, UnzipResult::Damaged},
      {"claims less than it holds, stored", 500, false, 600, UnzipResult::Damaged},
      {"claims less than it holds, deflated", 500, true, 600, UnzipResult::Damaged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ZipOptions options;
    options.claimedSize = c.claimed;
    options.deflated = c.deflated;
    const std::string zip = storedZip("GB100001.000", content, options);
    SecureBytes out;
    std::string reason;
    std::uint32_t crc = 0;
    EXPECT_EQ(unzipFirstFile(reinterpret_cast<const unsigned char*>(zip.data()), zip.size(), c.limit, out, reason,
                             &crc),
              c.result)
        << reason;
    if (c.result == UnzipResult::Ok) {
      EXPECT_EQ(bytesView(out), content);
      EXPECT_EQ(crc, crc32(content));
    } else {
      EXPECT_TRUE(out.empty());
      EXPECT_FALSE(reason.empty());
    }
    if (c.claimed == 4000000000u) {
      EXPECT_NE(reason.find("4000000000"), std::string::npos) << reason;
    }
  }
  SecureBytes out;
  std::string reason;
  const std::string notZip = "PK\x03\x04 and then nothing of a zip archive";
  EXPECT_EQ(unzipFirstFile(reinterpret_cast<const unsigned char*>(notZip.data()), notZip.size(), 1000000, out, reason),
            UnzipResult::NotZip);
}

// An archive whose directory points or sizes wrongly is damage (or no
// archive), never a read out of bounds.
TEST(Decryption, LyingArchiveDirectoriesAreDamage) {
  const std::string name = "GB100001.000";
  const std::string zip = storedZip(name, std::string(1000, 'x'));
  const size_t end = zip.size() - 22, central = end - 46 - name.size();
  struct Case {
    const char* what;
    size_t at;
    std::uint32_t value;
    int width;
    UnzipResult result;
  };
  const Case cases[] = {
      {"directory past the end", end + 16, 0xFFFFFF00u, 4, UnzipResult::Damaged},
      {"directory longer than the archive", end + 12, 0xFFFFFFF0u, 4, UnzipResult::Damaged},
      {"no entry", end + 10, 0, 2, UnzipResult::NotZip},
      {"local header past the directory", central + 42, static_cast<std::uint32_t>(central), 4,
       UnzipResult::Damaged},
      {"packed data past the directory", central + 20, 0x7FFFFFFFu, 4, UnzipResult::Damaged},
      {"an unknown packing", central + 10, 99, 2, UnzipResult::Damaged},
      {"deflated, but no deflate data", central + 10, 8, 2, UnzipResult::Damaged},
      {"an encrypted entry", central + 8, 1, 2, UnzipResult::Damaged},
      {"a comment running past the end", end + 20, 5, 2, UnzipResult::Damaged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string bytes = zip;
    for (int i = 0; i < c.width; ++i) bytes[c.at + i] = static_cast<char>(c.value >> (8 * i));
    SecureBytes out;
    std::string reason;
    EXPECT_EQ(unzipFirstFile(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), kMaxDecryptedBytes,
                             out, reason),
              c.result);
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(reason.empty());
  }
}

// A catalogue naming a path out of the exchange set and a cell without its
// signature file: the first is not read, the second refused before any key.
TEST(ExchangeSet, HostileCatalogueAndMissingSignature) {
  const fs::path root = fs::temp_directory_path() / ("chart_exchange_" + std::to_string(::getpid()));
  const fs::path encRoot = root / "V01X01" / "ENC_ROOT";
  fs::create_directories(encRoot / "GB" / "GB100001" / "1" / "0");
  std::ofstream(encRoot / "GB" / "GB100001" / "1" / "0" / "GB100001.000", std::ios::binary) << "encrypted";
  std::ofstream(root / "V01X01" / "SERIAL.ENC", std::ios::binary) << "GBWK19-07   20070531BASE      02.00B01X01";
  iso8211::Writer w;
  w.describe("0001", "0100;&   ", "ISO 8211 Record Identifier", "", "(I(5))")
      .describe("CATD", "1600;&   ", "Catalog Directory field",
                "RCNM!RCID!FILE!LFIL!VOLM!IMPL!SLAT!WLON!NLAT!ELON!CRCS!COMT", "(A(2),I(10),3A,A(3),4R,2A)")
      .fieldTree({{"0001", "CATD"}});
  const char* files[] = {"GB\\GB100001\\1\\0\\GB100001.000", "..\\..\\GB999999.000", "GB\\GB100001\\1\\0\\A.TXT"};
  int n = 0;
  for (const char* file : files) {
    ++n;
    w.addRecord(iso8211::Record()
                    .add("0001", iso8211::field("0000" + std::to_string(n)))
                    .add("CATD", iso8211::field("CD000000000" + std::to_string(n) + iso8211::text(file) +
                                                iso8211::text("") + iso8211::text("V01X01") + "BIN" +
                                                iso8211::text("") + iso8211::text("") + iso8211::text("") +
                                                iso8211::text("") + iso8211::text("12345678") +
                                                iso8211::text("VERSION=1.0,EDTN=1,UPDN=0,UADT=20070101,ISDT=20070101;"))));
  }
  ASSERT_TRUE(w.writeFile((encRoot / "CATALOG.031").string()));

  ExchangeSetKeys setKeys;
  setKeys.scheme.key.source = "IHO.PUB";
  const std::vector<ExchangeSetReport> reports = checkExchangeSets(
      root.string(), InstalledPermits{}, setKeys, "123451", DataClientClock::fixedAt(CalendarDay{2013, 6, 1}));
  ASSERT_EQ(reports.size(), 1u);
  const ExchangeSetReport& report = reports[0];
  EXPECT_EQ(report.dataServer, "GB");
  ASSERT_EQ(report.files.size(), 1u);
  EXPECT_EQ(report.files[0].cell, "GB100001");
  EXPECT_EQ(report.files[0].edition, 1);
  EXPECT_EQ(report.files[0].issueDate, "20070101");
  EXPECT_FALSE(report.files[0].decrypted);
  EXPECT_EQ(report.files[0].codes, std::vector<SseCode>{SseCode::ServerCertificateMissing});
  ASSERT_EQ(report.missing.size(), 2u);
  EXPECT_NE(report.missing[0].find("outside the exchange set"), std::string::npos);
  EXPECT_EQ(report.missing[1], "GB/GB100001/1/0/A.TXT");

  const std::vector<ExchangeSetReport> none =
      checkExchangeSets((root / "absent").string(), InstalledPermits{}, setKeys, "123451",
                        DataClientClock::systemClock());
  ASSERT_EQ(none.size(), 1u);
  EXPECT_NE(none[0].reason.find("no exchange set"), std::string::npos);
  fs::remove_all(root);
}

}  // namespace

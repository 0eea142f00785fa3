// Signature files and the administrator's key, on a signature file and
// certificates of the IHO's test data and on damaged copies of them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "Authentication.h"
#include "ProtectionFixtures.h"
#include "RealData.h"
#include "SchemeCertificate.h"
#include "SignatureFile.h"

namespace {

using protectiontest::testData;

const std::string kSet = "4 Authentication_Part1/Test 4b";
const std::string kCellFolder = kSet + "/V01X01/ENC_ROOT/GB/GB100004/7/0";
const CalendarDay kToday{2013, 6, 1};

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

class Signatures : public testing::Test {
protected:
  void SetUp() override {
    SKIP_UNLESS_PRESENT(testData(kCellFolder + "/GBI00004.000"), testData(kSet + "/IHO.CRT"));
    signature = slurp(testData(kCellFolder + "/GBI00004.000"));
    cell = slurp(testData(kCellFolder + "/GB100004.000"));
    const SchemeKeyResult read = readSchemeKeyFile(testData(kSet + "/IHO.CRT"), kToday);
    ASSERT_EQ(read.code, SseCode::None) << read.reason;
    scheme = read.key;
  }
  AuthenticationResult check(const std::optional<std::string>& sig, const std::string& data,
                             const std::vector<SchemeKey>& others = {}) {
    return authenticateEncFile(sig, data, scheme, others);
  }
  std::string signature, cell;
  SchemeKey scheme;
};

TEST_F(Signatures, CertificateAndPublicKeyFileHoldTheSameKey) {
  const SchemeKeyResult pub = readSchemeKeyFile(testData(kSet + "/IHO.PUB"), kToday);
  ASSERT_EQ(pub.code, SseCode::None) << pub.reason;
  EXPECT_EQ(pub.key.key, scheme.key);
  EXPECT_FALSE(pub.key.certificate);
  ASSERT_TRUE(scheme.notAfter);
  EXPECT_EQ(scheme.notAfter->compact(), "20130829");
  EXPECT_EQ(readSchemeKeyFile(testData(kSet + "/IHO.CRT"), CalendarDay{2013, 8, 30}).code,
            SseCode::SchemeCertificateExpired);
  EXPECT_EQ(readSchemeKeyFile(testData(kSet + "/ABSENT.CRT"), kToday).code, SseCode::SchemeCertificateMissing);
}

TEST_F(Signatures, DamagedCertificatesAreOfTheWrongFormat) {
  const std::string der = slurp(testData(kSet + "/IHO.CRT"));
  const std::string pub = slurp(testData(kSet + "/IHO.PUB"));
  std::string flipped = der;
  flipped[flipped.size() / 2] ^= 0x40;  // inside the signed part: the self-signature no longer holds
  for (const std::string& bytes : {der.substr(0, der.size() / 2), flipped, std::string(), std::string("junk"),
                                   pub.substr(0, pub.size() - 10), pub.substr(0, pub.find("// BIG y"))})
    EXPECT_EQ(parseSchemeKey(bytes, "damaged", kToday).code, SseCode::SchemeCertificateFormat);
}

TEST_F(Signatures, ShippedFileVerifies) {
  const AuthenticationResult result = check(signature, cell);
  EXPECT_TRUE(result.authentic) << result.reason;
  EXPECT_TRUE(result.codes.empty());
  std::string changed = cell;
  changed[1000] ^= 1;
  const AuthenticationResult tampered = check(signature, changed);
  EXPECT_FALSE(tampered.authentic);
  EXPECT_EQ(tampered.codes, std::vector<SseCode>{SseCode::EncSignatureInvalid});
}

TEST_F(Signatures, DamagedSignatureFilesGiveTheirCodes) {
  const size_t secondR = signature.find("// Signature part R:", 10);
  const size_t key = signature.find("// BIG p");
  ASSERT_NE(secondR, std::string::npos);
  std::string shortDigit = signature;
  shortDigit.erase(shortDigit.find('.') - 1, 1);  // the first R one digit short
  std::string keyDigit = signature;
  keyDigit[key + 12] = keyDigit[key + 12] == '0' ? '1' : '0';  // the data server's key changed
  std::string letter = signature;
  letter[25] = 'X';
  struct Case {
    std::optional<std::string> file;
    SseCode code;
  };
  const Case cases[] = {
      {std::nullopt, SseCode::ServerCertificateMissing},
      {signature.substr(0, secondR), SseCode::ServerCertificateMissing},
      {shortDigit, SseCode::EncSignatureFormat},
      {letter, SseCode::EncSignatureFormat},
      {std::string(), SseCode::EncSignatureFormat},
      {signature.substr(0, 30), SseCode::EncSignatureFormat},
      {signature.substr(0, secondR + 30), SseCode::ServerCertificateFormat},
      {signature.substr(0, key + 100), SseCode::ServerCertificateFormat},
      {signature + "// BIG z\r\n0000.\r\n", SseCode::ServerCertificateFormat},
      {keyDigit, SseCode::ServerCertificateNotBySchemeKey},
      {std::string(kMaxSignatureFileBytes + 1, ' '), SseCode::EncSignatureFormat},
  };
  for (const Case& c : cases) {
    const AuthenticationResult result = check(c.file, cell);
    EXPECT_FALSE(result.authentic);
    EXPECT_EQ(result.codes, std::vector<SseCode>{c.code}) << (c.file ? c.file->substr(0, 60) : "absent");
  }
}

TEST_F(Signatures, AnotherKeyGivesSse26AndTheCheckGoesOn) {
  SKIP_UNLESS_PRESENT(testData("4 Authentication_Part1/Test 4a/UKHO.PUB"));
  const std::string folder = "4 Authentication_Part1/Test 4a/V01X01/ENC_ROOT/GB/GB100001/3/0";
  const std::string sig = slurp(testData(folder + "/GBI00001.000"));
  const std::string data = slurp(testData(folder + "/GB100001.000"));
  EXPECT_EQ(check(sig, data).codes, std::vector<SseCode>{SseCode::ServerCertificateNotBySchemeKey});
  const SchemeKeyResult ukho = readSchemeKeyFile(testData("4 Authentication_Part1/Test 4a/UKHO.PUB"), kToday);
  ASSERT_EQ(ukho.code, SseCode::None) << ukho.reason;
  const AuthenticationResult result = check(sig, data, {ukho.key});
  EXPECT_TRUE(result.authentic) << result.reason;
  EXPECT_EQ(result.codes, std::vector<SseCode>{SseCode::NotAuthenticatedByScheme});
}

TEST_F(Signatures, DataServerCertificateAndSelfSignedKey) {
  // The certificate part of a signature file is the certificate the
  // administrator issued the data server.
  const std::string certificate = signature.substr(signature.find("// Signature part R:", 10));
  std::string reason;
  EXPECT_EQ(checkServerCertificate(certificate, scheme, reason), SseCode::None) << reason;
  std::string forged = certificate;
  char& digit = forged[forged.find("// BIG y") + 12];
  digit = digit == '0' ? '1' : '0';
  EXPECT_EQ(checkServerCertificate(forged, scheme, reason), SseCode::ServerCertificateInvalid);
  EXPECT_EQ(checkServerCertificate(certificate.substr(0, 200), scheme, reason), SseCode::ServerCertificateFormat);
  // Signed by the administrator, not by the key itself: no valid self-signed key.
  EXPECT_EQ(checkSelfSignedKey(certificate, reason), SseCode::SelfSignedKeyInvalid);
  EXPECT_EQ(checkSelfSignedKey("// BIG p\r\n00.\r\n", reason), SseCode::SelfSignedKeyFormat);
}

TEST(SignatureFileName, NavigationalPurposeBecomesALetter) {
  EXPECT_EQ(signatureFileName("GB100001.000"), "GBI00001.000");
  EXPECT_EQ(signatureFileName("ENC_ROOT/GB/GB61032A/1/2/GB61032A.002"), "GBN1032A.002");
  EXPECT_EQ(signatureFileName("GB40162A.003"), "GBL0162A.003");
  for (const char* none : {"GB700001.000", "GBI00001.000", "GB100001.TXT", "GB10001.000", ""})
    EXPECT_EQ(signatureFileName(none), "") << none;
  EXPECT_TRUE(isSignatureFileName("GBK01620.000"));
  EXPECT_FALSE(isSignatureFileName("GB301620.000"));
}

}  // namespace

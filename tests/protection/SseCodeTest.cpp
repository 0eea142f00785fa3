// The table of SSE codes: every code has its English, Chinese and advice,
// and the warnings are told from the refusals.
#include <gtest/gtest.h>

#include "SseCode.h"

namespace {

TEST(SseCodes, EveryCodeHasItsMessages) {
  for (int n = 1; n <= 27; ++n) {
    const SseCode code = static_cast<SseCode>(n);
    EXPECT_FALSE(sseEnglish(code).empty()) << n;
    EXPECT_FALSE(sseChinese(code).empty()) << n;
    EXPECT_FALSE(sseChineseAction(code).empty()) << n;
    EXPECT_EQ(sseEnglish(code).find("<cell>"), std::string::npos) << n;
  }
  EXPECT_EQ(sseLabel(SseCode::SchemeCertificateMissing), "SSE 05");
  EXPECT_EQ(sseEnglish(SseCode::None), "");
  EXPECT_EQ(sseEnglish(static_cast<SseCode>(28)), "");
  EXPECT_EQ(sseEnglish(SseCode::EncSignatureInvalid), "ENC Signature is invalid");
  EXPECT_EQ(sseChinese(SseCode::EncCrcIncorrect), "电子海图的CRC校验值不正确。");
}

TEST(SseCodes, ViewerWarningsNameTheCell) {
  EXPECT_EQ(sseEnglish(SseCode::PermitExpiredWhenShown, "GB61021A"),
            "The permit for ENC GB61021A has expired. This cell may be out of date and MUST NOT be used for Primary "
            "NAVIGATION");
  EXPECT_EQ(sseChinese(SseCode::PermitExpiredWhenShown, "GB61021A").rfind("海图GB61021A的许可证已过期", 0), 0u);
  EXPECT_EQ(sseEnglishList({SseCode::EncSignatureInvalid, SseCode::EncSignatureFormat}),
            "SSE 09 - ENC Signature is invalid; SSE 24 - ENC Signature format incorrect, contact your data supplier");
}

TEST(SseCodes, WarningsAndRefusals) {
  for (const SseCode warning : {SseCode::SubscriptionExpired, SseCode::SubscriptionExpiring,
                                SseCode::PermitExpiredWhenShown, SseCode::NotAuthenticatedByScheme,
                                SseCode::CellNotUpToDate, SseCode::None})
    EXPECT_FALSE(sseRefuses(warning)) << sseNumber(warning);
  for (const SseCode refusal : {SseCode::SchemeCertificateMissing, SseCode::ServerCertificateNotBySchemeKey,
                                SseCode::EncSignatureInvalid, SseCode::PermitChecksum, SseCode::EncCrcIncorrect,
                                SseCode::DecryptionFailed, SseCode::EncSignatureFormat})
    EXPECT_TRUE(sseRefuses(refusal)) << sseNumber(refusal);
}

}  // namespace

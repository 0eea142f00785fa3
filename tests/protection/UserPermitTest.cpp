// The user permit: the worked example of the scheme, the test
// manufacturer's, and a permit read back with a damaged checksum.
#include <gtest/gtest.h>

#include "ManufacturerIdentity.h"
#include "UserPermit.h"

namespace {

ManufacturerIdentity identity(const char* mId, const char* mKey, const char* hwId) {
  ManufacturerIdentity m;
  m.manufacturerId = mId;
  m.manufacturerKey = mKey;
  m.hardwareId = hwId;
  return m;
}

TEST(UserPermit, WorkedExampleAndTestManufacturer) {
  EXPECT_EQ(makeUserPermit(identity("01", "98765", "12348")), "73871727080876A07E450C043031");
  const ManufacturerIdentity test = testManufacturer();
  EXPECT_TRUE(test.testScheme);
  EXPECT_EQ(makeUserPermit(test), "66B5CBFDF7E4139D5B6086C23130");
}

TEST(UserPermit, ReadBackChecksItsChecksum) {
  EXPECT_EQ(checkUserPermit("73871727080876A07E450C043031"), SseCode::None);
  EXPECT_EQ(checkUserPermit("73871727080876a07e450c043031"), SseCode::None);  // lower case read back
  for (const char* damaged : {"73871727080876A07E450C053031",  // a checksum digit changed
                              "73871727080876A17E450C043031",  // an encrypted HW_ID digit changed
                              "73871727080876A07E450C04303",   // one short
                              "73871727080876A07E450C04303Z",  // not hex
                              ""})
    EXPECT_EQ(checkUserPermit(damaged), SseCode::UserPermitChecksum) << damaged;
}

TEST(UserPermit, DataServerRecoversTheHardwareId) {
  SecureString hwId;
  EXPECT_EQ(hardwareIdFromUserPermit("73871727080876A07E450C043031", "98765", hwId), SseCode::None);
  EXPECT_EQ(std::string(hwId.c_str()), "12348");
  // The right checksum over an HW_ID encrypted with another manufacturer's key.
  EXPECT_EQ(hardwareIdFromUserPermit("73871727080876A07E450C043031", "10121", hwId), SseCode::HardwareIdFormat);
  EXPECT_EQ(hardwareIdFromUserPermit("73871727080876A07E450C053031", "98765", hwId), SseCode::UserPermitChecksum);
}

TEST(UserPermit, HardwareKeySixRepeatsTheFirstByte) {
  EXPECT_EQ(std::string(hardwareKey6(identity("01", "98765", "12348")).c_str()), "123481");
}

}  // namespace

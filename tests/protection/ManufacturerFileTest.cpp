// The manufacturer's key file: read when its owner alone may read it,
// refused with the reason otherwise, and never quoting a key in the reason.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "ManufacturerIdentity.h"
#include "UserPermit.h"

namespace fs = std::filesystem;

namespace {

class KeyFile : public testing::Test {
protected:
  void SetUp() override {
    path = fs::temp_directory_path() / ("chart_key_file_" + std::to_string(::getpid()));
  }
  void TearDown() override { fs::remove(path); }
  void write(const std::string& text, mode_t mode) {
    fs::remove(path);
    std::ofstream(path) << text;
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
  }
  fs::path path;
};

TEST_F(KeyFile, PrivateFileGivesTheIdentity) {
  write("# maker's key\r\nM_ID = 01\nm_key=98765\n\nHW_ID=12348\n", 0600);
  ManufacturerIdentity identity;
  std::string error;
  ASSERT_TRUE(readManufacturerFile(path, identity, error)) << error;
  EXPECT_FALSE(identity.testScheme);
  EXPECT_EQ(makeUserPermit(identity), "73871727080876A07E450C043031");
  write("M_ID=ab\nM_KEY=abcde\nHW_ID=a79ab\n", 0400);
  ASSERT_TRUE(readManufacturerFile(path, identity, error)) << error;
  EXPECT_EQ(std::string(identity.hardwareId.c_str()), "A79AB");  // taken in upper case
}

TEST_F(KeyFile, RefusedWithTheReason) {
  struct Case {
    const char* text;
    mode_t mode;
    const char* reason;
    KeyFileFault fault;
  };
  const Case cases[] = {
      {"M_ID=01\nM_KEY=98765\nHW_ID=12348\n", 0644, "chmod 600", KeyFileFault::OpenToOthers},
      {"M_ID=01\nM_KEY=98765\nHW_ID=12348\n", 0660, "mode 0660", KeyFileFault::OpenToOthers},
      {"M_ID=01\nM_KEY=98765\n", 0600, "HW_ID is missing", KeyFileFault::Content},
      {"M_ID=01\nM_KEY=9876Z\nHW_ID=12348\n", 0600, "M_KEY must be five hexadecimal digits", KeyFileFault::Content},
      {"M_ID=01\nM_KEY=98765\nHW_ID=12348\nHW_ID=12348\n", 0600, "given twice", KeyFileFault::Content},
      {"M_ID=01\nKEY=98765\n", 0600, "unknown name", KeyFileFault::Content},
      {"M_ID 01\n", 0600, "NAME=VALUE", KeyFileFault::Content},
      {"M_ID=012\nM_KEY=98765\nHW_ID=12348\n", 0600, "M_ID must be two", KeyFileFault::Content},
  };
  for (const Case& c : cases) {
    write(c.text, c.mode);
    ManufacturerIdentity identity = testManufacturer();
    std::string error;
    KeyFileFault fault = KeyFileFault::None;
    EXPECT_FALSE(readManufacturerFile(path, identity, error, &fault)) << c.text;
    EXPECT_EQ(fault, c.fault) << error;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_EQ(error.find("98765"), std::string::npos) << "a key in the reason: " << error;
    EXPECT_TRUE(identity.testScheme) << "a refused file changed the identity";
  }
}

TEST_F(KeyFile, MissingOversizedAndFolderRefused) {
  ManufacturerIdentity identity;
  std::string error;
  KeyFileFault fault = KeyFileFault::None;
  EXPECT_FALSE(readManufacturerFile(path.string() + ".absent", identity, error, &fault));
  EXPECT_NE(error.find("cannot be opened"), std::string::npos) << error;
  EXPECT_EQ(fault, KeyFileFault::CannotOpen);
  write(std::string(5000, '#'), 0600);
  EXPECT_FALSE(readManufacturerFile(path, identity, error, &fault));
  EXPECT_NE(error.find("larger than a key file"), std::string::npos) << error;
  EXPECT_EQ(fault, KeyFileFault::TooLarge);
  EXPECT_FALSE(readManufacturerFile(fs::temp_directory_path(), identity, error, &fault));
  EXPECT_EQ(fault, KeyFileFault::NotRegular);
}

}  // namespace

#pragma once
// Who the data client is to the protection scheme: the manufacturer's
// identifier and key (M_ID, M_KEY, which the scheme's administrator gives a
// manufacturer) and this installation's hardware identifier (HW_ID). They
// come from a key file kept outside the repository that only its owner may
// read; without one, the scheme's published test manufacturer is used.
//
// The key file is text, one NAME=VALUE a line, '#' starting a comment line:
//   M_ID=10       two letters or digits
//   M_KEY=10121   five hexadecimal digits
//   HW_ID=12345   five hexadecimal digits
// Letters are taken in upper case. The file must be a regular file owned by
// the user running the program, with no permission for group or others
// (chmod 600), and at most 4096 bytes.
#include <string>

#include "SecureBytes.h"

struct ManufacturerIdentity {
  SecureString manufacturerId;   // M_ID, 2 characters
  SecureString manufacturerKey;  // M_KEY, 5 characters: the key is their ASCII bytes
  SecureString hardwareId;       // HW_ID, 5 characters: likewise
  bool testScheme = false;       // the scheme's published test manufacturer
};

// M_ID 10, M_KEY 10121, HW_ID 12345: the manufacturer the scheme's test
// data is made for.
ManufacturerIdentity testManufacturer();

// Why a key file was refused, for the window to word in its own language.
enum class KeyFileFault {
  None,
  CannotOpen,    // absent, or not to be opened or read
  NotRegular,    // a folder, a device, ...
  OtherOwner,    // another user's file
  OpenToOthers,  // group or others may read or write it
  TooLarge,      // over 4096 bytes
  Content,       // a line that is not NAME=VALUE, a value of the wrong form, a name missing or twice
};

// Reads the key file; false with the reason in `error` (the file is refused
// when others than its owner may read or write it, and nothing of it is
// kept) and, when `fault` is given, its kind. `identity` is only changed on
// success.
bool readManufacturerFile(const std::string& path, ManufacturerIdentity& identity, std::string& error,
                          KeyFileFault* fault = nullptr);

// The 6-byte key of cell permits: HW_ID with its first byte appended.
SecureString hardwareKey6(const ManufacturerIdentity& identity);

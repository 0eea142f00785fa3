// enctool userpermit [--manufacturer FILE]: prints the installation's user
// permit, the 28 characters a mariner sends a data server to obtain cell
// permits, as one JSON line:
//   {"userpermit":"66B5CBFDF7E4139D5B6086C23130","testScheme":true}
// Without a key file it is the scheme's test manufacturer's (M_ID 10,
// HW_ID 12345). The key and the HW_ID are never printed.
#include <cstdio>
#include <cstring>
#include <string>

#include "Json.h"
#include "ProtectionOptions.h"
#include "UserPermit.h"

int runUserPermitCommand(int argc, char** argv) {
  std::string keyFile;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--manufacturer") == 0 && i + 1 < argc) {
      keyFile = argv[++i];
    } else {
      std::fprintf(stderr, "enctool userpermit: unexpected argument '%s'\nusage: enctool userpermit [--manufacturer FILE]\n",
                   argv[i]);
      return 2;
    }
  }
  ManufacturerIdentity identity;
  if (!loadManufacturer("userpermit", keyFile, identity)) return 1;
  const std::string permit = makeUserPermit(identity);
  std::printf("%s\n", JsonLine().add("userpermit", permit).add("testScheme", identity.testScheme).str().c_str());
  return 0;
}

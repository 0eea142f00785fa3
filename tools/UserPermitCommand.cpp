// enctool userpermit [--manufacturer FILE]: prints the installation's user
// permit, the 28 characters a mariner sends a data server to obtain cell
// permits, as one JSON line:
//   {"userpermit":"66B5CBFDF7E4139D5B6086C23130","testScheme":true}
// Without a key file it is the scheme's test manufacturer's (M_ID 10,
// HW_ID 12345). The key and the HW_ID are never printed.
//
// enctool userpermit --check USERPERMIT [--manufacturer FILE]: checks a user
// permit read back (typed, or from a licence file): its checksum (SSE 17),
// and with this manufacturer's key whether it holds an HW_ID at all (SSE
// 18) and this installation's:
//   {"userpermit":"..","sse":[],"message":"","thisInstallation":true}
// Exit status 1 when it is not valid.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CoreDumps.h"
#include "Json.h"
#include "ProtectionOptions.h"
#include "UserPermit.h"

int runUserPermitCommand(int argc, char** argv) {
  std::string keyFile, check;
  bool checking = false;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--manufacturer") == 0 && i + 1 < argc) {
      keyFile = argv[++i];
    } else if (std::strcmp(argv[i], "--check") == 0 && i + 1 < argc) {
      check = argv[++i];
      checking = true;
    } else {
      std::fprintf(stderr, "enctool userpermit: unexpected argument '%s'\nusage: enctool userpermit [--check USERPERMIT] [--manufacturer FILE]\n",
                   argv[i]);
      return 2;
    }
  }
  ManufacturerIdentity identity;
  refuseCoreDumps();  // the manufacturer's key and the HW_ID are in memory
  if (!loadManufacturer("userpermit", keyFile, identity)) return 1;
  const std::string permit = makeUserPermit(identity);
  if (checking) {
    SecureString hardwareId;
    const SseCode code = hardwareIdFromUserPermit(check, identity.manufacturerKey.c_str(), hardwareId);
    const std::vector<SseCode> codes = code == SseCode::None ? std::vector<SseCode>{} : std::vector<SseCode>{code};
    std::string upper = check;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::printf("%s\n", JsonLine()
                            .add("userpermit", check)
                            .addRaw("sse", sseJson(codes))
                            .add("message", sseEnglishList(codes))
                            .add("thisInstallation", code == SseCode::None && upper == permit)
                            .str()
                            .c_str());
    return code == SseCode::None ? 0 : 1;
  }
  std::printf("%s\n", JsonLine().add("userpermit", permit).add("testScheme", identity.testScheme).str().c_str());
  return 0;
}

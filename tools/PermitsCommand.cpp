// enctool permits [--date YYYYMMDD] [--manufacturer FILE] PERMIT.TXT: reads a
// permit file and checks each permit as the data client does when it
// installs them (format, checksum with this installation's HW_ID, expiry
// and the 30-day warning against the date). One JSON line per permit
// record:
//   {"line":4,"section":"ENC","cell":"GB100004","edition":"1","expiry":"20181231","dataServer":"GB",
//    "serviceLevel":0,"state":"valid","sse":[],"message":"","reason":""}
// `state` is valid, expiring (SSE 20), expired (SSE 15: installable, its
// cells shown with a permanent warning) or refused (SSE 12, 13). A file that
// is no permit file gives one line {"file":..,"sse":[11],..}. Exit status 1
// when the file or any permit is refused, 2 for a bad option.
#include <cstdio>
#include <cstring>
#include <string>

#include "CoreDumps.h"
#include "Json.h"
#include "PermitCheck.h"
#include "PermitFile.h"
#include "ProtectionOptions.h"

namespace {

int usage(const char* why) {
  std::fprintf(stderr, "enctool permits: %s\nusage: enctool permits [--date YYYYMMDD] [--manufacturer FILE] PERMIT.TXT\n",
               why);
  return 2;
}

}  // namespace

int runPermitsCommand(int argc, char** argv) {
  std::string keyFile, date, path;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--manufacturer") == 0 && i + 1 < argc) keyFile = argv[++i];
    else if (std::strcmp(argv[i], "--date") == 0 && i + 1 < argc) date = argv[++i];
    else if (argv[i][0] == '-' || !path.empty()) return usage((std::string("unexpected argument '") + argv[i] + "'").c_str());
    else path = argv[i];
  }
  if (path.empty()) return usage("no permit file given");
  refuseCoreDumps();  // the HW_ID and cell keys are in memory
  ManufacturerIdentity identity;
  DataClientClock clock = DataClientClock::systemClock();
  if (!makeClock("permits", date, clock)) return 2;
  if (!loadManufacturer("permits", keyFile, identity)) return 1;

  const PermitFile file = readPermitFile(path);
  if (file.code != SseCode::None && file.records.empty()) {
    const std::vector<SseCode> codes{file.code};
    std::printf("%s\n", JsonLine()
                            .add("file", path)
                            .addRaw("sse", sseJson(codes))
                            .add("message", sseEnglishList(codes))
                            .add("reason", file.reason)
                            .str()
                            .c_str());
    return 1;
  }
  const SecureString key6 = hardwareKey6(identity);
  const CalendarDay today = clock.today();
  bool refused = false;
  for (const PermitRecord& record : file.records) {
    const PermitVerdict verdict = checkPermitRecord(record, key6, today);
    refused = refused || verdict.state == PermitState::Refused;
    JsonLine line;
    line.add("line", record.line).add("section", record.official ? "ENC" : "ECS");
    if (record.format == SseCode::None) {
      line.add("cell", record.permit.cell)
          .add("edition", record.permit.edition)
          .add("expiry", record.permit.expiry.compact())
          .add("dataServer", record.permit.dataServer)
          .add("serviceLevel", record.permit.serviceLevel);
    }
    line.add("state", permitStateName(verdict.state))
        .addRaw("sse", sseJson(verdict.codes))
        .add("message", sseEnglishList(verdict.codes, record.permit.cell))
        .add("reason", verdict.reason);
    std::printf("%s\n", line.str().c_str());
  }
  return refused ? 1 : 0;
}

// enctool decrypt-check [--date YYYYMMDD] [--manufacturer FILE] [--permits PERMIT.TXT]
//                       [--certificate IHO.CRT|IHO.PUB] [--other-key FILE]... FOLDER...
// authenticates and decrypts every cell and update of the encrypted
// exchange sets in each FOLDER, in memory, as the data client would before
// importing them, and writes nothing. The permits of PERMIT.TXT are checked
// first and those not refused are used; --certificate is the scheme
// administrator's certificate or public key as the data client has it
// installed (without one, SSE 05); --other-key adds a key the data client
// holds beside it (a data server certificate that verifies only with such a
// key gives SSE 26).
//
// Output, one JSON line each: the permit file
//   {"permits":..,"installed":N,"refused":M,"sse":[..],"message":..}
// then for each exchange set
//   {"exchangeSet":CATALOG.031,"dataServer":"GB","files":N,"sse":[..],"message":..,"missing":[..]}
// followed by one line per cell or update file
//   {"file":"GB/GB100004/7/0/GB100004.000","cell":"GB100004","edition":7,"update":0,"issueDate":"20070227",
//    "decrypted":true,"bytes":836655,"permitServer":"GB","authority":"IHO.CRT","sse":[],"message":"","reason":""}
// Exit status 1 when a file is not decrypted, 2 for a bad option.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CoreDumps.h"
#include "ExchangeSetCheck.h"
#include "Json.h"
#include "PermitCheck.h"
#include "PermitFile.h"
#include "ProtectionOptions.h"

namespace {

int usage(const std::string& why) {
  std::fprintf(stderr,
               "enctool decrypt-check: %s\n"
               "usage: enctool decrypt-check [--date YYYYMMDD] [--manufacturer FILE] [--permits PERMIT.TXT]\n"
               "                             [--certificate IHO.CRT|IHO.PUB] [--other-key FILE]... FOLDER...\n",
               why.c_str());
  return 2;
}

std::string stringArray(const std::vector<std::string>& items) {
  std::string json = "[";
  for (const std::string& item : items) {
    if (json.size() > 1) json += ",";
    json += jsonString(item);
  }
  return json + "]";
}

// The permits that their checks do not refuse, and the line about them.
InstalledPermits installPermits(const std::string& path, const SecureString& key6, const CalendarDay& today) {
  InstalledPermits installed;
  std::vector<SseCode> codes;
  std::string reason;
  int refused = 0;
  if (path.empty()) {
    codes.push_back(SseCode::PermitNotFound);
    reason = "no permit file given";
  } else {
    const PermitFile file = readPermitFile(path);
    if (file.code != SseCode::None) {
      codes.push_back(file.code);
      reason = file.reason;
    }
    for (const PermitRecord& record : file.records) {
      const PermitVerdict verdict = checkPermitRecord(record, key6, today);
      if (verdict.state == PermitState::Refused) {
        ++refused;
        for (const SseCode code : verdict.codes)
          if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
      } else {
        installed.permits.push_back(record.permit);
      }
    }
  }
  std::printf("%s\n", JsonLine()
                          .add("permits", path)
                          .add("installed", static_cast<int>(installed.permits.size()))
                          .add("refused", refused)
                          .addRaw("sse", sseJson(codes))
                          .add("message", sseEnglishList(codes))
                          .add("reason", reason)
                          .str()
                          .c_str());
  return installed;
}

}  // namespace

int runDecryptCheckCommand(int argc, char** argv) {
  std::string keyFile, date, permits, certificate;
  std::vector<std::string> otherKeys, folders;
  for (int i = 0; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--manufacturer") == 0 && hasValue) keyFile = argv[++i];
    else if (std::strcmp(argv[i], "--date") == 0 && hasValue) date = argv[++i];
    else if (std::strcmp(argv[i], "--permits") == 0 && hasValue) permits = argv[++i];
    else if (std::strcmp(argv[i], "--certificate") == 0 && hasValue) certificate = argv[++i];
    else if (std::strcmp(argv[i], "--other-key") == 0 && hasValue) otherKeys.push_back(argv[++i]);
    else if (argv[i][0] == '-') return usage(std::string("unexpected argument '") + argv[i] + "'");
    else folders.push_back(argv[i]);
  }
  if (folders.empty()) return usage("no exchange set folder given");
  refuseCoreDumps();
  ManufacturerIdentity identity;
  DataClientClock clock = DataClientClock::systemClock();
  if (!makeClock("decrypt-check", date, clock)) return 2;
  if (!loadManufacturer("decrypt-check", keyFile, identity)) return 1;
  const CalendarDay today = clock.today();

  ExchangeSetKeys keys;
  if (certificate.empty()) {
    keys.scheme.code = SseCode::SchemeCertificateMissing;
    keys.scheme.reason = "no scheme administrator's certificate is installed";
  } else {
    keys.scheme = readSchemeKeyFile(certificate, today);
  }
  for (const std::string& path : otherKeys) {
    const SchemeKeyResult other = readSchemeKeyFile(path, today);
    // Another key is taken whatever its date: it only ever earns SSE 26.
    if (other.code != SseCode::None && other.code != SseCode::SchemeCertificateExpired)
      return usage("--other-key " + other.reason);
    keys.others.push_back(other.key);
  }

  const SecureString key6 = hardwareKey6(identity);
  const InstalledPermits installed = installPermits(permits, key6, today);
  bool allDecrypted = true;
  for (const std::string& folder : folders) {
    for (const ExchangeSetReport& report : checkExchangeSets(folder, installed, keys, key6, clock)) {
      std::printf("%s\n", JsonLine()
                              .add("exchangeSet", report.catalogue)
                              .add("dataServer", report.dataServer)
                              .add("files", static_cast<int>(report.files.size()))
                              .addRaw("sse", sseJson(report.codes))
                              .add("message", sseEnglishList(report.codes))
                              .add("reason", report.reason)
                              .addRaw("missing", stringArray(report.missing))
                              .str()
                              .c_str());
      if (report.files.empty()) allDecrypted = false;
      for (const ExchangeSetFile& file : report.files) {
        allDecrypted = allDecrypted && file.decrypted;
        std::printf("%s\n", JsonLine()
                                .add("file", file.file)
                                .add("cell", file.cell)
                                .add("edition", file.edition)
                                .add("update", file.update)
                                .add("issueDate", file.issueDate)
                                .add("decrypted", file.decrypted)
                                .add("bytes", static_cast<long long>(file.bytes))
                                .add("permitServer", file.permitServer)
                                .add("authority", file.authority)
                                .addRaw("sse", sseJson(file.codes))
                                .add("message", sseEnglishList(file.codes, file.cell))
                                .add("reason", file.reason)
                                .str()
                                .c_str());
      }
    }
  }
  return allDecrypted ? 0 : 1;
}

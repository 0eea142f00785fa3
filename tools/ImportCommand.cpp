// enctool import [--store DIR] [--certificate IHO.CRT|IHO.PUB] [--other-key FILE]... [--permits PERMIT.TXT]
//                [--manufacturer FILE] [--date YYYYMMDD] [SOURCE...]
//
// Imports exchange sets, folders of cells or cell files into a chart store
// (the user's, ~/.local/share/chartdisplay/charts, unless --store names
// another): base cells, updates, new editions, re-issues and cancellations,
// each cell as the rules for chart updates require (ChartStore, CellImport).
// Encrypted exchange sets are authenticated and decrypted with the keys and
// permits the store holds, and kept encrypted.
//
// Before the sources, in this order: --certificate installs the scheme
// administrator's certificate or public key (kept for later imports; one
// that is damaged or has run out is refused and nothing else is done),
// --other-key a further key the data client accepts (its data servers'
// files are taken with SSE 26), --permits the cell permits of a PERMIT.TXT
// (each checked as a data client installs permits). --manufacturer is the
// key file with M_ID, M_KEY and HW_ID (else the scheme's test
// manufacturer), --date the data client's date (else the system date).
//
// One JSON line per key installed:
//   {"certificate":"IHO.CRT","role":"scheme","action":"installed","notAfter":"20130829","sse":[],"message":"","reason":""}
// per permit file that is refused as a whole, and per permit record:
//   {"permits":PATH,"sse":[11],"message":..,"reason":..}
//   {"permit":"GB100001","line":4,"section":"ENC","dataServer":"GB","expiry":"20181231","serviceLevel":0,
//    "state":"valid","action":"installed","sse":[],"message":"","reason":""}
// then per cell offered, in name order:
//   {"cell":..,"action":..,"edition":..,"updates":[..],"update":..,"status":..,"reason":..,"sse":[..],"message":..}
// "action" is what the import did ("installed", "updated", "new edition",
// "re-issued", "cancelled", "unchanged", "refused", "not installed"),
// "updates" the update numbers it applied, "update" the last update the
// cell holds, "status" where the cell stands ("in use", "cancelled",
// "refused", "not installed"), "reason" what was refused (empty when
// nothing was), "sse" the codes of the protection scheme (refusals and
// warnings, [] for none) with their English messages. A file named like a
// cell file with no cell name gets {"file":..,"action":"refused","reason":..}.
// Findings about the exchange sets (catalogue entries refused, files
// listed but absent) and the store (an index rebuilt) go to standard error.
//
// Exit status: 0 when everything offered was taken or held already, 1 when
// anything was refused or the store could not be written (it then stands as
// before the import), 2 on a usage error.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ChartStore.h"
#include "CoreDumps.h"
#include "Json.h"
#include "ProtectionOptions.h"

namespace {

int usage(const std::string& why) {
  std::fprintf(stderr,
               "enctool import: %s\n"
               "usage: enctool import [--store DIR] [--certificate IHO.CRT|IHO.PUB] [--other-key FILE]...\n"
               "                      [--permits PERMIT.TXT] [--manufacturer FILE] [--date YYYYMMDD] [SOURCE...]\n",
               why.c_str());
  return 2;
}

std::string jsonNumbers(const std::vector<int>& numbers) {
  std::string json = "[";
  for (const int n : numbers) json += (json.size() > 1 ? "," : "") + std::to_string(n);
  return json + "]";
}

std::vector<SseCode> codesOf(SseCode code) {
  return code == SseCode::None ? std::vector<SseCode>{} : std::vector<SseCode>{code};
}

// Prints the key's line; false when it was not installed.
bool reportKey(const KeyInstallOutcome& key) {
  if (key.failure.kind != StoreMessageKind::None) {
    std::fprintf(stderr, "enctool import: %s\n", key.failure.text.c_str());
    return false;
  }
  std::printf("%s\n", JsonLine()
                          .add("certificate", key.name)
                          .add("file", key.file)
                          .add("role", keyRoleName(key.role))
                          .add("action", key.installed ? "installed" : "refused")
                          .add("notAfter", key.notAfter ? key.notAfter->compact() : std::string())
                          .addRaw("sse", sseJson(codesOf(key.code)))
                          .add("message", sseEnglishList(codesOf(key.code)))
                          .add("reason", key.reason)
                          .str()
                          .c_str());
  return key.installed;
}

// Prints the permit lines; false when anything was refused.
bool reportPermits(const PermitInstallReport& report) {
  if (report.failed()) {
    std::fprintf(stderr, "enctool import: %s\n", report.failure.text.c_str());
    return false;
  }
  if (report.code != SseCode::None)
    std::printf("%s\n", JsonLine()
                            .add("permits", report.file)
                            .addRaw("sse", sseJson(codesOf(report.code)))
                            .add("message", sseEnglishList(codesOf(report.code)))
                            .add("reason", report.reason)
                            .str()
                            .c_str());
  for (const PermitOutcome& p : report.permits) {
    JsonLine line;
    line.add("permit", p.cell).add("line", p.line).add("section", p.official ? "ENC" : "ECS");
    if (p.read)
      line.add("dataServer", p.dataServer).add("expiry", p.expiry.compact()).add("serviceLevel", p.serviceLevel);
    std::printf("%s\n", line.add("state", permitStateName(p.state))
                            .add("action", permitActionName(p.action))
                            .addRaw("sse", sseJson(p.codes))
                            .add("message", sseEnglishList(p.codes, p.cell))
                            .add("reason", p.reason)
                            .str()
                            .c_str());
  }
  return !report.anyRefused();
}

}  // namespace

int runImportCommand(int argc, char** argv) {
  std::string folder, certificate, permits, keyFile, date;
  std::vector<std::string> otherKeys, sources;
  for (int i = 0; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    const std::string arg = argv[i];
    if (arg == "--store" || arg == "--certificate" || arg == "--other-key" || arg == "--permits" ||
        arg == "--manufacturer" || arg == "--date") {
      if (!hasValue) return usage(arg + " needs a value");
      const std::string value = argv[++i];
      if (arg == "--store") folder = value;
      else if (arg == "--certificate") certificate = value;
      else if (arg == "--other-key") otherKeys.push_back(value);
      else if (arg == "--permits") permits = value;
      else if (arg == "--manufacturer") keyFile = value;
      else date = value;
    } else if (arg.rfind("--", 0) == 0) {
      return usage("unknown option '" + arg + "'");
    } else {
      sources.push_back(arg);
    }
  }
  if (sources.empty() && certificate.empty() && otherKeys.empty() && permits.empty())
    return usage("nothing to import");
  if (folder.empty()) folder = ChartStore::defaultFolder();
  refuseCoreDumps();  // the HW_ID, cell keys and decrypted cells are in memory
  DataClient client;
  if (!makeClock("import", date, client.clock)) return 2;
  if (!loadManufacturer("import", keyFile, client.identity)) return 1;

  ChartStore store(folder);
  store.setDataClient(std::move(client));
  bool refused = false;
  if (!certificate.empty() && !reportKey(store.installKey(certificate, KeyRole::Scheme))) return 1;
  for (const std::string& key : otherKeys)
    if (!reportKey(store.installKey(key, KeyRole::Other))) return 1;
  if (!permits.empty()) refused = !reportPermits(store.installPermits(permits)) || refused;
  if (sources.empty()) {
    std::fflush(stdout);
    return refused ? 1 : 0;
  }

  const ImportReport report = store.import(sources);
  for (const StoreMessage& message : report.storeMessages)
    std::fprintf(stderr, "enctool import: %s: %s\n", folder.c_str(), message.text.c_str());
  for (const LoadWarning& warning : report.setWarnings)
    std::fprintf(stderr, "enctool import: warning: %s\n", warning.text.c_str());
  if (report.failed()) {
    std::fprintf(stderr, "enctool import: %s\n", report.failure.text.c_str());
    return 1;
  }
  for (const StoreIssue& issue : report.filesRefused)
    std::printf("%s\n", JsonLine().add("file", issue.file).add("action", "refused").add("reason", issue.text).str().c_str());
  for (const CellOutcome& cell : report.cells) {
    std::printf("%s\n", JsonLine()
                            .add("cell", cell.cell)
                            .add("action", importActionName(cell.action))
                            .add("edition", cell.edition)
                            .addRaw("updates", jsonNumbers(cell.applied))
                            .add("update", cell.updateNumber)
                            .add("status", cellStatusName(cell.status))
                            .add("reason", cell.reason())
                            .addRaw("sse", sseJson(cell.sse))
                            .add("message", cell.sseMessage())
                            .str()
                            .c_str());
    for (const StoreIssue& issue : cell.issues)
      std::fprintf(stderr, "enctool import: %s: %s\n", cell.cell.c_str(), issue.text.c_str());
  }
  std::fflush(stdout);
  return refused || report.anyRefused() ? 1 : 0;
}

// enctool info [--library DIR [--features [--portrayal OPTIONS]]] [--no-updates] [--store DIR] [CELL | FOLDER...]
//
// One line of JSON per cell read through the S-57 cell reader, with the
// update files beside it applied in sequence:
//   {"file":..,"code":..,"dsnm":..,"cscl":..,"comf":..,"somf":..,
//    "features":..,"vectors":..,"ms":..,"official":..,["nonOfficialReason":..,]
//    "edition":..,"updates":[..], ["updateError":..,] "warnings":[..]}
// "official" is true for an ENC of an official hydrographic office (DSID
// AGEN other than 65535 and PRSP 1) and false otherwise, with the reason in
// "nonOfficialReason" (as far as the file was read: a file without its data
// set identification is no ENC);
// "updates" lists the update numbers applied; "updateError" names the file
// that stopped the chain and why; "warnings" holds every finding about the
// cell's files (a catalogue CRC that does not match, a file the catalogue
// does not list, the update error). --no-updates reads the base files alone.
//
// A FOLDER argument stands for every cell in it at any depth (an exchange
// set, one folder per cell, or flat): first a line
//   {"folder":..,"cells":..,"catalogues":..,"warnings":[..]}
// then one line per cell, in path order. --store DIR stands for the cells
// in use of a chart store, read through the store with the updates it
// applied: first {"store":..,"cells":..}, then a line per cell, which adds
// "sse" and "message" (the protection scheme's codes of an encrypted cell:
// SSE 11, 16 or 21 refuse it, SSE 25 says it is shown under a permit that
// has expired), and for an encrypted cell "encrypted", "permit" (its
// state: valid, expiring, expired, none) and "permitExpiry". Encrypted
// cells are decrypted for the key file --manufacturer (else the scheme's
// test manufacturer) on the date --date (else the system date).
//
// A cell that cannot be read still gets its line (with its result code) and a
// readable reason on stderr; the next cell is read all the same. A cell whose
// records are not what its DSSI declares (code 10, 18 or 19) is read on and
// updated as loadCell lists it, its finding first among its warnings. Warnings
// go to stderr too but fail nothing. The exit status is 1 when any cell (such
// a cell included) or the library failed, 2 on a usage error.
// With --library DIR the library summary comes first, as one line, and each
// cell is also loaded into the chart model: its line gains the model fields
// of ModelInfo.h, and with --features one line per feature follows it.
// With --portrayal each feature line also holds "drawn": the instructions
// the draw pass executes for it under the settings given (start values
// otherwise) at the true scale --scale (the cell's compilation scale by
// default) on the date --date (today by default), after the conditional
// procedures and every test of the pass; "" when it draws nothing. The
// cell's line gains "overscale": how many times more detailed than its
// compilation scale the view is (0 when it is not), the pattern showing
// above 2. The settings: --paper, --contours, --safety, --shallow, --deep,
// --two-shades, --shallow-pattern, --category, --english, --soundings,
// --no-scamin, --all-dates, --no-important-text, --no-other-text,
// --scale-boundaries and those of MarinerOptions.h (--pixel-size the screen
// the true scale is of).
#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "CellFolder.h"
#include "CellSources.h"
#include "ChartDate.h"
#include "ChartEngine.h"
#include "CoreDumps.h"
#include "DisplaySettings.h"
#include "EncryptedCell.h"
#include "Json.h"
#include "LibraryInfo.h"
#include "LibraryResult.h"
#include "MarinerOptions.h"
#include "ModelInfo.h"
#include "OfficialData.h"
#include "PortrayalCheck.h"
#include "PresentationLibrary.h"
#include "ProtectionOptions.h"
#include "ReaderResult.h"
#include "RecordCheck.h"
#include "S57CellReader.h"
#include "UpdateChain.h"

namespace {

struct InfoOptions {
  std::string libraryDir;  // empty: no library line, no model
  bool features = false;   // one line per feature (needs --library)
  bool applyUpdates = true;
  // --portrayal: each feature line gains what the draw pass executes for it
  // under these settings, at this true scale (0: the cell's compilation
  // scale).
  bool portrayal = false;
  bool paper = false, english = false;
  int contours = 10;
  int category = 1;
  double scale = 0;
  int date = 0;  // 0: today
  float safety = 0, shallow = -1, deep = -1;  // given when not the defaults here
  bool soundings = false, noScaleMinimum = false, allDates = false, twoShades = false, shallowPattern = false;
  bool noImportantText = false, noOtherText = false, scaleBoundaries = false;
  MarinerOptions mariner;
  std::vector<std::string> cells;  // cells and folders
  std::string storeDirectory;      // --store: the cells in use of a chart store
  std::string manufacturerFile;    // --manufacturer: the key file for a store's encrypted cells
};

void printInfoUsage() {
  std::fprintf(stderr,
               "usage: enctool info [--library DIR [--features [--portrayal [--paper] [--contours 5|10|20]\n"
               "         [--safety M] [--shallow M] [--deep M] [--two-shades] [--shallow-pattern]\n"
               "         [--category 0|1|2] [--english] [--soundings] [--no-scamin] [--scale S]\n"
               "         [--date YYYYMMDD] [--all-dates] [--no-important-text] [--no-other-text]\n"
               "         [--scale-boundaries]\n"
               "%s"
               "         ]]] [--no-updates] [--store DIR [--manufacturer FILE]] [CELL | FOLDER...]\n",
               kMarinerOptionsUsage);
}

// The display settings of --portrayal; false (with the reason) when a
// contour is not one the settings take: the safety contour from 0.1 to
// 500 m, the shallow contour up to it and the deep contour from it.
bool applyPortrayalOptions(const InfoOptions& options, DisplaySettings& settings, std::string& error) {
  settings.setContourSet(options.contours);
  if (options.safety > 0) {
    settings.setSafetyContour(options.safety);
    if (settings.safetyContour != options.safety) return error = "--safety must lie from 0.1 to 500", false;
  }
  if (options.shallow >= 0) {
    settings.setShallowContour(options.shallow);
    if (settings.shallowContour != options.shallow)
      return error = "--shallow must lie from 0 to the safety contour", false;
  }
  if (options.deep >= 0) {
    settings.setDeepContour(options.deep);
    if (settings.deepContour != options.deep) return error = "--deep must lie from the safety contour to 1000", false;
  }
  settings.setDisplayCategory(options.category);
  settings.setSymbolStyle(options.paper ? 1 : 2);
  settings.setTextLanguage(options.english ? 2 : 1);
  settings.setShowSoundings(options.soundings ? 1 : 2);
  settings.setUseScaleMinimum(options.noScaleMinimum ? 2 : 1);
  settings.setShowAllDates(options.allDates ? 1 : 2);
  settings.setTwoDepthShades(options.twoShades ? 1 : 2);
  settings.setShallowPattern(options.shallowPattern ? 1 : 2);
  settings.setImportantText(options.noImportantText ? 2 : 1);
  settings.setOtherText(options.noOtherText ? 2 : 1);
  settings.setShowScaleBoundaries(options.scaleBoundaries ? 1 : 2);
  if (options.date != 0) settings.setViewingDate(options.date);
  applyMarinerOptions(options.mariner, settings);
  return true;
}

// A number of metres for a contour option; false when it is not one.
bool parseMetres(const char* text, float& metres) {
  char* end = nullptr;
  const double value = std::strtod(text, &end);
  if (end == text || *end != '\0' || !(value >= 0 && value <= 1e6)) return false;
  metres = static_cast<float>(value);
  return true;
}

// A whole number from `text` within [low, high]; false when it is not one.
bool parseWhole(const char* text, int low, int high, int& value) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || v < low || v > high) return false;
  value = static_cast<int>(v);
  return true;
}

// Returns false (after a message) on a usage error.
bool parseInfoOptions(int argc, char** argv, InfoOptions& options) {
  bool optionsEnded = false;
  for (int i = 0; i < argc; ++i) {
    const char* arg = argv[i];
    std::string error;
    const int mariner = optionsEnded ? 0 : parseMarinerOption(argc, argv, i, options.mariner, error);
    if (mariner < 0) {
      std::fprintf(stderr, "enctool info: %s\n", error.c_str());
      return false;
    }
    if (mariner > 0) continue;
    if (!optionsEnded && std::strcmp(arg, "--") == 0) {
      optionsEnded = true;
    } else if (!optionsEnded && std::strcmp(arg, "--library") == 0) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "enctool info: --library needs a directory\n");
        return false;
      }
      options.libraryDir = argv[++i];
    } else if (!optionsEnded && std::strcmp(arg, "--store") == 0) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "enctool info: --store needs a directory\n");
        return false;
      }
      options.storeDirectory = argv[++i];
    } else if (!optionsEnded && std::strcmp(arg, "--manufacturer") == 0) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "enctool info: --manufacturer needs a key file\n");
        return false;
      }
      options.manufacturerFile = argv[++i];
    } else if (!optionsEnded && std::strcmp(arg, "--features") == 0) {
      options.features = true;
    } else if (!optionsEnded && std::strcmp(arg, "--no-updates") == 0) {
      options.applyUpdates = false;
    } else if (!optionsEnded && std::strcmp(arg, "--portrayal") == 0) {
      options.portrayal = true;
    } else if (!optionsEnded && std::strcmp(arg, "--paper") == 0) {
      options.paper = true;
    } else if (!optionsEnded && std::strcmp(arg, "--english") == 0) {
      options.english = true;
    } else if (!optionsEnded && std::strcmp(arg, "--soundings") == 0) {
      options.soundings = true;
    } else if (!optionsEnded && std::strcmp(arg, "--no-scamin") == 0) {
      options.noScaleMinimum = true;
    } else if (!optionsEnded && std::strcmp(arg, "--all-dates") == 0) {
      options.allDates = true;
    } else if (!optionsEnded && std::strcmp(arg, "--two-shades") == 0) {
      options.twoShades = true;
    } else if (!optionsEnded && std::strcmp(arg, "--shallow-pattern") == 0) {
      options.shallowPattern = true;
    } else if (!optionsEnded && std::strcmp(arg, "--no-important-text") == 0) {
      options.noImportantText = true;
    } else if (!optionsEnded && std::strcmp(arg, "--scale-boundaries") == 0) {
      options.scaleBoundaries = true;
    } else if (!optionsEnded && std::strcmp(arg, "--no-other-text") == 0) {
      options.noOtherText = true;
    } else if (!optionsEnded && (std::strcmp(arg, "--contours") == 0 || std::strcmp(arg, "--category") == 0 ||
                                 std::strcmp(arg, "--scale") == 0 || std::strcmp(arg, "--date") == 0 ||
                                 std::strcmp(arg, "--safety") == 0 || std::strcmp(arg, "--shallow") == 0 ||
                                 std::strcmp(arg, "--deep") == 0)) {
      if (i + 1 >= argc) {
        std::fprintf(stderr, "enctool info: %s needs a value\n", arg);
        return false;
      }
      const char* value = argv[++i];
      bool good = true;
      if (std::strcmp(arg, "--contours") == 0) {
        good = parseWhole(value, 5, 20, options.contours) &&
               (options.contours == 5 || options.contours == 10 || options.contours == 20);
      } else if (std::strcmp(arg, "--category") == 0) {
        good = parseWhole(value, 0, 2, options.category);
      } else if (std::strcmp(arg, "--date") == 0) {
        good = std::strlen(value) == 8 && parseWhole(value, 0, 99999999, options.date) && validDate(options.date);
      } else if (std::strcmp(arg, "--safety") == 0) {
        good = parseMetres(value, options.safety) && options.safety > 0;
      } else if (std::strcmp(arg, "--shallow") == 0) {
        good = parseMetres(value, options.shallow);
      } else if (std::strcmp(arg, "--deep") == 0) {
        good = parseMetres(value, options.deep);
      } else {
        char* end = nullptr;
        options.scale = std::strtod(value, &end);
        good = end != value && *end == '\0' && options.scale > 0 && options.scale <= 1e9;
      }
      if (!good) {
        std::fprintf(stderr, "enctool info: bad value '%s' for %s\n", value, arg);
        return false;
      }
    } else if (!optionsEnded && arg[0] == '-' && arg[1] == '-') {
      std::fprintf(stderr, "enctool info: unknown option '%s'\n", arg);
      return false;
    } else {
      options.cells.emplace_back(arg);
    }
  }
  if (options.features && options.libraryDir.empty()) {
    std::fprintf(stderr, "enctool info: --features needs --library\n");
    return false;
  }
  if (options.portrayal && !options.features) {
    std::fprintf(stderr, "enctool info: --portrayal needs --features\n");
    return false;
  }
  if (options.libraryDir.empty() && options.cells.empty() && options.storeDirectory.empty()) {
    std::fprintf(stderr, "enctool info: no cell given\n");
    return false;
  }
  // The values are checked here, before any library is read.
  const PresentationLibrary noLibrary;
  DisplaySettings settings(noLibrary);
  std::string error;
  if (!applyPortrayalOptions(options, settings, error)) {
    std::fprintf(stderr, "enctool info: %s\n", error.c_str());
    return false;
  }
  return true;
}

std::string jsonStrings(const std::vector<std::string>& texts) {
  std::string json = "[";
  for (const std::string& t : texts) {
    if (json.size() > 1) json += ',';
    json += jsonString(t);
  }
  return json + "]";
}

std::string jsonNumbers(const std::vector<int>& numbers) {
  std::string json = "[";
  for (const int n : numbers) {
    if (json.size() > 1) json += ',';
    json += std::to_string(n);
  }
  return json + "]";
}

// Reads one cell, applies its updates and prints its line; returns whether
// it read whole and, with the model (an engine), loaded whole.
// The update files are those of `source` when a folder scan listed them,
// else those found beside the cell.
bool printCellInfo(const CellSource& source, bool scanned, const InfoOptions& options, ChartEngine* engine,
                   const CellFileBytes& fileBytes = nullptr, const OpenedCell* opened = nullptr) {
  const std::string& path = source.path;
  S57CellReader reader;
  const auto start = std::chrono::steady_clock::now();
  // A base that failed its catalogue's CRC check is not read at all; a
  // store's is read through the store, and not at all when the protection
  // scheme refuses it (no permit, keys that do not fit).
  ReaderResult code = ReaderResult::CrcMismatch;
  const bool refused = opened && opened->refused();
  if (refused) {
    code = ReaderResult::CannotOpen;
  } else if (source.crcFailure.empty() && fileBytes) {
    SecureBytes bytes;
    code = fileBytes(path, bytes);
    if (code == ReaderResult::Ok) code = reader.readCellBytes(bytesView(bytes));
  } else if (source.crcFailure.empty()) {
    code = reader.readCell(path);
  } else if (!fileBytes && isEncryptedCellFile(path)) {
    code = ReaderResult::Encrypted;  // its catalogue lists the CRC-32 of the decrypted bytes
  }
  // A cell that is not what its data set declares reads on with its code,
  // as loadCell lists it.
  std::vector<LoadWarning> findings;
  if (code == ReaderResult::Ok)
    findings = checkCellRecords(std::filesystem::path(path).filename().string(), reader);
  if (!findings.empty()) code = findings.front().reader;
  UpdateChainResult updates;
  std::vector<UpdateFileName> found;
  const std::vector<UpdateFileName>* updateFiles = &source.updates;
  if (options.applyUpdates && !scanned) {
    found = findUpdateFiles(path);
    updateFiles = &found;
  }
  if ((code == ReaderResult::Ok || cellListedDespite(code)) && options.applyUpdates)
    updates = applyUpdateChain(reader, *updateFiles, fileBytes ? updateFileReader(fileBytes) : UpdateFileReader());
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

  std::vector<std::string> warnings = warningTexts(findings);
  for (const std::string& text : warningTexts(source.warnings)) warnings.push_back(text);
  if (!updates.error.empty()) warnings.push_back(updates.error);
  JsonLine line;
  line.add("file", path)
      .add("code", resultCode(code))
      .add("dsnm", reader.dataSetIdentification.DSNM)
      .add("cscl", reader.dataSetParameters.CSCL)
      .add("comf", reader.dataSetParameters.COMF)
      .add("somf", reader.dataSetParameters.SOMF)
      .add("features", static_cast<long long>(reader.features.size()))
      .add("vectors", static_cast<long long>(reader.vectors.size()))
      .add("ms", ms);
  // Official ENC data, or why not (as far as the file was read).
  const int agency = reader.dataSetIdentification.AGEN, product = reader.dataSetIdentification.PRSP;
  line.add("official", nonOfficialCauses(agency, product) == kOfficialData);
  if (nonOfficialCauses(agency, product) != kOfficialData)
    line.add("nonOfficialReason", nonOfficialReason(agency, product));
  line.add("edition", std::atoi(reader.dataSetIdentification.EDTN.c_str()))
      .addRaw("updates", jsonNumbers(updates.applied));
  if (!updates.error.empty()) line.add("updateError", updates.error);
  if (updates.cancelled) {
    line.add("cancelled", updates.cancellationFile);
    warnings.push_back(updates.cancellationFile + ": the cell is cancelled (issued " + updates.cancellationDate +
                       "): not shown");
  }
  line.addRaw("warnings", jsonStrings(warnings));
  if (opened) {
    const CellPermitStanding& standing = opened->standing;
    line.add("encrypted", standing.encrypted);
    if (standing.encrypted)
      line.add("permit", standing.permitted ? permitStateName(standing.state) : "none")
          .add("permitExpiry", standing.permitted ? standing.expiry.compact() : std::string());
    line.addRaw("sse", sseJson(opened->sse)).add("message", opened->message());
  }
  reader.clear();  // the model reads the files again
  CellLoadResult load;
  const S57Cell* cell = nullptr;
  if (engine && !refused) {
    CellLoadOptions loadOptions;
    loadOptions.applyUpdates = options.applyUpdates;
    loadOptions.updateFiles = updateFiles;
    loadOptions.warnings = source.warnings;
    loadOptions.fileBytes = fileBytes;
    loadOptions.permitExpired = opened && opened->permitExpired();
    cell = addModelInfo(*engine, line, path, loadOptions, &load);
    if (load == ReaderResult::CellCancelled)
      load = CellLoadResult();  // said above; a cancellation reads as it should
  }
  DrawnInstructions drawn;
  if (cell && options.features && options.portrayal) {
    DisplaySettings settings(engine->library());
    std::string error;
    applyPortrayalOptions(options, settings, error);  // checked with the options
    double overscale = 0;
    drawn = drawnInstructions(*engine, *cell, settings, static_cast<float>(options.scale), &overscale,
                              options.mariner.pixelMillimetres);
    line.add("overscale", overscale);
  }
  std::printf("%s\n", line.str().c_str());
  if (opened && !opened->sse.empty())
    std::fprintf(stderr, "enctool info: %s: %s%s\n", path.c_str(), opened->message().c_str(),
                 opened->reason.empty() ? "" : (" (" + opened->reason + ")").c_str());
  if (code != ReaderResult::Ok)
    std::fprintf(stderr, "enctool info: %s: code %d: %s\n", path.c_str(), resultCode(code),
                 readerResultText(code));
  else if (!load.ok())
    std::fprintf(stderr, "enctool info: %s: load code %d: %s\n", path.c_str(), resultCode(load),
                 cellLoadResultText(load));
  for (const std::string& warning : warnings)
    std::fprintf(stderr, "enctool info: %s: warning: %s\n", path.c_str(), warning.c_str());
  if (cell && options.features) printFeatureLines(engine->library(), *cell, options.portrayal ? &drawn : nullptr);
  return code == ReaderResult::Ok && load.ok();
}

// Every cell of a folder; returns false when any failed.
bool printFolderInfo(const std::string& directory, const InfoOptions& options, ChartEngine* engine) {
  const CellFolder folder = scanCellFolder(directory);
  long long alone = 0;
  for (const CellSource& cell : folder.updatesAlone) alone += static_cast<long long>(cell.updates.size());
  JsonLine line;
  line.add("folder", directory)
      .add("cells", static_cast<long long>(folder.cells.size()))
      .add("catalogues", folder.catalogues);
  if (alone > 0) line.add("updatesWithoutBase", alone);
  std::printf("%s\n", line.addRaw("warnings", jsonStrings(warningTexts(folder.warnings))).str().c_str());
  for (const LoadWarning& warning : folder.warnings)
    std::fprintf(stderr, "enctool info: %s: warning: %s\n", directory.c_str(), warning.text.c_str());
  // Updates for cells installed elsewhere are applied by importing them
  // into the chart store; here they are named, not passed over in silence.
  for (const CellSource& cell : folder.updatesAlone)
    std::fprintf(stderr,
                 "enctool info: %s: %zu update file(s) without their base cell beside them, first %s: not applied "
                 "(enctool import puts them onto the cells of a chart store)\n",
                 directory.c_str(), cell.updates.size(), cell.updates.front().path.c_str());
  // A folder that cannot be read may hold cells that are not loaded.
  bool failed = folder.folderError != 0 || folder.unreadableFolders > 0;
  for (const CellSource& cell : folder.cells)
    if (!printCellInfo(cell, true, options, engine)) failed = true;
  return !failed;
}

}  // namespace

int runInfoCommand(int argc, char** argv) {
  InfoOptions options;
  if (!parseInfoOptions(argc, argv, options)) {
    printInfoUsage();
    return 2;
  }
  // Texts need fonts, and fonts a GUI application; no display is needed.
  // It goes before the command returns, and with it what the font
  // libraries hold.
  std::unique_ptr<QGuiApplication> application;
  int qtArgc = 1;
  char programName[] = "enctool";
  char* qtArgv[] = {programName, nullptr};
  if (options.features && options.portrayal && !options.libraryDir.empty()) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
  }
  bool failed = false;
  // The chart model: an engine over the library, made after the
  // application and gone before it.
  std::unique_ptr<ChartEngine> engine;
  if (!options.libraryDir.empty()) {
    // Read once: the library the cells are loaded with is the one described.
    engine = std::make_unique<ChartEngine>(options.libraryDir, MissingFileReport::Silent);
    if (application) engine->registerChartFont();
    const LibraryResult code = engine->libraryResult();
    std::printf("%s\n", libraryInfoJson(engine->library(), options.libraryDir, code).c_str());
    if (code != LibraryResult::Ok) {
      std::fprintf(stderr, "enctool info: library %s: code %d: %s\n", options.libraryDir.c_str(), resultCode(code),
                   libraryResultText(code).c_str());
      failed = true;
    }
  }
  if (!options.storeDirectory.empty()) {
    // The cells in use of a chart store, with the updates applied; an
    // encrypted cell decrypted with the permits held on the date given.
    refuseCoreDumps();
    DataClient client;
    if (options.date != 0)
      client.clock = DataClientClock::fixedAt(
          CalendarDay{options.date / 10000, options.date / 100 % 100, options.date % 100});
    if (!loadManufacturer("info", options.manufacturerFile, client.identity)) return 1;
    CellSources store;
    if (!store.fromStore("info", options.storeDirectory, client, false)) return 1;
    long long inUse = 0;
    for (const StoredCell& stored : store.store->index().cells) inUse += stored.status == CellStatus::InUse;
    std::printf("%s\n", JsonLine()
                            .add("store", options.storeDirectory)
                            .add("cells", inUse)
                            .str()
                            .c_str());
    for (const StoredCell& stored : store.store->index().cells) {
      if (stored.status != CellStatus::InUse) continue;
      const OpenedCell opened = store.store->openCell(stored);
      if (!printCellInfo(opened.source, true, options, engine.get(), opened.fileBytes, &opened)) failed = true;
    }
  }
  for (const std::string& argument : options.cells) {
    std::error_code ec;
    if (std::filesystem::is_directory(argument, ec)) {
      if (!printFolderInfo(argument, options, engine.get())) failed = true;
    } else {
      CellSource source;
      source.path = argument;
      if (!printCellInfo(source, false, options, engine.get())) failed = true;
    }
  }
  std::fflush(stdout);
  return failed ? 1 : 0;
}

#include "LibraryInfo.h"

#include <QFileInfo>

#include "Json.h"
#include "LibraryFiles.h"
#include "LibraryResult.h"
#include "MissingDrawings.h"
#include "PresentationLibrary.h"

namespace {
const char* const kSchemeNames[kColourSchemeCount] = {"DAY_BRIGHT", "DUSK", "DAY_BLACKBACK", "DAY_WHITEBACK",
                                                       "NIGHT"};
const char* const kTableNames[kLookupTableCount] = {"SYMBOLIZED_BOUNDARIES", "PLAIN_BOUNDARIES", "SIMPLIFIED",
                                                     "PAPER_CHART", "LINES"};
}  // namespace

std::string libraryInfoJson(const PresentationLibrary& library, const std::string& directory, LibraryResult result) {
  std::string missing = "[";
  for (const LibraryFile& file : libraryFiles()) {
    if (!file.required() || QFileInfo(QString::fromStdString(directory + "/" + file.name)).isFile()) continue;
    if (missing.size() > 1) missing += ",";
    missing += jsonString(file.name);
  }
  missing += "]";

  JsonLine colours;
  for (int s = 0; s < kColourSchemeCount; ++s) {
    int set = 0;
    for (const QColor& c : library.colourTables[s].entries) set += c.isValid() ? 1 : 0;
    colours.add(kSchemeNames[s], set);
  }
  JsonLine lookups;
  for (int t = 0; t < kLookupTableCount; ++t) {
    long long entries = 0;
    for (const auto& [className, list] : library.lookupTables[t]) entries += static_cast<long long>(list.size());
    lookups.addRaw(kTableNames[t], JsonLine()
                                       .add("entries", entries)
                                       .add("classes", static_cast<long long>(library.lookupTables[t].size()))
                                       .str());
  }
  // The drawings the look-ups name that the library lacks (drawn with stand-ins).
  const DrawingNames absent = missingDrawings(library);
  auto names = [](const std::set<std::string>& set) {
    std::string list = "[";
    for (const std::string& name : set) list += (list.size() > 1 ? "," : "") + jsonString(name);
    return list + "]";
  };
  const std::string missingDrawingsJson = JsonLine()
                                              .addRaw("symbols", names(absent.symbols))
                                              .addRaw("patterns", names(absent.patterns))
                                              .addRaw("lineStyles", names(absent.lineStyles))
                                              .str();
  return JsonLine()
      .add("library", directory)
      .add("result", resultCode(result))
      .add("message", libraryResultText(result))
      .addRaw("missingFiles", missing)
      .addRaw("coloursSet", colours.str())
      .addRaw("lookups", lookups.str())
      .add("symbols", static_cast<long long>(library.symbols.size()))
      .add("patterns", static_cast<long long>(library.patterns.size()))
      .add("lineStyles", static_cast<long long>(library.lineStyles.size()))
      .add("objectClasses", static_cast<long long>(library.objectClassCatalogue.size()))
      .add("attributes", static_cast<long long>(library.attributeCatalogue.size()))
      .addRaw("missingDrawings", missingDrawingsJson)
      .str();
}

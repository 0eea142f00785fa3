#pragma once
// A finding about a cell's files that a person should see: an update that
// stopped the chain, a catalogue check that failed. The cell still loads.
// Each finding keeps what it is about (its kind, the files, the code and
// values) besides its English line, so that a window can word it in its own
// language; the command-line tools print the English line.
#include <string>
#include <vector>

enum class LoadWarningKind {
  UpdateStopped,        // `file`, an update, not applied: `code` (UpdateResult.h), `detail` the record or value at fault
  CrcMismatch,          // `file`'s CRC-32 is `detail`; the catalogue `related` gives `listed`
  CrcUnreadable,        // `file` cannot be read to check its CRC-32 against the catalogue `related`
  NotInCatalogue,       // `file` is not listed in the catalogue `related`
  ListedButAbsent,      // the catalogue `related` lists `file`, which is absent
  CatalogueUnreadable,  // the catalogue `file` cannot be read: `code` (ReaderResult.h)
  SameCellTwice,        // `file` holds the same cell as `related`, which alone is read
};

struct LoadWarning {
  LoadWarningKind kind = LoadWarningKind::UpdateStopped;
  std::string file;     // the file the finding names, as the English line names it
  std::string related;  // the catalogue, or the copy of the cell that is read
  int code = 0;
  std::string detail;
  std::string listed;
  std::string text;  // the finding in English, one line beginning with the file it names
};

// Each finding with its English line.
LoadWarning updateStoppedWarning(const std::string& file, int code, const std::string& detail);
LoadWarning crcMismatchWarning(const std::string& file, const std::string& catalogue, const std::string& found,
                               const std::string& listed);
LoadWarning crcUnreadableWarning(const std::string& file, const std::string& catalogue);
LoadWarning notInCatalogueWarning(const std::string& file, const std::string& catalogue);
LoadWarning listedButAbsentWarning(const std::string& catalogue, const std::string& listedFile);
LoadWarning catalogueUnreadableWarning(const std::string& catalogue, int readerCode);
LoadWarning sameCellTwiceWarning(const std::string& file, const std::string& firstCopy);

// The English lines of a list of findings, in order.
std::vector<std::string> warningTexts(const std::vector<LoadWarning>& warnings);

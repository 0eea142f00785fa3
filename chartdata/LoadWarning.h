#pragma once
// A finding about a cell's files that a person should see: an update that
// stopped the chain, a catalogue check that failed, a cell whose records are
// not what it declares. The cell still loads.
// Each finding keeps what it is about (its kind, the files, the result and
// values) besides its English line, so that a window can word it in its own
// language; the command-line tools print the English line.
#include <string>
#include <vector>

#include "ExchangeSetPath.h"
#include "ReaderResult.h"
#include "UpdateResult.h"

enum class LoadWarningKind {
  UpdateStopped,        // `file`, an update, not applied: `update` why, `detail` the record or value at fault
  CrcMismatch,          // `file`'s CRC-32 is `detail`; the catalogue `related` gives `listed`
  CrcUnreadable,        // `file` cannot be read to check its CRC-32 against the catalogue `related`
  NotInCatalogue,       // `file` is not listed in the catalogue `related`
  ListedButAbsent,      // the catalogue `related` lists `file`, which is absent
  CatalogueUnreadable,  // the catalogue `file` cannot be read: `reader` why
  SameCellTwice,        // `file` holds the same cell as `related`, which alone is read
  RecordsDisagree,      // `file`'s records are not what it declares: `reader` (NoFeatures: no feature
                        // at all; RecordCountMismatch: `tallies` the kinds whose numbers disagree;
                        // DuplicateRecord: `count` records repeat an earlier record's name, `detail`
                        // the first, RCNM=..,RCID=..)
  EntryRefused,         // the catalogue `related` names `file` (as written), which leads out of its
                        // exchange set: `refusal` how (ExchangeSetPath.h), `detail` the
                        // same in English; never opened
  CatalogueOutside,     // the catalogue `file` is a symbolic link leading out of the folder `related`
                        // being read: not read
  ListedRepeatedly,     // the catalogue `related` lists `file` `count` times; it is checked once
  NotRegularFile,       // `file`, named like a catalogue or a cell file, is a folder, FIFO, device or
                        // broken link: not read
  FolderUnreadable,     // the folder `file` cannot be opened or read to its end: `systemError` the
                        // system's error number, `detail` its reason in English; what lies in it is not loaded
};

// The records of one kind a cell holds and the number its DSSI declares.
struct RecordTally {
  int kind = 0;  // RecordKind (RecordKinds.h); kRecordKindCount for vector records of no known RCNM
  unsigned long long declared = 0;
  unsigned long long read = 0;
};

struct LoadWarning {
  LoadWarningKind kind = LoadWarningKind::UpdateStopped;
  std::string file;     // the file the finding names, as the English line names it
  std::string related;  // the catalogue, or the copy of the cell that is read
  ReaderResult reader = ReaderResult::Ok;     // CatalogueUnreadable, RecordsDisagree
  UpdateResult update = UpdateResult::Ok;     // UpdateStopped
  EntryRefusal refusal = EntryRefusal::None;  // EntryRefused
  int systemError = 0;                        // FolderUnreadable: errno
  std::string detail;
  std::string listed;
  long long count = 0;               // ListedRepeatedly, RecordsDisagree (19): how many
  std::vector<RecordTally> tallies;  // RecordsDisagree (18): each kind whose number disagrees
  std::string text;  // the finding in English, one line beginning with the file it names; control
                     // bytes in the names are shown as \xNN
};

// Each finding with its English line.
LoadWarning updateStoppedWarning(const std::string& file, UpdateResult result, const std::string& detail);
LoadWarning crcMismatchWarning(const std::string& file, const std::string& catalogue, const std::string& found,
                               const std::string& listed);
LoadWarning crcUnreadableWarning(const std::string& file, const std::string& catalogue);
LoadWarning notInCatalogueWarning(const std::string& file, const std::string& catalogue);
LoadWarning listedButAbsentWarning(const std::string& catalogue, const std::string& listedFile);
LoadWarning catalogueUnreadableWarning(const std::string& catalogue, ReaderResult result);
LoadWarning sameCellTwiceWarning(const std::string& file, const std::string& firstCopy);
LoadWarning noFeaturesWarning(const std::string& file);
LoadWarning recordCountWarning(const std::string& file, std::vector<RecordTally> tallies);
LoadWarning duplicateRecordWarning(const std::string& file, long long repeats, const std::string& firstName);
// `written` is the entry as the catalogue gives it; its bytes below 0x20
// and 0x7F are shown as \xNN, in `file` as in the line.
LoadWarning entryRefusedWarning(const std::string& catalogue, const std::string& written, EntryRefusal refusal);
LoadWarning catalogueOutsideWarning(const std::string& catalogue, const std::string& folder);
LoadWarning listedRepeatedlyWarning(const std::string& catalogue, const std::string& file, long long times);
LoadWarning notRegularFileWarning(const std::string& file);
LoadWarning folderUnreadableWarning(const std::string& folder, int error, const std::string& reason);

// The English lines of a list of findings, in order.
std::vector<std::string> warningTexts(const std::vector<LoadWarning>& warnings);

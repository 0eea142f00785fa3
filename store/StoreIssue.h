#pragma once
// Why the store did not take a file it was offered, or why a cell stands
// where it does: kept with its values so that a window can word it in its
// own language; `text` is the English line the command-line tools print.
#include <string>
#include <vector>

#include "ReaderResult.h"
#include "UpdateResult.h"

enum class IssueKind {
  None,
  CrcMismatch,        // `file`'s CRC-32 is `found`, its catalogue lists `listed`: not used
  Unreadable,         // `file` cannot be read as a cell: `reader` why, `detail`
  NotACell,           // `file` names no cell the store can keep (`detail` why)
  OlderEdition,       // `file` is edition `edition`, older than the installed edition `installedEdition`
  OlderBase,          // `file`, of the installed edition `edition`, holds updates to `number`, fewer than
                      // the installed base file holds (`numbers`: its number)
  CellCancelled,      // the cell was cancelled; `file`, a base of edition `edition`, does not bring it
                      // back (or update `number` is not applied)
  UpdateStopped,      // `file`, update `number`, not applied: `update` why, `detail`;
                      // `numbers` the later updates offered, not applied either
  WrongEdition,       // `file`, update `number` of edition `edition`, is not for the installed
                      // edition `installedEdition`
  NotInstalled,       // updates `numbers` (first `file`) for a cell the store does not hold
  StoredFileDamaged,  // the store's own copy `file` no longer has the CRC-32 it was stored with
  Protection,         // `file` (update `number`, 0 for a base file) not taken: the protection scheme's
                      // codes `sse` (SseCode), `detail` why; `numbers` the later updates offered, not
                      // applied either
  KeptUnread,         // `file`, kept encrypted, was not decrypted when the index was rebuilt (`sse`, `detail`
                      // why): the cell is kept with its files, as `installedEdition` says (0: not known),
                      // and shown again once a permit decrypts it
};

struct StoreIssue {
  IssueKind kind = IssueKind::None;
  std::string file;  // the file's name (no folder)
  ReaderResult reader = ReaderResult::Ok;  // Unreadable
  UpdateResult update = UpdateResult::Ok;  // UpdateStopped
  int number = 0;
  int edition = 0;
  int installedEdition = 0;
  std::string detail;
  std::string found, listed;  // CRC-32s
  std::vector<int> numbers;
  std::vector<int> sse;  // SSE codes (SseCode.h)
  std::string text;  // in English, one line beginning with the file it names
};

StoreIssue crcMismatchIssue(const std::string& file, const std::string& found, const std::string& listed);
StoreIssue unreadableIssue(const std::string& file, ReaderResult result, const std::string& detail);
StoreIssue notACellIssue(const std::string& file, const std::string& why);
StoreIssue olderEditionIssue(const std::string& file, int edition, int installedEdition);
StoreIssue olderBaseIssue(const std::string& file, int edition, int holds, int installedHolds);
StoreIssue cellCancelledIssue(const std::string& file, int edition, int updateNumber = 0);
StoreIssue updateStoppedIssue(const std::string& file, int number, UpdateResult result, const std::string& detail,
                              std::vector<int> laterNotApplied);
StoreIssue wrongEditionIssue(const std::string& file, int number, int edition, int installedEdition);
StoreIssue notInstalledIssue(const std::string& firstFile, std::vector<int> numbers);
StoreIssue storedFileDamagedIssue(const std::string& file);
StoreIssue keptUnreadIssue(const std::string& file, int edition, const std::vector<int>& sse, const std::string& detail);
StoreIssue protectionIssue(const std::string& file, int number, const std::vector<int>& sse, const std::string& detail,
                           std::vector<int> laterNotApplied = {});

// Writes `text` from the kind and values (after they were read back).
void wordIssue(StoreIssue& issue);

// The number of the issue's result as the index keeps it: the reader's for
// Unreadable, the update's for UpdateStopped, else 0; and back.
int issueCode(const StoreIssue& issue);
void setIssueCode(StoreIssue& issue, int code);

// The kind's name in the index ("crcMismatch", ...) and back (None for an
// unknown name).
const char* issueKindName(IssueKind kind);
IssueKind issueKindOfName(const std::string& name);

#pragma once
// What the store keeps of one cell: its files as delivered, its edition and
// issue dates, the updates applied, its status and its coverage, so that a
// start can show where the charts are without reading a cell.
#include <optional>
#include <string>
#include <vector>

#include "CellCoverage.h"
#include "StoreIssue.h"

enum class CellStatus {
  InUse,         // shown, as of its last update applied in full
  Cancelled,     // withdrawn by its producer: kept, never shown
  Refused,       // offered, but never installed (the reason in `issue`)
  NotInstalled,  // (import outcomes only) updates came for a cell the store does not hold
};

// "in use", "cancelled", "refused", "not installed"; and back.
const char* cellStatusName(CellStatus status);
std::optional<CellStatus> cellStatusOfName(const std::string& name);

// A file inside the store.
struct StoredFile {
  std::string path;  // from the store's folder, '/' separated: cells/NAME/K/NAME.000
  std::string crc;   // its CRC-32 as stored, 8 hex digits
  long long size = 0;
  // A file of an encrypted exchange set, kept encrypted as delivered and
  // decrypted again at every load: the data server of its exchange set
  // (whose permits are tried first) and the CRC-32 of its decrypted bytes.
  bool encrypted = false;
  std::string dataServer;
  std::string plainCrc;
};

struct StoredUpdate {
  int number = 0;
  std::string issueDate;  // DSID ISDT, YYYYMMDD
  std::string applied;    // when the store took it, YYYY-MM-DDThh:mm:ssZ
  std::string source;     // the exchange set it came from
  StoredFile file;
};

struct StoredCell {
  std::string name;  // the cell name, 8 characters
  CellStatus status = CellStatus::InUse;
  int edition = 0;            // DSID EDTN of the base file
  int baseUpdate = 0;         // DSID UPDN of the base file: a re-issue holds updates 1 to it
  std::string issueDate;      // DSID ISDT of the base file
  std::string updateDate;     // DSID UADT of the base file
  std::string installed;      // when the store took the base file
  std::string source;         // the exchange set the base file came from
  StoredFile base;            // empty path for a refused cell
  std::vector<StoredUpdate> updates;        // applied, in order
  std::optional<StoredUpdate> cancellation;  // the update that cancelled the cell
  StoreIssue issue;           // the last refusal about the cell, until it moves on
  CellCoverage coverage;
  // Kept by a rebuild of the index without being read: its files are kept
  // encrypted and no permit held then decrypted them. Its edition, updates
  // and coverage are those the damaged index still recorded, or only what
  // the store's folders show (edition 0: not known), until the cell is read
  // again with a permit (the next import or permit installation).
  bool keptUnread = false;

  // The last update the cell holds: its base's or its last applied.
  int updateNumber() const { return updates.empty() ? baseUpdate : updates.back().number; }
};

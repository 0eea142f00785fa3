#pragma once
// The chart store: the display's own copy of the charts installed, in one
// folder shared by the window and enctool (the user's data folder unless
// told otherwise). It keeps each cell's files as delivered, with its
// edition, issue dates, the updates applied, its status and its coverage,
// in an index that a start reads instead of every cell.
//
// An import changes the store whole or not at all: files are written
// beside their place and renamed, the index last and atomically, and files
// no index names any more are removed only after it. One program changes
// the store at a time (StoreLock); readers hold the lock shared while they
// read, so an import never removes a file under them.
//
// Encrypted charts: the store holds the cell permits installed (by cell
// and data server) and the keys that authenticate exchange sets (the
// scheme administrator's certificate, further keys the user accepted). An
// encrypted exchange set is taken through the data client's checks as it
// is imported, its files kept encrypted as delivered; every load decrypts
// them again with the permits held then, so an expired permit is noticed
// (SSE 25) and a permit removed takes its cells off the chart.
#include <memory>
#include <string>
#include <vector>

#include "CellFileBytes.h"
#include "CellFolder.h"
#include "ImportOutcome.h"
#include "PermitInstall.h"
#include "ProductList.h"
#include "StoreFiles.h"
#include "StoreIndex.h"
#include "StoreKeys.h"
#include "StoreProtection.h"
#include "StoredPermits.h"

struct ImportOptions {
  std::string now;    // the time recorded as the date applied; empty: the clock's
  int waitMs = 3000;  // how long to wait for another program's import
};

class StoreLock;
struct OfferedCells;

// Where an encrypted cell stands with its permits, for the cell list: no
// decryption needed.
struct CellPermitStanding {
  bool encrypted = false;  // the cell's files are kept encrypted
  bool permitted = false;  // a permit for it is installed
  // Of the permit whose keys are tried first (PermitState::Refused when
  // none is installed): valid, expiring, or expired (shown with SSE 25).
  PermitState state = PermitState::Refused;
  CalendarDay expiry;
  std::string dataServer;
};

// Where a cell stands against the latest product list of its data server.
struct CellProductStanding {
  bool listed = false;  // the list holds a record of the cell
  bool behind = false;  // the list announces an edition, re-issue, update or cancellation the cell lacks
  int edition = 0;      // as the list gives them
  int update = 0;
  std::string dataServer;
  std::string listDate;  // YYYYMMDDhhmmss
};

// A cell in use opened for loading: its files and, for an encrypted cell,
// the verdict of decrypting its base file with the permits held now.
struct OpenedCell {
  CellSource source;
  // Reads this cell's files: decrypted when they are kept encrypted. Give
  // it to loadCell (CellLoadOptions::fileBytes).
  CellFileBytes fileBytes;
  CellPermitStanding standing;
  // SSE 11 (no permit any more), 21 or 16 refuse the cell; SSE 25: it is
  // shown under a permit that has expired, with the permanent warning
  // that it may be out of date and must not be used for primary
  // navigation; SSE 27: its data server's latest product list announces
  // an edition or update it lacks, with the same warning.
  std::vector<SseCode> sse;
  std::string reason;

  bool refused() const;
  bool permitExpired() const;
  bool notUpToDate() const;
  // "SSE 25 - The permit for ENC ... has expired. ...".
  std::string message() const;
};

class ChartStore {
public:
  explicit ChartStore(std::string folder);
  ~ChartStore();

  // The user's store: the chart display's data folder, "charts" in it
  // (~/.local/share/chartdisplay/charts).
  static std::string defaultFolder();

  const std::string& folder() const { return files_.root(); }
  // The store's file access (tests inject faults through it).
  StoreFiles& files() { return files_; }

  // Who the store decrypts for: the manufacturer's identity and the data
  // client's date (the scheme's test manufacturer and the system date until
  // set).
  void setDataClient(DataClient client) { client_ = std::move(client); }
  const DataClient& dataClient() const { return client_; }

  // Reads the index. A store never written is empty. A damaged or lost
  // index is rebuilt from the store's files and written again, and
  // messages() says so. False, with the reason, when the store cannot be
  // read (another program keeps it locked past the wait). With `hold` the
  // store stays locked for reading until release() (or the store's end),
  // so that no import removes a file the index names while it is loaded.
  bool load(std::string& error, int waitMs = 3000, bool hold = false);
  void release();
  const StoreIndex& index() const { return index_; }
  // The permits held (read by load and kept up to date by the calls that
  // change them), with their state on the data client's date.
  std::vector<PermitListing> permits() const;
  // The keys installed, judged on the data client's date (read by load).
  const ExchangeSetKeys& keys() const { return keys_; }
  CellPermitStanding permitStanding(const StoredCell& cell) const;
  // The cell against its data server's latest product list (read by load
  // and import). SSE 27 is a warning while the cell is shown, never a
  // reason to refuse it: the import of a set whose list announces an
  // update the set does not bring installs what it brings, without SSE.
  CellProductStanding productStanding(const StoredCell& cell) const;
  const std::vector<StoreMessage>& messages() const { return messages_; }
  // Why the last load failed (kind None when it did not).
  const StoreMessage& failure() const { return failure_; }

  // Imports exchange sets, folders of cells or cell files into the store
  // and reads its index again. Encrypted exchange sets are checked with the
  // keys and permits the store holds.
  ImportReport import(const std::vector<std::string>& sources, const ImportOptions& options = {});

  // Installs the cell permits of a PERMIT.TXT.
  PermitInstallReport installPermits(const std::string& permitFile, const ImportOptions& options = {});
  // Removes the permits of `cell` (of `dataServer` only, when not empty);
  // false with the reason when the store cannot be written. `removed` is
  // how many went.
  bool removePermits(const std::string& cell, const std::string& dataServer, int& removed, std::string& error,
                     int waitMs = 3000);
  // Installs the scheme administrator's certificate or public key, or a
  // further key, from a file the user chose.
  KeyInstallOutcome installKey(const std::string& path, KeyRole role, const ImportOptions& options = {});

  // What the loader takes for a cell in use: its base file and the updates
  // applied, in sequence (with the CRC-32 each was stored with). Read them
  // through fileBytes(), never from disk directly.
  CellSource cellSource(const StoredCell& cell) const;
  // Reads the store's files for the loader (StoreFiles::read: the CRC
  // check, and for a file kept encrypted its decryption with the permits
  // held); a path the index does not name, or a file no permit decrypts,
  // is refused (ReaderResult::CannotOpen).
  CellFileBytes fileBytes() const;
  // Opens a cell in use for loading: for an encrypted cell its base file is
  // decrypted now, so the verdict (refused, or shown under an expired
  // permit) is known before the cell is built.
  OpenedCell openCell(const StoredCell& cell) const;

private:
  // Reads the index file; false with `damage` when it is damaged or absent
  // while the store holds files.
  bool readIndexFile(StoreIndex& index, std::string& damage) const;
  bool rebuild(const std::string& damage, StoreMessage& failure);
  // Reads the permits and keys (under the store's lock).
  void readProtection();
  // Reads the product lists of the data servers of the cells in index_.
  void readProductLists();
  // Keeps the product lists beside the encrypted exchange sets offered
  // (INFO/PRODUCTS.TXT), each merged with its data server's held list;
  // what does not read or cannot be written is said in `messages`.
  void keepProductLists(const OfferedCells& offered, std::vector<StoreMessage>& messages);
  std::shared_ptr<const StoreProtection> protection(const ExchangeSetKeys& keys) const;

  StoreFiles files_;
  std::unique_ptr<StoreLock> held_;
  StoreIndex index_;
  DataClient client_;
  std::vector<StoredPermit> permits_;
  ExchangeSetKeys keys_;
  std::vector<ProductList> products_;
  std::vector<StoreMessage> messages_;
  StoreMessage failure_;
};

#pragma once
// A cell's update files: found beside its base file (NAME.001, NAME.002,
// ...), taken in sequence and applied to the base's records before the
// geometry is assembled.
#include <functional>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "CellFileBytes.h"
#include "LoadWarning.h"
#include "UpdateResult.h"

class S57CellReader;
struct DataSetIdentification;
struct UpdateFile;

struct UpdateFileName {
  UpdateFileName() = default;
  UpdateFileName(int number_, std::string path_) : number(number_), path(std::move(path_)) {}

  int number = 0;    // from the extension, 1 to 999
  std::string path;
  // What the exchange set's catalogue says of the file: the CRC-32 it lists
  // (8 hex digits, empty when none does), and why the file failed that
  // check (its CRC-32 disagrees, or it could not be read for it). A file
  // that failed is never used: the chain stops there with the reason.
  std::string listedCrc;
  std::string crcFailure;
};

// The files in the base file's folder named like it (same name before the
// dot) with an extension of three digits from 001 to 999, ordered by
// number; one that is no regular file is listed too, and reading it stops
// the chain with the reason. Empty when the folder cannot be listed.
std::vector<UpdateFileName> findUpdateFiles(const std::string& basePath);

// A feature an update inserted, modified or deleted, by its object
// identifier (FOID); a deleted one with where it stood (the cell's
// coordinate units: divide by COMF for degrees).
struct UpdatedFeature {
  int instruction = 0;  // 1 insert, 2 delete, 3 modify
  int agency = 0, number = 0, subdivision = 0;
  bool located = false;  // a deleted feature's position is known
  std::int32_t y = 0, x = 0;
};

// What one update applied did to the cell's features, in file order.
struct UpdateChanges {
  int number = 0;
  std::vector<UpdatedFeature> features;
};

struct UpdateChainResult {
  std::vector<int> applied;  // the update numbers applied, in order
  std::vector<std::string> issueDates;  // the issue date (DSID ISDT) of each, YYYYMMDD
  std::vector<UpdateChanges> changes;   // the features each touched
  UpdateResult code = UpdateResult::Ok;  // what stopped the chain, Ok when none did
  std::string error;         // the stopping file's name, the reason and the
                             // record or value at fault; empty when none stopped
  LoadWarning stop;          // the same finding in its parts (file, code, the
                             // record or value), when one stopped
  // An update of edition 0 cancels the cell: it is to be shown no more. The
  // chain ends there (code 0); its file name, number and issue date.
  bool cancelled = false;
  std::string cancellationFile;
  int cancellationNumber = 0;
  std::string cancellationDate;
};

// Reads one update file of the chain (readUpdateFile by default); returns Ok
// or what went wrong with `detail`. A store reads its own copies through
// one of these.
using UpdateFileReader =
    std::function<UpdateResult(const UpdateFileName& file, UpdateFile& out, std::string& detail)>;

// Reads the update files through `fileBytes` (a store's copies): a file it
// refuses for its CRC-32 gives CrcMismatch, any other failure CannotRead.
UpdateFileReader updateFileReader(const CellFileBytes& fileBytes);

// Whether an update's data set identification cancels its cell: an update
// (EXPP 2) of edition 0.
bool cancelsCell(const DataSetIdentification& update);

// Whether `update` may follow the cell `base` as update `number`: an update
// (EXPP 2) of the same cell (DSNM before the dot) and edition, whose UPDN is
// `number`. Returns Ok or what is wrong with `detail`.
UpdateResult checkUpdateIdentity(const DataSetIdentification& update, const DataSetIdentification& base,
                                 int number, std::string& detail);

// Applies `files` (as findUpdateFiles gives them) to the base cell's
// records in sequence. A base that is a re-issue or a new edition (DSID
// UPDN n) already holds updates 1 to n, so those files are passed over.
// Each file must pass its catalogue's CRC check, be the next number, an
// update (EXPP 2) of the same cell and edition with its own number as UPDN,
// and apply in full; the first that is not stops the chain, and the cell
// keeps the records of the updates applied before it. An update of the
// cell of edition 0 ends the chain as a cancellation, whatever its number.
UpdateChainResult applyUpdateChain(S57CellReader& base, const std::vector<UpdateFileName>& files,
                                   const UpdateFileReader& read = nullptr);

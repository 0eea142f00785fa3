#pragma once
// A cell's update files: found beside its base file (NAME.001, NAME.002,
// ...), taken in sequence and applied to the base's records before the
// geometry is assembled.
#include <string>
#include <vector>

#include "LoadWarning.h"

class S57CellReader;

struct UpdateFileName {
  int number = 0;    // from the extension, 1 to 999
  std::string path;
};

// The files in the base file's folder named like it (same name before the
// dot) with an extension of three digits from 001 to 999, ordered by
// number; one that is no regular file is listed too, and reading it stops
// the chain with the reason. Empty when the folder cannot be listed.
std::vector<UpdateFileName> findUpdateFiles(const std::string& basePath);

struct UpdateChainResult {
  std::vector<int> applied;  // the update numbers applied, in order
  UpdateResult code = UpdateResult::Ok;  // what stopped the chain, Ok when none did
  std::string error;         // the stopping file's name, the reason and the
                             // record or value at fault; empty when none stopped
  LoadWarning stop;          // the same finding in its parts (file, code, the
                             // record or value), when one stopped
};

// Applies `files` (as findUpdateFiles gives them) to the base cell's
// records in sequence. A base that is a re-issue or a new edition (DSID
// UPDN n) already holds updates 1 to n, so those files are passed over.
// Each file must be the next number, an update (EXPP 2) of the same cell
// and edition with its own number as UPDN, and apply in full; the first
// that is not stops the chain, and the cell keeps the records of the
// updates applied before it.
UpdateChainResult applyUpdateChain(S57CellReader& base, const std::vector<UpdateFileName>& files);

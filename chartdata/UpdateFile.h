#pragma once
// One update file of a cell (NAME.001, NAME.002, ...) read into record
// holders: its data set identification and its feature and vector records
// in file order, each with its instruction (RUIN) and control fields.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DataSet.h"
#include "S57Records.h"
#include "UpdateResult.h"

struct UpdateFile {
  DataSetIdentification dataSet;
  std::vector<std::shared_ptr<FRID>> features;
  std::vector<std::shared_ptr<VRID>> vectors;
};

// Reads an update file through the cell reader. Returns Ok; CannotRead when
// the file cannot be opened or the reader refuses it; Truncated when a
// record runs past the end of the file or the file holds fewer records than
// its DSSI declares. On failure `detail` says more (the
// reader's reason, the record counts) and `out` is left empty.
UpdateResult readUpdateFile(const std::string& path, UpdateFile& out, std::string& detail);
// The same for a file image already in memory.
UpdateResult readUpdateBytes(std::string_view bytes, UpdateFile& out, std::string& detail);

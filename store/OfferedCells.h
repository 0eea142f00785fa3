#pragma once
// The cell files an import is offered, gathered cell by cell from exchange
// sets and folders: every base file (a second copy of a cell included) and
// every update file, whether its base lies beside it or not, each with what
// its catalogue says of it. Found through the folder walk that loading
// uses, so a catalogue's names stay inside its exchange set.
#include <string>
#include <vector>

#include "LoadWarning.h"
#include "StoreIssue.h"

struct OfferedFile {
  std::string path;        // where it lies
  std::string name;        // its file name as found
  int number = 0;          // 0: a base file; 1 to 999: an update
  std::string source;      // the exchange set: the folder of its catalogue, else the folder given
  std::string listedCrc;   // as its catalogue lists it; empty when none does
  std::string crcFailure;  // what the folder walk found wrong with its CRC-32
  // A file the store holds already (a rebuild of the index): its path in
  // the store and the time it was stored.
  std::string storedPath;
  std::string storedAt;
  // A file of an encrypted exchange set (one with SERIAL.ENC beside its
  // ENC_ROOT): its signature file beside it, the data server SERIAL.ENC
  // names and the issue date (ISDT) its catalogue gives. Its listed CRC-32
  // is that of the decrypted file.
  bool encrypted = false;
  std::string signaturePath;
  std::string dataServer;
  std::string issueDate;  // YYYYMMDD
};

struct OfferedCell {
  std::string name;                  // the cell name
  std::vector<OfferedFile> bases;    // in path order
  std::vector<OfferedFile> updates;  // by number, then path
};

struct OfferedCells {
  std::vector<OfferedCell> cells;     // by name
  std::vector<LoadWarning> warnings;  // about the sets: entries refused, files absent, ...
  std::vector<StoreIssue> notCells;   // files named like cell files with no cell name
  std::vector<std::string> missing;   // sources that are neither a folder nor a cell file
};

// Gathers the cell files of each source: a folder (an exchange set or any
// folder of cells, at any depth) or a single cell file. The files of an
// encrypted exchange set are marked as such, and their signature files
// are not offered as cells.
OfferedCells gatherOfferedCells(const std::vector<std::string>& sources);

// Puts `file` into its cell's place in `cells` (kept by name).
void addOfferedFile(std::vector<OfferedCell>& cells, const std::string& cellName, OfferedFile file);

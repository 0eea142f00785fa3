#pragma once
// The cells in a folder at any depth, as chart distributions ship them: a
// plain folder of cells, one folder per cell (ENC_ROOT/US5WA22M/US5WA22M.000)
// or exchange sets, whose CATALOG.031 lists every file with its CRC-32.
#include <string>
#include <vector>

#include "LoadWarning.h"
#include "UpdateChain.h"

struct CellSource {
  std::string path;                     // the base file, NAME.000 (empty: updates alone)
  std::vector<UpdateFileName> updates;  // NAME.001 ... beside it, by number
  // What the catalogue check found about the cell's files: a CRC that does
  // not match, a file the catalogue does not list.
  std::vector<LoadWarning> warnings;
  // The base file's CRC-32 as its catalogue lists it (empty when none does),
  // and why it failed that check (empty when it did not): such a base is
  // never read.
  std::string listedCrc;
  std::string crcFailure;
};

struct CellFolder {
  std::vector<CellSource> cells;  // by path; a cell's file name stands once
  // Update files whose base file is not beside them (an exchange set of
  // updates for cells installed earlier), one entry per folder and cell
  // name, `path` empty; their catalogue findings are the folder's.
  std::vector<CellSource> updatesAlone;
  // The copies of a cell found again (SameCellTwice), with the update files
  // beside them: not loaded, but an import weighs every copy.
  std::vector<CellSource> otherCopies;
  // Findings that belong to no cell: files a catalogue lists that are
  // absent, catalogues that cannot be read, a cell found twice, a
  // mismatching CRC of a file that is no cell's, catalogue entries refused
  // for leading out of their exchange set, catalogues linked from outside
  // the folder, files named like cells or catalogues that are no regular
  // file, folders that cannot be read.
  std::vector<LoadWarning> warnings;
  int catalogues = 0;  // CATALOG.031 files read
  // The system's error number when the folder itself cannot be opened (it
  // is missing, no folder, or not open to this user); 0 when it was.
  int folderError = 0;
  // Folders in it (at any depth) that cannot be read.
  int unreadableFolders = 0;
};

// Walks `directory` and its subfolders (folder links are not followed),
// takes every NAME.000 as a base cell with the NAME.001 ... beside it (of
// several copies of NAME.000 the newest edition, then the one holding the
// most updates, then the first in path order), and
// checks each CATALOG.031 against the files under its folder. A cell file
// whose CRC-32 disagrees with its catalogue is marked (`crcFailure`):
// loading never uses it. A folder that cannot be opened or read to its end,
// `directory` itself or one below it, is reported (FolderUnreadable) and the
// walk goes on with the others; a missing or unreadable `directory` gives no
// cells and its `folderError`.
//
// A catalogue's entries resolve only inside its own folder: an absolute
// name, a '..' step or a symbolic link leading out is refused by its name
// and never opened, stat'ed or checksummed. A catalogue that is itself a
// link leading out of `directory` is not read. Each file's CRC-32 is
// computed once, and a file listed more than once is reported once with
// how often. Cell files (links to them included) are read wherever they
// lie; one that is a folder, FIFO or device is reported (an update of that
// kind stays in its cell's list, and its chain stops there with the reason).
CellFolder scanCellFolder(const std::string& directory);

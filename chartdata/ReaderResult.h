#pragma once
// Result codes of the S-57 cell reader. 0 is success; every other value is a
// failure and nothing of the file is handed on.
//
// Two codes report damage found while the file was cut into records, after
// everything that could be decoded was: ReaderTruncatedRecord and
// ReaderFileTooLarge. The reader then holds the records it decoded (enctool
// info counts them), but loadCell refuses the cell: a chart that silently
// lacks part of its features must not be shown as if it were whole.
//
// Three codes report a base cell whose records are not what its data set
// declares, found after the read succeeded (checkCellRecords):
// ReaderNoFeatures, ReaderRecordCountMismatch and ReaderDuplicateRecord.
// Such a cell is loaded as far as it goes and listed all the same, with the
// finding as its first load warning, and loadCell returns the code so that
// no caller takes it for a whole cell: cellListedDespite tells these codes.

enum ReaderResult : int {
  ReaderOk = 0,
  ReaderCannotOpen = 1,              // the file cannot be opened or read
  ReaderFileTooShort = 2,            // fewer than 25 bytes
  ReaderNoDescriptiveRecord = 3,     // no "3LE1 09" leader, or the file is shorter than the DDR
  ReaderBadRecordLength = 4,         // a data record declares a length of 0 or less
  ReaderDescriptiveTooShort = 5,     // the DDR is shorter than its 24-byte leader
  ReaderDescriptiveOutOfBounds = 7,  // a DDR directory entry or field lies outside the DDR
  ReaderNotDataRecord = 8,           // a data record's leader identifier is not 'D'
  ReaderNoFeatures = 10,             // the cell holds no feature record at all (listed, see above)
  ReaderDuplicateCell = 11,          // a cell with the same data set name is already loaded
  ReaderRecordOutOfBounds = 12,      // a data record is shorter than its leader, or one of its
                                     // directory entries or fields runs past its end
  ReaderNoFactors = 13,              // COMF or SOMF is 0 (no DSPM record): coordinates and
                                     // depths cannot be scaled, so loadCell refuses the cell
  ReaderTruncatedRecord = 14,        // a data record's declared length runs past the end of the file
  ReaderFileTooLarge = 15,           // the file is longer than the reader's size limit
  ReaderGeometryTooLarge = 16,       // the cell's assembled geometry would exceed its bound (edges
                                     // referenced far more often than any real cell does)
  ReaderNotRegularFile = 17,         // a folder, FIFO, socket or device, refused before any read
  ReaderRecordCountMismatch = 18,    // records of a kind are fewer or more than the data set's
                                     // DSSI declares: records lost or added (listed, see above)
  ReaderDuplicateRecord = 19,        // two records with the same RCNM and RCID (listed, see above)
  // Codes of loadCell about the files around the cell rather than the file
  // itself (after the update codes of UpdateResult.h):
  ReaderCrcMismatch = 50,            // the base file's CRC-32 disagrees with its exchange set's
                                     // catalogue: never read
  ReaderCellCancelled = 51,          // an update of edition 0 cancels the cell: it is not listed
};

// True for the codes with which loadCell still lists the cell (10, 18, 19):
// the cell is shown and its first load warning says what is wrong with it.
// Every other code but 0 means nothing of the file was listed.
bool cellListedDespite(int code);

// A short English reason for a result code ("unknown result code" for others).
const char* readerResultText(int code);

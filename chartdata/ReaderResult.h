#pragma once
// Result codes of the S-57 cell reader. Ok is success; every other value is a
// failure and nothing of the file is handed on. The numbers are the ones
// enctool and the window print (resultCode).
//
// Two codes report damage found while the file was cut into records, after
// everything that could be decoded was: TruncatedRecord and FileTooLarge.
// The reader then holds the records it decoded (enctool
// info counts them), but loadCell refuses the cell: a chart that silently
// lacks part of its features must not be shown as if it were whole.
//
// Three codes report a base cell whose records are not what its data set
// declares, found after the read succeeded (checkCellRecords):
// NoFeatures, RecordCountMismatch and DuplicateRecord.
// Such a cell is loaded as far as it goes and listed all the same, with the
// finding as its first load warning, and loadCell returns the code so that
// no caller takes it for a whole cell: cellListedDespite tells these codes.

enum class ReaderResult : int {
  Ok = 0,
  CannotOpen = 1,              // the file cannot be opened or read
  FileTooShort = 2,            // fewer than 25 bytes
  NoDescriptiveRecord = 3,     // no "3LE1 09" leader, or the file is shorter than the DDR
  BadRecordLength = 4,         // a data record declares a length of 0 or less
  DescriptiveTooShort = 5,     // the DDR is shorter than its 24-byte leader
  DescriptiveOutOfBounds = 7,  // a DDR directory entry or field lies outside the DDR
  NotDataRecord = 8,           // a data record's leader identifier is not 'D'
  NoFeatures = 10,             // the cell holds no feature record at all (listed, see above)
  DuplicateCell = 11,          // a cell with the same data set name is already loaded
  RecordOutOfBounds = 12,      // a data record is shorter than its leader, or one of its
                               // directory entries or fields runs past its end
  NoFactors = 13,              // COMF or SOMF is 0 (no DSPM record): coordinates and
                               // depths cannot be scaled, so loadCell refuses the cell
  TruncatedRecord = 14,        // a data record's declared length runs past the end of the file
  FileTooLarge = 15,           // the file is longer than the reader's size limit
  GeometryTooLarge = 16,       // the cell's assembled geometry would exceed its bound (edges
                               // referenced far more often than any real cell does)
  NotRegularFile = 17,         // a folder, FIFO, socket or device, refused before any read
  RecordCountMismatch = 18,    // records of a kind are fewer or more than the data set's
                               // DSSI declares: records lost or added (listed, see above)
  DuplicateRecord = 19,        // two records with the same RCNM and RCID (listed, see above)
  // Results of loadCell about the files around the cell rather than the
  // file itself (numbered after the update results of UpdateResult.h):
  CrcMismatch = 50,    // the base file's CRC-32 disagrees with its exchange set's
                       // catalogue: never read
  CellCancelled = 51,  // an update of edition 0 cancels the cell: it is not listed
  Encrypted = 52,      // an S-63 encrypted cell (not ISO 8211, in an exchange set with
                       // SERIAL.ENC): readable only once installed into the chart store
                       // with its permits (EncryptedCell.h)
};

// True for the codes with which loadCell still lists the cell (10, 18, 19):
// the cell is shown and its first load warning says what is wrong with it.
// Every other code but 0 means nothing of the file was listed.
bool cellListedDespite(ReaderResult result);

// A short English reason for a result ("unknown result code" for others).
const char* readerResultText(ReaderResult result);

// The number of a result, as it is printed.
inline int resultCode(ReaderResult result) { return static_cast<int>(result); }

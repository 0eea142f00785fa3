#pragma once
// Result codes of the S-57 cell reader. 0 is success; every other value is a
// failure and nothing of the file is handed on.
//
// Two codes report damage found while the file was cut into records, after
// everything that could be decoded was: ReaderTruncatedRecord and
// ReaderFileTooLarge. The reader then holds the records it decoded (enctool
// info counts them), but loadCell refuses the cell: a chart that silently
// lacks part of its features must not be shown as if it were whole.

enum ReaderResult : int {
  ReaderOk = 0,
  ReaderCannotOpen = 1,              // the file cannot be opened or read
  ReaderFileTooShort = 2,            // fewer than 25 bytes
  ReaderNoDescriptiveRecord = 3,     // no "3LE1 09" leader, or the file is shorter than the DDR
  ReaderBadRecordLength = 4,         // a data record declares a length of 0 or less
  ReaderDescriptiveTooShort = 5,     // the DDR is shorter than its 24-byte leader
  ReaderDescriptiveOutOfBounds = 7,  // a DDR directory entry or field lies outside the DDR
  ReaderNotDataRecord = 8,           // a data record's leader identifier is not 'D'
  ReaderDuplicateCell = 11,          // a cell with the same data set name is already loaded
  ReaderRecordOutOfBounds = 12,      // a data record is shorter than its leader, or one of its
                                     // directory entries or fields runs past its end
  ReaderNoFactors = 13,              // COMF or SOMF is 0 (no DSPM record): coordinates and
                                     // depths cannot be scaled, so loadCell refuses the cell
  ReaderTruncatedRecord = 14,        // a data record's declared length runs past the end of the file
  ReaderFileTooLarge = 15,           // the file is longer than the reader's size limit
  ReaderGeometryTooLarge = 16,       // the cell's assembled geometry would exceed its bound (edges
                                     // referenced far more often than any real cell does)
};

// A short English reason for a result code ("unknown result code" for others).
const char* readerResultText(int code);

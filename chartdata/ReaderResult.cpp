#include "ReaderResult.h"

const char* readerResultText(int code) {
  switch (code) {
    case ReaderOk: return "cell read";
    case ReaderCannotOpen: return "file cannot be opened or read";
    case ReaderFileTooShort: return "file shorter than 25 bytes";
    case ReaderNoDescriptiveRecord:
      return "first record is not an ISO 8211 descriptive record, or the file is shorter than it";
    case ReaderBadRecordLength: return "a data record declares a length of 0 or less";
    case ReaderDescriptiveTooShort: return "descriptive record shorter than 24 bytes";
    case ReaderDescriptiveOutOfBounds:
      return "a field position or length points outside the descriptive record";
    case ReaderNotDataRecord: return "a data record's leader identifier is not 'D'";
    case ReaderNoFeatures: return "the cell holds no feature records: nothing of it can be drawn";
    case ReaderDuplicateCell: return "a cell with the same data set name is already loaded";
    case ReaderRecordOutOfBounds:
      return "a data record is shorter than its leader, or a field runs past the record's end";
    case ReaderNoFactors: return "coordinate or sounding factor is 0 (no DSPM record)";
    case ReaderTruncatedRecord:
      return "a data record runs past the end of the file: the file is cut short or damaged";
    case ReaderFileTooLarge: return "file larger than 50,000,000 bytes: the rest of it was not read";
    case ReaderGeometryTooLarge:
      return "the cell's edges are referenced far more often than the file's size allows: cell refused";
    case ReaderNotRegularFile: return "not a regular file (a folder, pipe or device): not read";
    case ReaderRecordCountMismatch:
      return "the records read disagree with the numbers the data set declares (DSSI): records lost or added";
    case ReaderDuplicateRecord: return "two records have the same record name (RCNM and RCID)";
    case ReaderCrcMismatch: return "the file's CRC-32 disagrees with its catalogue: not used";
    case ReaderCellCancelled: return "the cell is cancelled (an update of edition 0): not shown";
    default: return "unknown result code";
  }
}

bool cellListedDespite(int code) {
  return code == ReaderNoFeatures || code == ReaderRecordCountMismatch || code == ReaderDuplicateRecord;
}

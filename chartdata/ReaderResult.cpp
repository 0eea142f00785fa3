#include "ReaderResult.h"

const char* readerResultText(ReaderResult result) {
  switch (result) {
    case ReaderResult::Ok: return "cell read";
    case ReaderResult::CannotOpen: return "file cannot be opened or read";
    case ReaderResult::FileTooShort: return "file shorter than 25 bytes";
    case ReaderResult::NoDescriptiveRecord:
      return "first record is not an ISO 8211 descriptive record, or the file is shorter than it";
    case ReaderResult::BadRecordLength: return "a data record declares a length of 0 or less";
    case ReaderResult::DescriptiveTooShort: return "descriptive record shorter than 24 bytes";
    case ReaderResult::DescriptiveOutOfBounds:
      return "a field position or length points outside the descriptive record";
    case ReaderResult::NotDataRecord: return "a data record's leader identifier is not 'D'";
    case ReaderResult::NoFeatures: return "the cell holds no feature records: nothing of it can be drawn";
    case ReaderResult::DuplicateCell: return "a cell with the same data set name is already loaded";
    case ReaderResult::RecordOutOfBounds:
      return "a data record is shorter than its leader, or a field runs past the record's end";
    case ReaderResult::NoFactors: return "coordinate or sounding factor is 0 (no DSPM record)";
    case ReaderResult::TruncatedRecord:
      return "a data record runs past the end of the file: the file is cut short or damaged";
    case ReaderResult::FileTooLarge: return "file larger than 50,000,000 bytes: the rest of it was not read";
    case ReaderResult::GeometryTooLarge:
      return "the cell's edges are referenced far more often than the file's size allows: cell refused";
    case ReaderResult::NotRegularFile: return "not a regular file (a folder, pipe or device): not read";
    case ReaderResult::RecordCountMismatch:
      return "the records read disagree with the numbers the data set declares (DSSI): records lost or added";
    case ReaderResult::DuplicateRecord: return "two records have the same record name (RCNM and RCID)";
    case ReaderResult::CrcMismatch: return "the file's CRC-32 disagrees with its catalogue: not used";
    case ReaderResult::CellCancelled: return "the cell is cancelled (an update of edition 0): not shown";
    case ReaderResult::Encrypted:
      return "an encrypted (S-63) cell: install it into the chart store with its permits "
             "(enctool import --store DIR --permits PERMIT.TXT FOLDER) to show it";
  }
  return "unknown result code";
}

bool cellListedDespite(ReaderResult result) {
  return result == ReaderResult::NoFeatures || result == ReaderResult::RecordCountMismatch ||
         result == ReaderResult::DuplicateRecord;
}

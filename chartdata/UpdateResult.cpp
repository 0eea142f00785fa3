#include "UpdateResult.h"

const char* updateResultText(int code) {
  switch (code) {
    case UpdateOk: return "update applied";
    case UpdateCannotRead: return "update file cannot be read";
    case UpdateTruncated: return "update file is truncated";
    case UpdateNotAnUpdate: return "file is not an update of this cell";
    case UpdateWrongEdition: return "update is for another edition of the cell";
    case UpdateGap: return "an earlier update is missing (gap in the sequence)";
    case UpdateWrongNumber: return "update number does not match the file name";
    case UpdateRecordExists: return "insert of a record the cell already has";
    case UpdateRecordMissing: return "modify or delete of a record the cell does not have";
    case UpdateVersionMismatch: return "record version does not follow the cell's";
    case UpdateBadInstruction: return "update instruction cannot apply";
    case UpdateCrcMismatch: return "the file's CRC-32 disagrees with its catalogue";
    case UpdateMalformedRecord: return "an update record is not formed as updates must be";
    case UpdateAttributeMissing: return "delete of an attribute the record does not have";
    case UpdatePointerMissing: return "a pointer names a record the cell does not have";
    default: return "unknown result code";
  }
}

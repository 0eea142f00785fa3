#include "UpdateResult.h"

const char* updateResultText(UpdateResult result) {
  switch (result) {
    case UpdateResult::Ok: return "update applied";
    case UpdateResult::CannotRead: return "update file cannot be read";
    case UpdateResult::Truncated: return "update file is truncated";
    case UpdateResult::NotAnUpdate: return "file is not an update of this cell";
    case UpdateResult::WrongEdition: return "update is for another edition of the cell";
    case UpdateResult::Gap: return "an earlier update is missing (gap in the sequence)";
    case UpdateResult::WrongNumber: return "update number does not match the file name";
    case UpdateResult::RecordExists: return "insert of a record the cell already has";
    case UpdateResult::RecordMissing: return "modify or delete of a record the cell does not have";
    case UpdateResult::VersionMismatch: return "record version does not follow the cell's";
    case UpdateResult::BadInstruction: return "update instruction cannot apply";
    case UpdateResult::CrcMismatch: return "the file's CRC-32 disagrees with its catalogue";
    case UpdateResult::MalformedRecord: return "an update record is not formed as updates must be";
    case UpdateResult::AttributeMissing: return "delete of an attribute the record does not have";
    case UpdateResult::PointerMissing: return "a pointer names a record the cell does not have";
  }
  return "unknown result code";
}

#pragma once
// Result codes of applying a cell's update files (.001, .002, ...). Ok is
// success. Any other code stops the chain at that file: the cell keeps its
// records as of the last update applied in full, and still loads. The codes
// follow the reader's (ReaderResult.h) without overlapping them.

enum class UpdateResult : int {
  Ok = 0,
  CannotRead = 20,        // the file cannot be opened, or the reader refused it
  Truncated = 21,         // a record runs past the file's end, or records the
                          // file declares (DSSI) are missing
  NotAnUpdate = 22,       // DSID says it is no update (EXPP not 2) or one of another cell
  WrongEdition = 23,      // its edition (EDTN) is not the base cell's
  Gap = 24,               // an update file before it in the sequence is missing
  WrongNumber = 25,       // its update number (UPDN) is not the one its name gives
  RecordExists = 26,      // an insert of a record the cell already has
  RecordMissing = 27,     // a modify or delete of a record the cell does not have
  VersionMismatch = 28,   // a record version (RVER) that is not the target's plus one
  BadInstruction = 29,    // an unknown instruction, or a pointer, coordinate or
                          // control field that cannot apply to its target: an index
                          // outside its field, a count that disagrees with the entries given
  CrcMismatch = 60,       // the file's CRC-32 disagrees with its exchange set's catalogue
                          // (or it could not be read to check): never used
  MalformedRecord = 61,   // a record breaks the form of update records: a delete carrying
                          // more than its identifier, an insert or modify carrying nothing,
                          // a control field given twice
  AttributeMissing = 62,  // the delete of an attribute the record does not have
  PointerMissing = 63,    // a pointer given names a record the cell does not have
};

// A short English reason for an update result ("unknown result code" for
// others).
const char* updateResultText(UpdateResult result);

// The number of a result, as it is printed.
inline int resultCode(UpdateResult result) { return static_cast<int>(result); }

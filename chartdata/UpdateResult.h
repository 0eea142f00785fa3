#pragma once
// Result codes of applying a cell's update files (.001, .002, ...). 0 is
// success. Any other code stops the chain at that file: the cell keeps its
// records as of the last update applied in full, and still loads. The codes
// follow the reader's (ReaderResult.h) without overlapping them.

enum UpdateResult : int {
  UpdateOk = 0,
  UpdateCannotRead = 20,       // the file cannot be opened, or the reader refused it
  UpdateTruncated = 21,        // a record runs past the file's end, or records the
                               // file declares (DSSI) are missing
  UpdateNotAnUpdate = 22,      // DSID says it is no update (EXPP not 2) or one of another cell
  UpdateWrongEdition = 23,     // its edition (EDTN) is not the base cell's
  UpdateGap = 24,              // an update file before it in the sequence is missing
  UpdateWrongNumber = 25,      // its update number (UPDN) is not the one its name gives
  UpdateRecordExists = 26,     // an insert of a record the cell already has
  UpdateRecordMissing = 27,    // a modify or delete of a record the cell does not have
  UpdateVersionMismatch = 28,  // a record version (RVER) that is not the target's plus one
  UpdateBadInstruction = 29,   // an unknown instruction, or a pointer, coordinate or
                               // control field that cannot apply to its target: an index
                               // outside its field, a count that disagrees with the entries given
  UpdateCrcMismatch = 60,      // the file's CRC-32 disagrees with its exchange set's catalogue
                               // (or it could not be read to check): never used
  UpdateMalformedRecord = 61,  // a record breaks the form of update records: a delete carrying
                               // more than its identifier, an insert or modify carrying nothing,
                               // a control field given twice
  UpdateAttributeMissing = 62, // the delete of an attribute the record does not have
  UpdatePointerMissing = 63,   // a pointer given names a record the cell does not have
};

// A short English reason for an update result code ("unknown result code"
// for others).
const char* updateResultText(int code);

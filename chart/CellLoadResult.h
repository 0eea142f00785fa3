#pragma once
// What loading a cell came to: the reader's verdict on its files, or no
// verdict at all because there is no presentation library to portray the
// cell with (the library's own result says why). The two never share a
// number: a cell that cannot be opened and a library that is not loaded
// are told apart by type, not by a flag beside the code.
#include "ReaderResult.h"

class CellLoadResult {
public:
  // A reader's verdict is a load result.
  CellLoadResult(ReaderResult reader = ReaderResult::Ok) : reader_(reader) {}
  static CellLoadResult noLibrary() {
    CellLoadResult r;
    r.noLibrary_ = true;
    return r;
  }

  bool libraryMissing() const { return noLibrary_; }
  // The reader's verdict; Ok when the library was missing (nothing was read).
  ReaderResult reader() const { return reader_; }
  bool ok() const { return !noLibrary_ && reader_ == ReaderResult::Ok; }
  // Whether the cell is in the list: read whole, or listed as far as it goes
  // with its finding as its first load warning (cellListedDespite).
  bool listed() const { return !noLibrary_ && (reader_ == ReaderResult::Ok || cellListedDespite(reader_)); }

  friend bool operator==(const CellLoadResult& a, const CellLoadResult& b) {
    return a.noLibrary_ == b.noLibrary_ && a.reader_ == b.reader_;
  }
  friend bool operator!=(const CellLoadResult& a, const CellLoadResult& b) { return !(a == b); }

private:
  ReaderResult reader_;
  bool noLibrary_ = false;
};

// The number enctool and the window print for a load result: the reader's
// code, and 1 for a missing library, the number it has always been printed
// with.
inline int resultCode(const CellLoadResult& result) {
  return result.libraryMissing() ? 1 : resultCode(result.reader());
}

// A short English reason.
inline const char* cellLoadResultText(const CellLoadResult& result) {
  return result.libraryMissing() ? "the presentation library is not loaded" : readerResultText(result.reader());
}

#pragma once
// The memory of the record holders one read makes: the holders and the
// lists they hold (attributes, pointers, coordinates) are carved from large
// blocks as the records are decoded, instead of one heap block each, and
// all of it goes at once, when the last holder of the read goes. A cell's
// records number in the tens of thousands, and a heap block for each list
// of each of them cost more than decoding them.
//
// What a holder keeps outside its lists (attribute texts too long to keep
// in place) is its own, on the heap, and goes with the holder. Each holder
// shares the ownership of the memory of its read (a shared_ptr aliasing
// the RecordMemory), so a holder kept after its reader is gone, as the
// records of an update file are, keeps the memory it lives in.
#include <cstddef>
#include <memory>
#include <memory_resource>
#include <vector>

#include "S57Records.h"

class RecordMemory {
public:
  // About how many bytes the holders and their lists will take, for the
  // size of the first block of each.
  RecordMemory(size_t holderBytes, size_t listBytes);
  ~RecordMemory();
  RecordMemory(const RecordMemory&) = delete;
  RecordMemory& operator=(const RecordMemory&) = delete;

  // Room for the holders of so many records more (counted in the file).
  void expect(size_t features, size_t vectors);

  // A new, empty holder whose lists live here. Valid as long as this is.
  FRID* newFeature();
  VRID* newVector();

  std::pmr::memory_resource* resource() { return &lists_; }

private:
  // The holders lie side by side, apart from their lists, so that a walk
  // over the records (the record check, the geometry assembly, their end)
  // reads them in a row.
  std::pmr::monotonic_buffer_resource holders_;
  std::pmr::monotonic_buffer_resource lists_;
  std::vector<FRID*> features_;  // the holders made, to be destroyed before the memory goes
  std::vector<VRID*> vectors_;
};

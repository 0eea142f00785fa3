#include "RecordMemory.h"

#include <algorithm>
#include <new>

namespace {

// A first block of at least 16 KB and at most 64 MB; the blocks after it
// grow by half each time, as far as the read needs.
constexpr size_t kSmallestBlock = 16 * 1024, kLargestFirstBlock = 64 * 1024 * 1024;

size_t firstBlock(size_t expected) { return std::clamp(expected, kSmallestBlock, kLargestFirstBlock); }

template <class Record>
Record* make(std::pmr::monotonic_buffer_resource& holders, std::pmr::monotonic_buffer_resource& lists,
             std::vector<Record*>& made) {
  made.push_back(nullptr);  // its place first: a holder made is always destroyed
  made.back() = new (holders.allocate(sizeof(Record), alignof(Record))) Record(&lists);
  return made.back();
}

}  // namespace

RecordMemory::RecordMemory(size_t holderBytes, size_t listBytes)
    : holders_(firstBlock(holderBytes)), lists_(firstBlock(listBytes)) {}

RecordMemory::~RecordMemory() {
  // The holders' own heap memory (long attribute texts) goes with them; the
  // lists give nothing back one by one, the blocks go with the resources.
  for (FRID* f : features_)
    if (f) f->~FRID();
  for (VRID* v : vectors_)
    if (v) v->~VRID();
}

void RecordMemory::expect(size_t features, size_t vectors) {
  features_.reserve(features_.size() + features);
  vectors_.reserve(vectors_.size() + vectors);
}

FRID* RecordMemory::newFeature() { return make(holders_, lists_, features_); }

VRID* RecordMemory::newVector() { return make(holders_, lists_, vectors_); }

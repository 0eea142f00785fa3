#pragma once
// The S-57 record holders that the decoders fill: one FRID per feature
// record and one VRID per vector record, each with the repeating parts of
// its fields stored by value. Integers are 32-bit signed; names of 5 or 8
// bytes are kept raw and compared byte for byte.
//
// The repeating parts are RecordLists: the holders a read makes keep them
// in the memory of that read (RecordMemory), which a cell's records fill
// by the ten thousand, with no heap block for each; a holder made any other
// way, a copy included, keeps them on the heap.
#include <array>
#include <cstdint>
#include <memory_resource>
#include <string>
#include <vector>

template <class T>
using RecordList = std::pmr::vector<T>;

using RecordName = std::array<uint8_t, 5>;  // RCNM + RCID of a spatial record, raw
using LongName = std::array<uint8_t, 8>;    // LNAM: AGEN + FIDN + FIDS of a feature, raw

// A record name packed into one integer, for hashing (byte 0 lowest).
inline uint64_t nameKey(const RecordName& name) {
  return uint64_t(name[0]) | (uint64_t(name[1]) << 8) | (uint64_t(name[2]) << 16) |
         (uint64_t(name[3]) << 24) | (uint64_t(name[4]) << 32);
}

// The control field of an update record that edits one repeating field of
// its target (FFPC for FFPT, FSPC for FSPT, VRPC for VRPT, SGCC for SG2D or
// SG3D): the instruction (1 insert, 2 delete, 3 modify), the 1-based index
// of the first entry it touches and the number of entries. `present` is
// false when the record has no such field (every record of a base cell);
// `repeated` true when the record gives it more than once (the last counts).
struct UpdateControl {
  bool present = false;
  bool repeated = false;
  int instruction = 0;
  int index = 0;
  int count = 0;
};

// One attribute of ATTF, ATTV or NATF.
struct ATTF_NATF {
  std::string attributeCode;   // the 2-byte label in decimal, e.g. "116"
  std::string attributeValue;  // ATTF/ATTV: the bytes as they stand; NATF: UTF-8
};

// Feature-to-feature pointer.
struct FFPT {
  LongName LNAM{};
  int RIND = 0;
  std::string COMT;
};

// Feature-to-spatial pointer.
struct FSPT {
  RecordName NAME{};
  int RCNM = 0;
  int RCID = 0;
  int ORNT = 0;  // 1 forward, 2 reverse, 255 null
  int USAG = 0;  // 1 exterior, 2 interior, 3 exterior truncated by the data limit, 255 null
  int MASK = 0;
};

// One feature record.
struct FRID {
  FRID() = default;
  // The lists in `memory`.
  explicit FRID(std::pmr::memory_resource* memory)
      : attributes(memory), nationalAttributes(memory), featurePointers(memory), spatialPointers(memory) {}

  int RCNM = 0;
  int RCID = 0;
  int PRIM = 0;  // 1 point, 2 line, 3 area, 255 none
  int GRUP = 0;
  int OBJL = 0;  // object class code
  int RVER = 0;
  int RUIN = 0;  // 1 insert, 2 delete, 3 modify (a base cell's records say 1)
  int AGEN = 0;  // from FOID
  int FIDN = 0;
  int FIDS = 0;
  RecordList<ATTF_NATF> attributes;          // ATTF, in field order
  RecordList<ATTF_NATF> nationalAttributes;  // NATF, in field order
  RecordList<FFPT> featurePointers;
  RecordList<FSPT> spatialPointers;
  // Update records only.
  UpdateControl featurePointerControl;  // FFPC
  UpdateControl spatialPointerControl;  // FSPC
};

// Vector record pointer.
struct VRPT {
  RecordName NAME{};
  int RCNM = 0;
  int RCID = 0;
  int ORNT = 0;
  int USAG = 0;
  int TOPI = 0;  // 1 beginning node, 2 end node
  int MASK = 0;
};

// 2-D coordinate, in coordinate units (divide by COMF for degrees).
struct SG2D {
  int32_t YCOO = 0;
  int32_t XCOO = 0;
};

// 3-D coordinate (sounding); VE3D / SOMF is the depth in metres.
struct SG3D {
  int32_t YCOO = 0;
  int32_t XCOO = 0;
  int32_t VE3D = 0;
};

// One vector (spatial) record.
struct VRID {
  VRID() = default;
  // The lists in `memory`.
  explicit VRID(std::pmr::memory_resource* memory)
      : attributes(memory), pointers(memory), coordinates2D(memory), coordinates3D(memory) {}

  RecordName NAME{};
  int RCNM = 0;  // 110 isolated node, 120 connected node, 130 edge
  int RCID = 0;
  int RVER = 0;
  int RUIN = 0;
  RecordList<ATTF_NATF> attributes;  // ATTV
  RecordList<VRPT> pointers;
  RecordList<SG2D> coordinates2D;
  RecordList<SG3D> coordinates3D;
  // Update records only.
  UpdateControl pointerControl;     // VRPC
  UpdateControl coordinateControl;  // SGCC
};

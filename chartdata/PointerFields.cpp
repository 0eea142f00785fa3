#include "PointerFields.h"

#include <algorithm>

#include "BinaryValue.h"
#include "FieldSplitter.h"
#include "RecordView.h"

namespace {

template <size_t N>
void copyName(std::string_view bytes, std::array<uint8_t, N>& name) {
  const size_t n = std::min(bytes.size(), N);
  std::copy_n(reinterpret_cast<const uint8_t*>(bytes.data()), n, name.begin());
}

}  // namespace

void decodeFeaturePointerField(std::string_view field, RecordList<FFPT>& out) {
  FieldSplitter pieces(field, kUnitTerminator, 9);
  for (std::string_view piece; pieces.next(piece) && piece.size() > 1;) {
    if (pieces.atEnd() && piece.size() > 9 && piece.back() == kFieldTerminator)
      piece.remove_suffix(1);
    FFPT& pointer = out.emplace_back();
    copyName(piece, pointer.LNAM);
    pointer.RIND = piece.size() > 8 ? binaryValue(piece.substr(8, 1), 1) : 0;
    if (piece.size() > 9) pointer.COMT.assign(piece.data() + 9, piece.size() - 9);
  }
}

void decodeSpatialPointerField(std::string_view field, RecordList<FSPT>& out) {
  const size_t count = repetitionCount(field, 8);
  makeRoom(out, count);
  for (size_t i = 0; i < count; ++i) {
    const std::string_view r = field.substr(i * 8, 8);
    FSPT& pointer = out.emplace_back();
    copyName(r, pointer.NAME);
    pointer.RCNM = binaryValue(r.substr(0, 1), 1);
    pointer.RCID = binaryValue(r.substr(1, 4), 4);
    pointer.ORNT = binaryValue(r.substr(5, 1), 1);
    pointer.USAG = binaryValue(r.substr(6, 1), 1);
    pointer.MASK = binaryValue(r.substr(7, 1), 1);
  }
}

void decodeVectorPointerField(std::string_view field, RecordList<VRPT>& out) {
  const size_t count = repetitionCount(field, 9);
  makeRoom(out, count);
  for (size_t i = 0; i < count; ++i) {
    const std::string_view r = field.substr(i * 9, 9);
    VRPT& pointer = out.emplace_back();
    copyName(r, pointer.NAME);
    pointer.RCNM = binaryValue(r.substr(0, 1), 1);
    pointer.RCID = binaryValue(r.substr(1, 4), 4);
    pointer.ORNT = binaryValue(r.substr(5, 1), 1);
    pointer.USAG = binaryValue(r.substr(6, 1), 1);
    pointer.TOPI = binaryValue(r.substr(7, 1), 1);
    pointer.MASK = binaryValue(r.substr(8, 1), 1);
  }
}

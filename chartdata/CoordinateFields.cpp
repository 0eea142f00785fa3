#include "CoordinateFields.h"

#include "BinaryValue.h"

void decodeCoordinateField2D(std::string_view field, RecordList<SG2D>& out) {
  const size_t count = repetitionCount(field, 8);
  makeRoom(out, count);
  for (size_t i = 0; i < count; ++i) {
    const std::string_view r = field.substr(i * 8, 8);
    out.push_back(SG2D{binaryValue(r.substr(0, 4), 4), binaryValue(r.substr(4, 4), 4)});
  }
}

void decodeCoordinateField3D(std::string_view field, RecordList<SG3D>& out) {
  const size_t count = repetitionCount(field, 12);
  makeRoom(out, count);
  for (size_t i = 0; i < count; ++i) {
    const std::string_view r = field.substr(i * 12, 12);
    out.push_back(SG3D{binaryValue(r.substr(0, 4), 4), binaryValue(r.substr(4, 4), 4),
                       binaryValue(r.substr(8, 4), 4)});
  }
}

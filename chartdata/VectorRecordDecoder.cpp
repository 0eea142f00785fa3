// Vector (spatial) records: VRID, ATTV, VRPT, SG2D, SG3D, and in update files
// the controls VRPC and SGCC.
#include <algorithm>

#include "AttributeFields.h"
#include "CoordinateFields.h"
#include "DataFields.h"
#include "PointerFields.h"
#include "S57CellReader.h"
#include "SubfieldCursor.h"
#include "UpdateControlField.h"

ReaderResult S57CellReader::decodeVectorRecord(std::string_view bytes, int sizeOfLength,
                                      int sizeOfPosition) {
  std::shared_ptr<VRID> vector = newVector();
  VRID& v = *vector;
  const int attributeLevel = dataSetStructure.present ? dataSetStructure.AALL : kLevelLatin1;
  const ReaderResult code = visitDataFields(RecordView(bytes, sizeOfLength, sizeOfPosition),
                                   [&v, attributeLevel](std::string_view tag, std::string_view field) {
    switch (tagCode(tag)) {
      case tagCode("VRID"): {
        field = fieldData(field);
        const std::string_view name = field.substr(0, std::min<size_t>(field.size(), 5));
        v.NAME = RecordName{};
        std::copy(name.begin(), name.end(), v.NAME.begin());
        v.RCNM = SubfieldCursor::binaryAt(field, 0, 1);
        v.RCID = SubfieldCursor::binaryAt(field, 1, 4);
        v.RVER = SubfieldCursor::binaryAt(field, 5, 2);
        v.RUIN = SubfieldCursor::binaryAt(field, 7, 1);
        break;
      }
      case tagCode("ATTV"): decodeAttributeField(field, v.attributes, attributeLevel); break;
      case tagCode("VRPT"): decodeVectorPointerField(field, v.pointers); break;
      case tagCode("SG2D"): decodeCoordinateField2D(field, v.coordinates2D); break;
      case tagCode("SG3D"): decodeCoordinateField3D(field, v.coordinates3D); break;
      case tagCode("VRPC"): decodeUpdateControlField(field, v.pointerControl); break;
      case tagCode("SGCC"): decodeUpdateControlField(field, v.coordinateControl); break;
      default: break;
    }
  });
  vectorIndex.insert_or_assign(nameKey(v.NAME), vector);
  vectors.push_back(std::move(vector));
  return code;
}

// Feature records: FRID, FOID, ATTF, NATF, FFPT, FSPT, and in update files
// the pointer controls FFPC and FSPC.
#include "AttributeFields.h"
#include "DataFields.h"
#include "PointerFields.h"
#include "S57CellReader.h"
#include "SubfieldCursor.h"
#include "UpdateControlField.h"

ReaderResult S57CellReader::decodeFeatureRecord(std::string_view bytes, int sizeOfLength,
                                       int sizeOfPosition) {
  std::shared_ptr<FRID> feature = newFeature();
  FRID& f = *feature;
  // In an update file (the DSID record comes first) a national value of the
  // delete character alone is kept: it removes the attribute.
  const bool update = dataSetIdentification.EXPP == 2;
  // Text in the lexical levels the DSSI declares; a file without one is
  // taken as most cells are, Latin-1 attributes and UCS-2 national ones.
  const int attributeLevel = dataSetStructure.present ? dataSetStructure.AALL : kLevelLatin1;
  const int nationalLevel = dataSetStructure.present ? dataSetStructure.NALL : kLevelUcs2;
  const ReaderResult code = visitDataFields(RecordView(bytes, sizeOfLength, sizeOfPosition),
                                   [&f, update, attributeLevel, nationalLevel](std::string_view tag,
                                                                               std::string_view field) {
    switch (tagCode(tag)) {
      case tagCode("FRID"):
        field = fieldData(field);
        f.RCNM = SubfieldCursor::binaryAt(field, 0, 1);
        f.RCID = SubfieldCursor::binaryAt(field, 1, 4);
        f.PRIM = SubfieldCursor::binaryAt(field, 5, 1);
        f.GRUP = SubfieldCursor::binaryAt(field, 6, 1);
        f.OBJL = SubfieldCursor::binaryAt(field, 7, 2);
        f.RVER = SubfieldCursor::binaryAt(field, 9, 2);
        f.RUIN = SubfieldCursor::binaryAt(field, 11, 1);
        break;
      case tagCode("FOID"):
        field = fieldData(field);
        f.AGEN = SubfieldCursor::binaryAt(field, 0, 2);
        f.FIDN = SubfieldCursor::binaryAt(field, 2, 4);
        f.FIDS = SubfieldCursor::binaryAt(field, 6, 2);
        break;
      case tagCode("ATTF"): decodeAttributeField(field, f.attributes, attributeLevel, update); break;
      case tagCode("NATF"): decodeNationalAttributeField(field, f.nationalAttributes, nationalLevel, update); break;
      case tagCode("FFPT"): decodeFeaturePointerField(field, f.featurePointers); break;
      case tagCode("FSPT"): decodeSpatialPointerField(field, f.spatialPointers); break;
      case tagCode("FFPC"): decodeUpdateControlField(field, f.featurePointerControl); break;
      case tagCode("FSPC"): decodeUpdateControlField(field, f.spatialPointerControl); break;
      default: break;
    }
  });
  // Kept also when the record had no decodable field.
  features.push_back(std::move(feature));
  return code;
}

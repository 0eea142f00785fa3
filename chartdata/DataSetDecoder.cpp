// The data set records: identification (DSID, DSSI) and parameters (DSPM).
#include "DataFields.h"
#include "S57CellReader.h"
#include "SubfieldCursor.h"

ReaderResult S57CellReader::decodeDataSetIdentification(std::string_view bytes, int sizeOfLength,
                                                        int sizeOfPosition) {
  return visitDataFields(RecordView(bytes, sizeOfLength, sizeOfPosition),
                         [this](std::string_view tag, std::string_view field) {
    if (tag == "DSSI") {
      DataSetStructure& s = dataSetStructure;
      SubfieldCursor c(field);
      s.present = true;
      s.DSTR = c.b11();
      s.AALL = c.b11();
      s.NALL = c.b11();
      s.NOMR = static_cast<uint32_t>(c.b14());
      s.NOCR = static_cast<uint32_t>(c.b14());
      s.NOGR = static_cast<uint32_t>(c.b14());
      s.NOLR = static_cast<uint32_t>(c.b14());
      s.NOIN = static_cast<uint32_t>(c.b14());
      s.NOCN = static_cast<uint32_t>(c.b14());
      s.NOED = static_cast<uint32_t>(c.b14());
      s.NOFA = static_cast<uint32_t>(c.b14());
      return;
    }
    if (tag != "DSID") return;
    DataSetIdentification& d = dataSetIdentification;
    SubfieldCursor c(field);
    d.RCNM = c.b11();
    d.RCID = c.b14();
    d.EXPP = c.b11();
    d.INTU = c.b11();
    d.DSNM = c.text();
    d.EDTN = c.text();
    d.UPDN = c.text();
    d.UADT = c.fixed(8);
    d.ISDT = c.fixed(8);
    d.STED = c.fixed(4);
    d.PRSP = c.b11();
    d.PSDN = c.text();
    d.PRED = c.text();
    d.PROF = c.b11();
    d.AGEN = c.b12();
    d.COMT = c.text();
  });
}

ReaderResult S57CellReader::decodeDataSetParameters(std::string_view bytes, int sizeOfLength, int sizeOfPosition) {
  return visitDataFields(RecordView(bytes, sizeOfLength, sizeOfPosition),
                         [this](std::string_view tag, std::string_view field) {
    if (tag != "DSPM") return;
    DataSetParameters& p = dataSetParameters;
    SubfieldCursor c(field);
    p.RCNM = c.b11();
    p.RCID = c.b14();
    p.HDAT = c.b11();
    p.VDAT = c.b11();
    p.SDAT = c.b11();
    p.CSCL = c.b14();
    p.DUNI = c.b11();
    p.HUNI = c.b11();
    p.PUNI = c.b11();
    p.COUN = c.b11();
    p.COMF = c.b14();
    p.SOMF = c.b14();
    p.COMT = c.text();
  });
}

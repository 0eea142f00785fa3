#include "S57Writer.h"

#include <fstream>

#include "RecordKinds.h"

namespace s57write {

using iso8211::b11;
using iso8211::b12;
using iso8211::b14;
using iso8211::field;
using iso8211::text;

namespace {

std::string raw(const uint8_t* bytes, size_t n) {
  return std::string(reinterpret_cast<const char*>(bytes), n);
}

std::string fixedText(std::string value, size_t width) {
  value.resize(width, ' ');
  return value;
}

}  // namespace

std::array<uint8_t, 5> recordName(int rcnm, int64_t rcid) {
  const std::string id = b14(rcid);
  return {static_cast<uint8_t>(rcnm), static_cast<uint8_t>(id[0]), static_cast<uint8_t>(id[1]),
          static_cast<uint8_t>(id[2]), static_cast<uint8_t>(id[3])};
}

std::array<uint8_t, 8> longName(int agen, int64_t fidn, int fids) {
  const std::string bytes = b12(static_cast<uint32_t>(agen)) + b14(fidn) + b12(static_cast<uint32_t>(fids));
  std::array<uint8_t, 8> out{};
  for (size_t i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(bytes[i]);
  return out;
}

std::string recordIdField(int number) { return field(b12(static_cast<uint32_t>(number))); }

std::string dsidField(const DataSet& d) {
  return field(b11(kDataSetIdentification) + b14(d.rcid) + b11(d.expp) + b11(d.intu) +
               text(d.dsnm) + text(d.edtn) + text(d.updn) + fixedText(d.uadt, 8) +
               fixedText(d.isdt, 8) + fixedText(d.sted, 4) + b11(d.prsp) + text(d.psdn) +
               text(d.pred) + b11(d.prof) + b12(d.agen) + text(d.comt));
}

std::string dspmField(const Parameters& p) {
  return field(b11(kDataSetParameters) + b14(p.rcid) + b11(p.hdat) + b11(p.vdat) + b11(p.sdat) +
               b14(p.cscl) + b11(p.duni) + b11(p.huni) + b11(p.puni) + b11(p.coun) +
               b14(p.comf) + b14(p.somf) + text(p.comt));
}

std::string fridField(const Feature& f) {
  return field(b11(kFeature) + b14(f.rcid) + b11(f.prim) + b11(f.grup) + b12(f.objl) +
               b12(f.rver) + b11(f.ruin));
}

std::string foidField(const Feature& f) {
  return field(b12(f.agen) + b14(f.fidn) + b12(f.fids));
}

std::string attributeField(const std::vector<Attribute>& attributes) {
  std::string bytes;
  for (const Attribute& a : attributes) bytes += b12(a.label) + text(a.value);
  return field(bytes);
}

std::string natfField(const std::vector<NationalAttribute>& attributes, int lexicalLevel) {
  if (lexicalLevel == 0 || lexicalLevel == 1) {
    std::string bytes;
    for (const NationalAttribute& a : attributes) {
      bytes += b12(a.label);
      for (char16_t unit : a.value) bytes += static_cast<char>(unit & 0xFF);
      bytes += '\x1f';
    }
    return bytes + '\x1e';
  }
  std::string bytes;
  for (const NationalAttribute& a : attributes) {
    bytes += b12(a.label);
    for (char16_t unit : a.value) bytes += b12(unit);
    bytes += b12(0x1F);
  }
  return bytes + b12(0x1E);
}

std::string ffptField(const std::vector<FeaturePointer>& pointers) {
  std::string bytes;
  for (const FeaturePointer& p : pointers) bytes += raw(p.lnam.data(), 8) + b11(p.rind) + text(p.comt);
  return field(bytes);
}

std::string fsptField(const std::vector<SpatialPointer>& pointers) {
  std::string bytes;
  for (const SpatialPointer& p : pointers)
    bytes += raw(recordName(p.rcnm, p.rcid).data(), 5) + b11(p.ornt) + b11(p.usag) + b11(p.mask);
  return field(bytes);
}

std::string vridField(const Vector& v) {
  return field(b11(v.rcnm) + b14(v.rcid) + b12(v.rver) + b11(v.ruin));
}

std::string vrptField(const std::vector<VectorPointer>& pointers) {
  std::string bytes;
  for (const VectorPointer& p : pointers)
    bytes += raw(recordName(p.rcnm, p.rcid).data(), 5) + b11(p.ornt) + b11(p.usag) + b11(p.topi) +
             b11(p.mask);
  return field(bytes);
}

std::string sg2dField(const std::vector<Coordinate>& coordinates) {
  std::string bytes;
  for (const Coordinate& c : coordinates) bytes += b14(c.y) + b14(c.x);
  return field(bytes);
}

std::string sg3dField(const std::vector<Sounding>& soundings) {
  std::string bytes;
  for (const Sounding& s : soundings) bytes += b14(s.y) + b14(s.x) + b14(s.depth);
  return field(bytes);
}

std::string controlField(const Control& c) {
  return field(b11(static_cast<uint32_t>(c.instruction)) + b12(static_cast<uint32_t>(c.index)) +
               b12(static_cast<uint32_t>(c.count)));
}

S57Writer::S57Writer() {
  const char* field = "1600;&   ";
  const char* repeating = "2600;&   ";
  writer_
      .describe("0001", "0500;&   ", "ISO 8211 Record Identifier", "", "(b12)")
      .describe("DSID", field, "Data set identification field",
                "RCNM!RCID!EXPP!INTU!DSNM!EDTN!UPDN!UADT!ISDT!STED!PRSP!PSDN!PRED!PROF!AGEN!COMT",
                "(b11,b14,2b11,3A,2A(8),R(4),b11,2A,b11,b12,A)")
      .describe("DSSI", field, "Data set structure information field",
                "DSTR!AALL!NALL!NOMR!NOCR!NOGR!NOLR!NOIN!NOCN!NOED!NOFA", "(3b11,8b14)")
      .describe("DSPM", field, "Data set parameter field",
                "RCNM!RCID!HDAT!VDAT!SDAT!CSCL!DUNI!HUNI!PUNI!COUN!COMF!SOMF!COMT",
                "(b11,b14,3b11,b14,4b11,2b14,A)")
      .describe("FRID", field, "Feature record identifier field",
                "RCNM!RCID!PRIM!GRUP!OBJL!RVER!RUIN", "(b11,b14,2b11,2b12,b11)")
      .describe("FOID", field, "Feature object identifier field", "AGEN!FIDN!FIDS",
                "(b12,b14,b12)")
      .describe("ATTF", repeating, "Feature record attribute field", "*ATTL!ATVL", "(b12,A)")
      .describe("NATF", repeating, "Feature record national attribute field", "*ATTL!ATVL",
                "(b12,A)")
      .describe("FFPT", repeating, "Feature record to feature object pointer field",
                "*LNAM!RIND!COMT", "(B(64),b11,A)")
      .describe("FSPT", repeating, "Feature record to spatial record pointer field",
                "*NAME!ORNT!USAG!MASK", "(B(40),3b11)")
      .describe("VRID", field, "Vector record identifier field", "RCNM!RCID!RVER!RUIN",
                "(b11,b14,b12,b11)")
      .describe("ATTV", repeating, "Vector record attribute field", "*ATTL!ATVL", "(b12,A)")
      .describe("VRPT", repeating, "Vector record pointer field", "*NAME!ORNT!USAG!TOPI!MASK",
                "(B(40),4b11)")
      .describe("SG2D", repeating, "2-D coordinate field", "*YCOO!XCOO", "(2b24)")
      .describe("SG3D", repeating, "3-D coordinate (sounding array) field", "*YCOO!XCOO!VE3D",
                "(3b24)")
      .describe("FFPC", field, "Feature record to feature object pointer control field", "FFUI!FFIX!NFPT",
                "(b11,2b12)")
      .describe("FSPC", field, "Feature record to spatial record pointer control field", "FSUI!FSIX!NSPT",
                "(b11,2b12)")
      .describe("VRPC", field, "Vector record pointer control field", "VPUI!VPIX!NVPT", "(b11,2b12)")
      .describe("SGCC", field, "Coordinate control field", "CCUI!CCIX!CCNC", "(b11,2b12)")
      .fieldTree({{"0001", "DSID"}, {"DSID", "DSSI"}, {"0001", "DSPM"}, {"0001", "FRID"},
                  {"FRID", "FOID"}, {"FRID", "ATTF"}, {"FRID", "NATF"}, {"FRID", "FFPT"},
                  {"FRID", "FSPT"}, {"0001", "VRID"}, {"VRID", "ATTV"}, {"VRID", "VRPT"},
                  {"VRID", "SG2D"}, {"VRID", "SG3D"}, {"FRID", "FFPC"}, {"FRID", "FSPC"},
                  {"VRID", "VRPC"}, {"VRID", "SGCC"}});
}

S57Writer& S57Writer::addRecord(const iso8211::Record& record, char leaderIdentifier) {
  writer_.addRecord(record, leaderIdentifier);
  ++nextRecord_;
  return *this;
}

S57Writer& S57Writer::addDataSet(const DataSet& d, const Parameters& p) {
  return addDataSetIdentification(d).addDataSetParameters(p);
}

iso8211::Record S57Writer::dataSetRecord(int number, const DataSet& d) const {
  // DSSI: structure 2 (full topology), the lexical levels, the record counts.
  std::string counts;
  for (const int64_t n : d.recordCounts ? *d.recordCounts : counted_) counts += b14(n);
  const std::string dssi = field(b11(2) + b11(d.aall) + b11(d.nall) + counts);
  return iso8211::Record().add("0001", recordIdField(number)).add("DSID", dsidField(d)).add("DSSI", dssi);
}

S57Writer& S57Writer::addDataSetIdentification(const DataSet& d) {
  dataSetPlace_ = writer_.recordCount();
  dataSetNumber_ = nextRecord_;
  dataSet_ = d;
  nationalLevel_ = d.nall;
  return addRecord(dataSetRecord(nextRecord_, d));
}

std::string S57Writer::image() const {
  if (!dataSetPlace_ || dataSet_.recordCounts) return writer_.image();
  iso8211::Writer counted = writer_;
  counted.replaceRecord(*dataSetPlace_, dataSetRecord(dataSetNumber_, dataSet_));
  return counted.image();
}

bool S57Writer::writeFile(const std::string& path) const {
  std::ofstream out(path, std::ios::binary);
  const std::string bytes = image();
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

S57Writer& S57Writer::addDataSetParameters(const Parameters& p) {
  return addRecord(
      iso8211::Record().add("0001", recordIdField(nextRecord_)).add("DSPM", dspmField(p)));
}

S57Writer& S57Writer::addFeature(const Feature& f) {
  ++counted_[static_cast<size_t>(featureRecordKind(f.objl))];
  iso8211::Record r;
  r.add("0001", recordIdField(nextRecord_)).add("FRID", fridField(f)).add("FOID", foidField(f));
  if (!f.attributes.empty()) r.add("ATTF", attributeField(f.attributes));
  if (!f.nationalAttributes.empty()) r.add("NATF", natfField(f.nationalAttributes, nationalLevel_));
  if (f.featurePointerControl.instruction) r.add("FFPC", controlField(f.featurePointerControl));
  if (!f.featurePointers.empty()) r.add("FFPT", ffptField(f.featurePointers));
  if (f.spatialPointerControl.instruction) r.add("FSPC", controlField(f.spatialPointerControl));
  if (!f.spatialPointers.empty()) r.add("FSPT", fsptField(f.spatialPointers));
  return addRecord(r);
}

S57Writer& S57Writer::addVector(const Vector& v) {
  const RecordKind kind = vectorRecordKind(v.rcnm);
  if (kind < kRecordKindCount) ++counted_[static_cast<size_t>(kind)];
  iso8211::Record r;
  r.add("0001", recordIdField(nextRecord_)).add("VRID", vridField(v));
  if (!v.attributes.empty()) r.add("ATTV", attributeField(v.attributes));
  if (v.pointerControl.instruction) r.add("VRPC", controlField(v.pointerControl));
  if (!v.pointers.empty()) r.add("VRPT", vrptField(v.pointers));
  if (v.coordinateControl.instruction) r.add("SGCC", controlField(v.coordinateControl));
  if (!v.coordinates2D.empty()) r.add("SG2D", sg2dField(v.coordinates2D));
  if (!v.coordinates3D.empty()) r.add("SG3D", sg3dField(v.coordinates3D));
  return addRecord(r);
}

S57Writer& S57Writer::addIsolatedNode(int64_t rcid, Coordinate at) {
  Vector v;
  v.rcnm = kIsolatedNode;
  v.rcid = rcid;
  v.coordinates2D = {at};
  return addVector(v);
}

S57Writer& S57Writer::addSoundingNode(int64_t rcid, const std::vector<Sounding>& soundings) {
  Vector v;
  v.rcnm = kIsolatedNode;
  v.rcid = rcid;
  v.coordinates3D = soundings;
  return addVector(v);
}

S57Writer& S57Writer::addConnectedNode(int64_t rcid, Coordinate at) {
  Vector v;
  v.rcnm = kConnectedNode;
  v.rcid = rcid;
  v.coordinates2D = {at};
  return addVector(v);
}

S57Writer& S57Writer::addEdge(int64_t rcid, int64_t beginNode, int64_t endNode,
                                      const std::vector<Coordinate>& interior) {
  Vector v;
  v.rcnm = kEdge;
  v.rcid = rcid;
  VectorPointer begin;
  begin.rcid = beginNode;
  begin.topi = 1;
  VectorPointer end;
  end.rcid = endNode;
  end.topi = 2;
  v.pointers = {begin, end};
  v.coordinates2D = interior;
  return addVector(v);
}

}  // namespace s57write

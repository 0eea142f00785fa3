#pragma once
// Writes S-57 cells: the usual S-57 DDR and data records built from plain
// values (data set identification and parameters, feature records with their
// attributes and pointers, vector records with coordinates). Used by the
// tests and by enctool demo. Field builders are free functions so a test can
// also put a single field into a hand-made record (iso8211::Record) next to
// broken ones.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Iso8211Writer.h"

namespace s57write {

// Record name values (RCNM).
enum : int {
  kDataSetIdentification = 10,
  kDataSetParameters = 20,
  kFeature = 100,
  kIsolatedNode = 110,
  kConnectedNode = 120,
  kEdge = 130,
};

struct DataSet {  // DSID
  int rcid = 1;
  int expp = 1;  // 1 new data set, 2 update
  int intu = 5;
  std::string dsnm = "TEST0001.000";
  std::string edtn = "1";
  std::string updn = "0";
  std::string uadt = "20240101";
  std::string isdt = "20240101";
  std::string sted = "03.1";
  int prsp = 1;
  std::string psdn;
  std::string pred = "2.0";
  int prof = 1;
  int agen = 550;
  std::string comt;
  // DSSI: the lexical levels of ATTF/ATTV and of NATF (0 ASCII, 1 Latin-1,
  // 2 UCS-2). Attribute values are written as the bytes given; national
  // values in NATF's level (at 0 and 1 one byte per code unit).
  int aall = 1;
  int nall = 2;
  // DSSI: the records of each kind the file declares (meta, cartographic,
  // geo, collection features; isolated and connected nodes, edges, faces).
  // Unset: the records the writer is given through addFeature and
  // addVector, counted as a reader counts them (RecordKinds.h), so that
  // every cell written declares what it holds; set: written as given (a
  // count of 2^32 - 1 included), for cells that declare something else.
  std::optional<std::array<int64_t, 8>> recordCounts;
};

struct Parameters {  // DSPM
  int rcid = 1;
  int hdat = 2;
  int vdat = 17;
  int sdat = 23;
  int cscl = 20000;
  int duni = 1;
  int huni = 1;
  int puni = 1;
  int coun = 1;
  int comf = 10000000;
  int somf = 10;
  std::string comt;
};

struct Attribute {  // one ATTF / ATTV entry
  int label = 0;
  std::string value;
};

struct NationalAttribute {  // one NATF entry, value in UCS-2 code units (Latin-1 ones at NALL 0 or 1)
  int label = 0;
  std::u16string value;
};

struct FeaturePointer {  // one FFPT entry
  std::array<uint8_t, 8> lnam{};
  int rind = 2;
  std::string comt;
};

struct SpatialPointer {  // one FSPT entry
  int rcnm = kIsolatedNode;
  int64_t rcid = 0;
  int ornt = 255;
  int usag = 255;
  int mask = 255;
};

struct VectorPointer {  // one VRPT entry
  int rcnm = kConnectedNode;
  int64_t rcid = 0;
  int ornt = 255;
  int usag = 255;
  int topi = 1;
  int mask = 255;
};

struct Coordinate {  // one SG2D entry, in coordinate units
  int32_t y = 0;
  int32_t x = 0;
};

struct Sounding {  // one SG3D entry
  int32_t y = 0;
  int32_t x = 0;
  int32_t depth = 0;  // metres times SOMF
};

// An update control field (FFPC, FSPC, VRPC, SGCC); written only when
// `instruction` is not 0. Instructions: 1 insert, 2 delete, 3 modify.
struct Control {
  int instruction = 0;
  int index = 1;  // 1-based
  int count = 1;
};

// Record instructions (RUIN).
enum : int { kInsert = 1, kDelete = 2, kModify = 3 };

struct Feature {  // a feature record
  int64_t rcid = 1;
  int prim = 1;
  int grup = 2;
  int objl = 0;
  int rver = 1;
  int ruin = 1;
  int agen = 550;
  int64_t fidn = 1;
  int fids = 1;
  std::vector<Attribute> attributes;
  std::vector<NationalAttribute> nationalAttributes;
  std::vector<FeaturePointer> featurePointers;
  std::vector<SpatialPointer> spatialPointers;
  // Update records: written before the pointer field they control.
  Control featurePointerControl;  // FFPC
  Control spatialPointerControl;  // FSPC
};

struct Vector {  // a vector record
  int rcnm = kIsolatedNode;
  int64_t rcid = 1;
  int rver = 1;
  int ruin = 1;
  std::vector<Attribute> attributes;
  std::vector<VectorPointer> pointers;
  std::vector<Coordinate> coordinates2D;
  std::vector<Sounding> coordinates3D;
  // Update records: written before the field they control.
  Control pointerControl;     // VRPC
  Control coordinateControl;  // SGCC
};

// Field contents, terminators included.
std::string dsidField(const DataSet& d);
std::string dspmField(const Parameters& p);
std::string fridField(const Feature& f);
std::string foidField(const Feature& f);
std::string attributeField(const std::vector<Attribute>& attributes);  // ATTF or ATTV
std::string natfField(const std::vector<NationalAttribute>& attributes, int lexicalLevel = 2);
std::string ffptField(const std::vector<FeaturePointer>& pointers);
std::string fsptField(const std::vector<SpatialPointer>& pointers);
std::string vridField(const Vector& v);
std::string vrptField(const std::vector<VectorPointer>& pointers);
std::string sg2dField(const std::vector<Coordinate>& coordinates);
std::string sg3dField(const std::vector<Sounding>& soundings);
// FFPC, FSPC, VRPC and SGCC share one layout.
std::string controlField(const Control& c);
// The "0001" record identifier field.
std::string recordIdField(int number);
// The 5-byte NAME of a vector record (RCNM + RCID).
std::array<uint8_t, 5> recordName(int rcnm, int64_t rcid);
// The 8-byte LNAM of a feature (AGEN + FIDN + FIDS).
std::array<uint8_t, 8> longName(int agen, int64_t fidn, int fids);

// A whole cell. Records are numbered in the "0001" field in the order added.
class S57Writer {
public:
  // Describes every S-57 field the reader knows (and DSSI), the update
  // control fields included.
  S57Writer();

  S57Writer& addDataSet(const DataSet& d = DataSet(), const Parameters& p = Parameters());
  S57Writer& addDataSetIdentification(const DataSet& d);
  S57Writer& addDataSetParameters(const Parameters& p);
  // Update records are written the same way: set RUIN, RVER and the
  // control fields; a delete record needs only its identifier.
  S57Writer& addFeature(const Feature& f);
  S57Writer& addVector(const Vector& v);
  // A record made by the caller (its "0001" field included when wanted).
  S57Writer& addRecord(const iso8211::Record& record, char leaderIdentifier = 'D');

  // Convenience for synthetic cells: an isolated node with one position, a
  // sounding node, and an edge between two connected nodes.
  S57Writer& addIsolatedNode(int64_t rcid, Coordinate at);
  S57Writer& addSoundingNode(int64_t rcid, const std::vector<Sounding>& soundings);
  S57Writer& addConnectedNode(int64_t rcid, Coordinate at);
  S57Writer& addEdge(int64_t rcid, int64_t beginNode, int64_t endNode,
                         const std::vector<Coordinate>& interior);

  // The records as added; the DSID record's DSSI counts in it are those of
  // the records added until the DSID record (image() gives them all).
  iso8211::Writer& iso() { return writer_; }
  const iso8211::Writer& iso() const { return writer_; }
  // The file, its DSSI counting every record added.
  std::string image() const;
  bool writeFile(const std::string& path) const;

private:
  iso8211::Record dataSetRecord(int number, const DataSet& d) const;

  iso8211::Writer writer_;
  int nextRecord_ = 1;
  // The last DSID record added (its place among the data records, its
  // number and values), written again with the counts when the file is made.
  std::optional<size_t> dataSetPlace_;
  int dataSetNumber_ = 0;
  DataSet dataSet_;
  std::array<int64_t, 8> counted_{};  // the records added, by kind
  int nationalLevel_ = 2;  // NALL of the data set identification written
};

}  // namespace s57write

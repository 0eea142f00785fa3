// The S-57 record decoders: data set records, feature records and vector
// records with their attribute, pointer and coordinate fields.
#include <gtest/gtest.h>

#include "AttributeFields.h"
#include "Iso8211Writer.h"
#include "S57CellReader.h"
#include "S57Writer.h"

using namespace std::string_literals;
using iso8211::b12;
using iso8211::b14;

namespace {

using Attributes = std::vector<std::pair<std::string, std::string>>;

Attributes pairsOf(const RecordList<ATTF_NATF>& attributes) {
  Attributes out;
  for (const ATTF_NATF& a : attributes) out.emplace_back(a.attributeCode, a.attributeValue);
  return out;
}

// Reads a cell of one record: record identifier, the record's own
// identifier field (FRID or VRID), then `tag` holding `bytes` as they stand.
S57CellReader& readOneRecord(S57CellReader& reader, const char* kind, const std::string& tag,
                             const std::string& bytes) {
  s57write::S57Writer writer;
  iso8211::Record record;
  record.add("0001", s57write::recordIdField(1));
  if (std::string(kind) == "FRID")
    record.add("FRID", s57write::fridField(s57write::Feature()));
  else
    record.add("VRID", s57write::vridField(s57write::Vector()));
  record.add(tag, bytes);
  writer.addRecord(record);
  EXPECT_EQ(reader.readCellBytes(writer.image()), ReaderResult::Ok) << tag;
  return reader;
}

FRID featureWith(const std::string& tag, const std::string& bytes) {
  S57CellReader reader;
  readOneRecord(reader, "FRID", tag, bytes);
  return reader.features.empty() ? FRID() : *reader.features.front();
}

VRID vectorWith(const std::string& tag, const std::string& bytes) {
  S57CellReader reader;
  readOneRecord(reader, "VRID", tag, bytes);
  return reader.vectors.empty() ? VRID() : *reader.vectors.front();
}

std::string ucs2(std::u16string_view text) {
  std::string out;
  for (char16_t unit : text) out += b12(unit);
  return out;
}

}  // namespace

TEST(DataSetRecords, DecodeEveryIdentificationAndParameterValue) {
  s57write::DataSet d;
  d.rcid = 7;
  d.expp = 2;
  d.intu = 5;
  d.dsnm = "US5WA22M.000";
  d.edtn = "12";
  d.updn = "3";
  d.uadt = "20230102";
  d.isdt = "20230304";
  d.sted = "03.1";
  d.prsp = 1;
  d.psdn = "";
  d.pred = "2.0";
  d.prof = 1;
  d.agen = 550;
  d.comt = "Produced by NOAA";
  s57write::Parameters p;
  p.rcid = 8;
  p.hdat = 2;
  p.vdat = 17;
  p.sdat = 23;
  p.cscl = 10000;
  p.duni = 1;
  p.huni = 1;
  p.puni = 1;
  p.coun = 1;
  p.comf = 10000000;
  p.somf = 10;
  p.comt = "none";
  s57write::S57Writer writer;
  writer.addDataSet(d, p);

  S57CellReader reader;
  ASSERT_EQ(reader.readCellBytes(writer.image()), ReaderResult::Ok);
  const DataSetIdentification& i = reader.dataSetIdentification;
  EXPECT_EQ(i.RCNM, 10);
  EXPECT_EQ(i.RCID, 7);
  EXPECT_EQ(i.EXPP, 2);
  EXPECT_EQ(i.INTU, 5);
  EXPECT_EQ(i.DSNM, "US5WA22M.000");
  EXPECT_EQ(i.EDTN, "12");
  EXPECT_EQ(i.UPDN, "3");
  EXPECT_EQ(i.UADT, "20230102");
  EXPECT_EQ(i.ISDT, "20230304");
  EXPECT_EQ(i.STED, "03.1");
  EXPECT_EQ(i.PRSP, 1);
  EXPECT_EQ(i.PSDN, "");
  EXPECT_EQ(i.PRED, "2.0");
  EXPECT_EQ(i.PROF, 1);
  EXPECT_EQ(i.AGEN, 550);
  EXPECT_EQ(i.COMT, "Produced by NOAA");
  const DataSetParameters& m = reader.dataSetParameters;
  EXPECT_EQ(m.RCNM, 20);
  EXPECT_EQ(m.RCID, 8);
  EXPECT_EQ(m.HDAT, 2);
  EXPECT_EQ(m.VDAT, 17);
  EXPECT_EQ(m.SDAT, 23);
  EXPECT_EQ(m.CSCL, 10000);
  EXPECT_EQ(m.DUNI, 1);
  EXPECT_EQ(m.HUNI, 1);
  EXPECT_EQ(m.PUNI, 1);
  EXPECT_EQ(m.COUN, 1);
  EXPECT_EQ(m.COMF, 10000000);
  EXPECT_EQ(m.SOMF, 10);
  EXPECT_EQ(m.COMT, "none");
}

TEST(DataSetRecords, MissingOrShortFieldsLeaveZerosAndShortTexts) {
  // No DSPM record at all: COMF and SOMF stay 0.
  s57write::S57Writer noParameters;
  noParameters.addDataSetIdentification(s57write::DataSet());
  S57CellReader a;
  ASSERT_EQ(a.readCellBytes(noParameters.image()), ReaderResult::Ok);
  EXPECT_EQ(a.dataSetIdentification.DSNM, "TEST0001.000");
  EXPECT_EQ(a.dataSetParameters.COMF, 0);
  EXPECT_EQ(a.dataSetParameters.SOMF, 0);

  // A DSID field cut inside UADT and a DSPM field cut inside COMF.
  const std::string dsid = s57write::dsidField(s57write::DataSet());
  const std::string dspm = s57write::dspmField(s57write::Parameters());
  s57write::S57Writer shortFields;
  shortFields
      .addRecord(iso8211::Record()
                     .add("0001", s57write::recordIdField(1))
                     .add("DSID", dsid.substr(0, 7 + 13 + 2 + 2 + 3) + "\x1e"))
      .addRecord(iso8211::Record()
                     .add("0001", s57write::recordIdField(2))
                     .add("DSPM", dspm.substr(0, 18)));
  S57CellReader b;
  ASSERT_EQ(b.readCellBytes(shortFields.image()), ReaderResult::Ok);
  EXPECT_EQ(b.dataSetIdentification.DSNM, "TEST0001.000");
  EXPECT_EQ(b.dataSetIdentification.UADT, "202");
  EXPECT_EQ(b.dataSetIdentification.STED, "");
  EXPECT_EQ(b.dataSetIdentification.AGEN, 0);
  EXPECT_EQ(b.dataSetParameters.CSCL, 20000);
  EXPECT_EQ(b.dataSetParameters.COMF, 0);  // only 2 of its 4 bytes are there
  EXPECT_EQ(b.dataSetParameters.SOMF, 0);
}

TEST(FeatureRecords, DecodeIdentifiersAndPointers) {
  s57write::Feature f;
  f.rcid = -5;
  f.prim = 3;
  f.grup = 1;
  f.objl = 65535;
  f.rver = 2;
  f.ruin = 1;
  f.agen = 550;
  f.fidn = 123456789;
  f.fids = 42;
  // LNAM bytes that hold both terminators: the minimum piece length keeps them.
  s57write::FeaturePointer first{{0x1f, 0x1e, 1, 2, 3, 4, 0x1f, 6}, 2, "master"};
  s57write::FeaturePointer second{s57write::longName(550, 7, 1), 3, ""};
  f.featurePointers = {first, second};
  f.spatialPointers = {{s57write::kEdge, 17, 1, 1, 255}, {s57write::kEdge, 0x1f1e1f, 2, 2, 1}};
  s57write::S57Writer writer;
  writer.addFeature(f);

  S57CellReader reader;
  ASSERT_EQ(reader.readCellBytes(writer.image()), ReaderResult::Ok);
  ASSERT_EQ(reader.features.size(), 1u);
  const FRID& r = *reader.features[0];
  EXPECT_EQ(r.RCNM, 100);
  EXPECT_EQ(r.RCID, -5);
  EXPECT_EQ(r.PRIM, 3);
  EXPECT_EQ(r.GRUP, 1);
  EXPECT_EQ(r.OBJL, 65535);
  EXPECT_EQ(r.RVER, 2);
  EXPECT_EQ(r.RUIN, 1);
  EXPECT_EQ(r.AGEN, 550);
  EXPECT_EQ(r.FIDN, 123456789);
  EXPECT_EQ(r.FIDS, 42);

  ASSERT_EQ(r.featurePointers.size(), 2u);
  EXPECT_EQ(r.featurePointers[0].LNAM, first.lnam);
  EXPECT_EQ(r.featurePointers[0].RIND, 2);
  EXPECT_EQ(r.featurePointers[0].COMT, "master");
  EXPECT_EQ(r.featurePointers[1].LNAM, second.lnam);
  EXPECT_EQ(r.featurePointers[1].RIND, 3);
  EXPECT_EQ(r.featurePointers[1].COMT, "");

  ASSERT_EQ(r.spatialPointers.size(), 2u);
  const FSPT& p = r.spatialPointers[1];
  EXPECT_EQ(p.NAME, s57write::recordName(s57write::kEdge, 0x1f1e1f));
  EXPECT_EQ(p.RCNM, 130);
  EXPECT_EQ(p.RCID, 0x1f1e1f);
  EXPECT_EQ(p.ORNT, 2);
  EXPECT_EQ(p.USAG, 2);
  EXPECT_EQ(p.MASK, 1);
  EXPECT_EQ(r.spatialPointers[0].RCID, 17);
}

TEST(FeatureRecords, AttributeFields) {
  struct Case {
    const char* what;
    std::string field;
    Attributes expected;
  };
  const Case cases[] = {
      {"one attribute", b12(116) + "abc\x1f\x1e", {{"116", "abc"}}},
      {"label 31 is not cut at its low byte", b12(31) + "x\x1f\x1e", {{"31", "x"}}},
      {"label with 0x1f as high byte", b12(0x1f00) + "y\x1f\x1e", {{"7936", "y"}}},
      {"empty value", b12(116) + "\x1f\x1e", {{"116", ""}}},
      {"three in field order", b12(1) + "a\x1f" + b12(2) + "\x1f" + b12(300) + "long value\x1f\x1e",
       {{"1", "a"}, {"2", ""}, {"300", "long value"}}},
      {"zero bytes in a value", b12(116) + "a\0b\x1f\x1e"s, {{"116", "a\0b"s}}},
      {"last value without unit terminator", b12(116) + "abc\x1e", {{"116", "abc"}}},
      {"only the field terminator", "\x1e", {}},
      {"empty field", "", {}},
      {"a trailing 1-byte piece is no attribute", b12(5) + "v\x1f" + "z", {{"5", "v"}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(pairsOf(featureWith("ATTF", c.field).attributes), c.expected) << c.what;
    EXPECT_EQ(pairsOf(vectorWith("ATTV", c.field).attributes), c.expected) << "ATTV " << c.what;
  }
}

// Room is made for the entries a field can hold (three bytes each at the
// least), not for every terminator byte in it.
TEST(FeatureRecords, AttributeFieldOfTerminatorsReservesWhatItCanHold) {
  const std::string terminators(90000, '\x1f');
  RecordList<ATTF_NATF> out;
  decodeAttributeField(terminators, out);
  EXPECT_EQ(out.size(), 30000u);  // label 0x1f1f, empty value, terminator
  EXPECT_LE(out.capacity(), 30001u);
}

TEST(FeatureRecords, NationalAttributeFields) {
  const std::string unit = b12(0x1f), end = b12(0x1e);
  struct Case {
    const char* what;
    std::string field;
    Attributes expected;
  };
  const Case cases[] = {
      {"one Chinese character is ignored", b12(301) + ucs2(u"港") + unit + end, {}},
      {"two characters: 6 bytes of UTF-8", b12(301) + ucs2(u"港口") + unit + end,
       {{"301", "\xe6\xb8\xaf\xe5\x8f\xa3"}}},
      {"code unit with low byte 0", b12(304) + ucs2(u"\u4e00\u4e00") + unit + end,
       {{"304", "\xe4\xb8\x80\xe4\xb8\x80"}}},
      {"value ends at code unit 0", b12(300) + ucs2(u"AB") + b12(0) + ucs2(u"CD") + unit + end,
       {{"300", "AB"}}},
      {"code unit 0 first: empty value", b12(300) + b12(0) + ucs2(u"CD") + unit + end,
       {{"300", ""}}},
      {"two entries, one ignored", b12(301) + ucs2(u"Hi") + unit + b12(302) + ucs2(u"x") + unit +
       b12(303) + ucs2(u"üé") + unit + end,
       {{"301", "Hi"}, {"303", "\xc3\xbc\xc3\xa9"}}},
      {"surrogate pair", b12(301) + ucs2(u"\U0001F600") + unit + end, {{"301", "\xf0\x9f\x98\x80"}}},
      {"lone surrogate", b12(301) + ucs2(u"a") + b12(0xd800) + unit + end,
       {{"301", "a\xef\xbf\xbd"}}},
      {"last value without unit terminator", b12(301) + ucs2(u"Hi") + end, {{"301", "Hi"}}},
      {"one-byte field terminator", b12(301) + ucs2(u"Hi") + unit + "\x1e", {{"301", "Hi"}}},
      {"odd byte at the end", b12(301) + ucs2(u"Hi") + "\x41", {{"301", "Hi"}}},
      {"empty field", "", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(pairsOf(featureWith("NATF", c.field).nationalAttributes), c.expected) << c.what;
}

// Attribute and national text is read in the lexical levels the cell's
// DSSI declares (AALL, NALL: 0 ASCII, 1 Latin-1, 2 UCS-2) and comes out as
// UTF-8 whatever the level; a file without DSSI is read as Latin-1 and UCS-2.
TEST(FeatureRecords, TextFollowsTheLexicalLevelsOfTheDataSet) {
  struct Case {
    const char* what;
    int aall, nall;
    std::string objnam;        // ATTF bytes as written
    std::u16string nobjnm;     // NATF code units as written
    std::string expectedName;  // both read back as UTF-8
    std::string expectedNational;
  };
  const Case cases[] = {
      {"ASCII and ASCII", 0, 0, "Rossett Island", u"Rossett Inseln", "Rossett Island", "Rossett Inseln"},
      {"Latin-1 national text", 1, 1, "Rossett Island", u"R\u00f6ssett Inseln", "Rossett Island",
       "R\xc3\xb6ssett Inseln"},
      {"Latin-1 attribute text", 1, 2, "Caf\xe9 \xc0 \xff", u"\u6e2f\u53e3", "Caf\xc3\xa9 \xc3\x80 \xc3\xbf",
       "\xe6\xb8\xaf\xe5\x8f\xa3"},
      {"a high byte in ASCII text is kept as its Latin-1 character", 0, 0, "a\xb0", u"b\u00e9", "a\xc2\xb0",
       "b\xc3\xa9"},
  };
  for (const Case& c : cases) {
    s57write::S57Writer writer;
    s57write::DataSet d;
    d.aall = c.aall;
    d.nall = c.nall;
    writer.addDataSet(d);
    s57write::Feature f;
    f.attributes = {{116, c.objnam}};
    f.nationalAttributes = {{301, c.nobjnm}};
    writer.addFeature(f);
    S57CellReader reader;
    ASSERT_EQ(reader.readCellBytes(writer.image()), ReaderResult::Ok) << c.what;
    ASSERT_EQ(reader.features.size(), 1u) << c.what;
    EXPECT_EQ(pairsOf(reader.features[0]->attributes), (Attributes{{"116", c.expectedName}})) << c.what;
    EXPECT_EQ(pairsOf(reader.features[0]->nationalAttributes), (Attributes{{"301", c.expectedNational}})) << c.what;
  }

  // Level 1 national text in an update keeps the delete mark, one byte 0x7F.
  s57write::S57Writer update;
  s57write::DataSet d;
  d.expp = 2;
  d.nall = 1;
  update.addDataSet(d);
  s57write::Feature f;
  f.ruin = s57write::kModify;
  f.nationalAttributes = {{301, u"\x7f"}};
  update.addFeature(f);
  S57CellReader reader;
  ASSERT_EQ(reader.readCellBytes(update.image()), ReaderResult::Ok);
  ASSERT_EQ(reader.features.size(), 1u);
  EXPECT_EQ(pairsOf(reader.features[0]->nationalAttributes), (Attributes{{"301", "\x7f"}}));

  // A lexical level the standard does not know: attributes as bytes,
  // national text as UCS-2, as without a DSSI.
  RecordList<ATTF_NATF> out;
  decodeNationalAttributeField(b12(301) + ucs2(u"Hi") + b12(0x1f) + b12(0x1e), out, 7);
  EXPECT_EQ(pairsOf(out), (Attributes{{"301", "Hi"}}));
}

TEST(FeatureRecords, RepeatingPointerFieldsCountWholeRepetitions) {
  const std::string pointer = std::string("\x82\x01\x00\x00\x00\x01\x02\xff", 8);
  struct Case {
    std::string field;
    size_t count;
  };
  const Case cases[] = {
      {pointer + pointer + "\x1e", 2},           // 17 bytes
      {pointer + pointer + "\x1e\x1e\x1e", 2},   // rounded down
      {pointer + pointer, 1},                    // the terminator's byte is not data
      {"\x1e", 0},
      {"", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(featureWith("FSPT", c.field).spatialPointers.size(), c.count) << c.field.size();
}

TEST(VectorRecords, DecodeIdentifiersPointersAndCoordinates) {
  s57write::Vector v;
  v.rcnm = s57write::kEdge;
  v.rcid = 4242;
  v.rver = 3;
  v.ruin = 1;
  v.attributes = {{133, "7"}};
  v.pointers = {{s57write::kConnectedNode, 10, 255, 255, 1, 255},
                {s57write::kConnectedNode, 11, 1, 2, 2, 1}};
  v.coordinates2D = {{476000000, -1223000000}, {-1, 2147483647}};
  s57write::S57Writer writer;
  writer.addVector(v);
  writer.addSoundingNode(9, {{10, 20, 35}, {-30, -40, -5}, {1, 2, 0}});

  S57CellReader reader;
  ASSERT_EQ(reader.readCellBytes(writer.image()), ReaderResult::Ok);
  ASSERT_EQ(reader.vectors.size(), 2u);
  const VRID& e = *reader.vectors[0];
  EXPECT_EQ(e.NAME, s57write::recordName(s57write::kEdge, 4242));
  EXPECT_EQ(e.RCNM, 130);
  EXPECT_EQ(e.RCID, 4242);
  EXPECT_EQ(e.RVER, 3);
  EXPECT_EQ(e.RUIN, 1);
  EXPECT_EQ(pairsOf(e.attributes), (Attributes{{"133", "7"}}));
  ASSERT_EQ(e.pointers.size(), 2u);
  EXPECT_EQ(e.pointers[1].NAME, s57write::recordName(s57write::kConnectedNode, 11));
  EXPECT_EQ(e.pointers[1].RCNM, 120);
  EXPECT_EQ(e.pointers[1].RCID, 11);
  EXPECT_EQ(e.pointers[1].ORNT, 1);
  EXPECT_EQ(e.pointers[1].USAG, 2);
  EXPECT_EQ(e.pointers[1].TOPI, 2);
  EXPECT_EQ(e.pointers[1].MASK, 1);
  EXPECT_EQ(e.pointers[0].TOPI, 1);
  ASSERT_EQ(e.coordinates2D.size(), 2u);
  EXPECT_EQ(e.coordinates2D[0].YCOO, 476000000);
  EXPECT_EQ(e.coordinates2D[0].XCOO, -1223000000);
  EXPECT_EQ(e.coordinates2D[1].YCOO, -1);
  EXPECT_EQ(e.coordinates2D[1].XCOO, 2147483647);

  const VRID& s = *reader.vectors[1];
  ASSERT_EQ(s.coordinates3D.size(), 3u);
  EXPECT_EQ(s.coordinates3D[1].YCOO, -30);
  EXPECT_EQ(s.coordinates3D[1].XCOO, -40);
  EXPECT_EQ(s.coordinates3D[1].VE3D, -5);
  EXPECT_EQ(reader.findVector(s.NAME).get(), reader.vectors[1].get());
}

TEST(VectorRecords, CoordinateFieldsCountWholeRepetitions) {
  const std::string twelve = "ABCDEFGHIJKL";
  struct Case {
    const char* tag;
    std::string field;
    size_t count;
  };
  const Case cases[] = {
      {"SG2D", twelve.substr(0, 8) + "\x1e", 1},
      {"SG2D", twelve + twelve.substr(0, 4) + twelve + twelve.substr(0, 4) + "\x1e", 4},  // 8*4+1
      {"SG2D", twelve + "\x1e", 1},  // 13 bytes: one pair, the rest dropped
      {"SG2D", "\x1e", 0},
      {"SG3D", twelve + twelve + "\x1e", 2},
      {"SG3D", twelve + twelve, 1},
      {"SG3D", twelve.substr(0, 8) + "\x1e", 0},
      {"VRPT", twelve.substr(0, 9) + twelve.substr(0, 9) + "\x1e", 2},
  };
  for (const Case& c : cases) {
    const VRID v = vectorWith(c.tag, c.field);
    const size_t got = std::string(c.tag) == "SG2D"   ? v.coordinates2D.size()
                       : std::string(c.tag) == "SG3D" ? v.coordinates3D.size()
                                                      : v.pointers.size();
    EXPECT_EQ(got, c.count) << c.tag << " of " << c.field.size() << " bytes";
  }
  // Values are little-endian b24 per 4 bytes.
  const VRID v = vectorWith("SG3D", b14(1) + b14(-2) + b14(300) + "\x1e");
  ASSERT_EQ(v.coordinates3D.size(), 1u);
  EXPECT_EQ(v.coordinates3D[0].YCOO, 1);
  EXPECT_EQ(v.coordinates3D[0].XCOO, -2);
  EXPECT_EQ(v.coordinates3D[0].VE3D, 300);
}

// A record may repeat a field: each repetition adds its entries after those
// of the ones before, however many there are (a hostile record repeats them
// by the thousand, one entry each).
TEST(VectorRecords, RepeatedFieldsAddTheirEntriesInOrder) {
  constexpr int kRepeats = 2000;
  iso8211::Record record;
  record.add("0001", s57write::recordIdField(1)).add("VRID", s57write::vridField(s57write::Vector()));
  for (int i = 0; i < kRepeats; ++i)
    record.add("SG2D", s57write::sg2dField({{i, -i}})).add("ATTV", s57write::attributeField({{116, std::to_string(i)}}));
  s57write::S57Writer writer;
  writer.addRecord(record);
  S57CellReader reader;
  ASSERT_EQ(reader.readCellBytes(writer.image()), ReaderResult::Ok);
  const VRID& v = *reader.vectors.at(0);
  ASSERT_EQ(v.coordinates2D.size(), static_cast<size_t>(kRepeats));
  ASSERT_EQ(v.attributes.size(), static_cast<size_t>(kRepeats));
  for (int i = 0; i < kRepeats; ++i) {
    EXPECT_EQ(v.coordinates2D[static_cast<size_t>(i)].YCOO, i);
    EXPECT_EQ(v.coordinates2D[static_cast<size_t>(i)].XCOO, -i);
    EXPECT_EQ(v.attributes[static_cast<size_t>(i)].attributeValue, std::to_string(i));
  }
}

TEST(VectorRecords, LaterRecordWithTheSameNameWinsTheIndex) {
  s57write::Vector first, second;
  first.rcid = second.rcid = 77;
  first.rver = 1;
  second.rver = 2;
  s57write::S57Writer writer;
  writer.addVector(first).addVector(second);
  S57CellReader reader;
  ASSERT_EQ(reader.readCellBytes(writer.image()), ReaderResult::Ok);
  ASSERT_EQ(reader.vectors.size(), 2u);
  EXPECT_EQ(reader.vectorIndex.size(), 1u);
  const auto found = reader.findVector(s57write::recordName(s57write::kIsolatedNode, 77));
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found.get(), reader.vectors[1].get());
  EXPECT_EQ(found->RVER, 2);
  EXPECT_EQ(reader.findVector(s57write::recordName(s57write::kIsolatedNode, 78)), nullptr);
}

TEST(FeatureRecords, EveryFeatureRecordGivesAHolderEvenWithoutFields) {
  s57write::Feature f;
  f.objl = 42;
  f.attributes = {{116, "x"}};
  s57write::S57Writer writer;
  writer.addFeature(f);
  // Second record: a feature record whose base address leaves room for one
  // directory entry only, so none of its fields is decoded.
  writer.addFeature(f);
  // Third: fields the feature decoder does not know are passed over.
  writer.addRecord(iso8211::Record()
                       .add("0001", s57write::recordIdField(3))
                       .add("FRID", s57write::fridField(f))
                       .add("XXXX", "whatever\x1e")
                       .add("ATTF", s57write::attributeField({{117, "y"}})));
  std::string image = writer.image();
  const size_t second = writer.iso().recordOffsets()[2];
  const int entrySize = 4 + (image[second + 20] - '0') + (image[second + 21] - '0');
  image.replace(second + 12, 5, "000" + std::to_string(25 + entrySize));

  S57CellReader reader;
  ASSERT_EQ(reader.readCellBytes(image), ReaderResult::Ok);
  ASSERT_EQ(reader.features.size(), 3u);
  EXPECT_EQ(reader.features[0]->OBJL, 42);
  EXPECT_EQ(reader.features[1]->OBJL, 0);
  EXPECT_TRUE(reader.features[1]->attributes.empty());
  EXPECT_EQ(pairsOf(reader.features[2]->attributes), (Attributes{{"117", "y"}}));
}

TEST(FeatureRecords, ShortFixedFieldsReadAsZeros) {
  const FRID f = featureWith("FOID", b12(550) + "\x01\x02");  // FIDN cut after 2 bytes
  EXPECT_EQ(f.AGEN, 550);
  EXPECT_EQ(f.FIDN, 0);
  EXPECT_EQ(f.FIDS, 0);
  const VRID v = vectorWith("VRID", "\x6e\x05");  // RCNM, one byte of RCID
  EXPECT_EQ(v.RCNM, 110);
  EXPECT_EQ(v.RCID, 0);
  EXPECT_EQ(v.NAME, (RecordName{0x6e, 0x05, 0, 0, 0}));
}

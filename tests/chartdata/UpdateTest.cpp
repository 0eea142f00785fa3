// Update files applied to a base cell: each record instruction (insert,
// delete, modify of features and vectors; attributes, pointers and
// coordinates), the sequence rules (re-issue, gap, edition, number), and
// that a chain that stops leaves the records exactly as the last good
// update left them.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "S57CellReader.h"
#include "S57Writer.h"
#include "UpdateChain.h"
#include "UpdateResult.h"

using namespace s57write;
namespace fs = std::filesystem;

namespace {

constexpr int kOBJNAM = 116, kCOLOUR = 75, kNOBJNM = 301;

// Every record of the cell in list order, and the vector index: two cells
// with the same text hold the same records.
std::string describe(const S57CellReader& r) {
  std::ostringstream out;
  auto attributes = [&out](const RecordList<ATTF_NATF>& list) {
    for (const ATTF_NATF& a : list) out << ' ' << a.attributeCode << '=' << a.attributeValue;
  };
  for (const auto& f : r.features) {
    out << "F" << f->RCID << " v" << f->RVER << " o" << f->OBJL;
    attributes(f->attributes);
    out << " |";
    attributes(f->nationalAttributes);
    for (const FFPT& p : f->featurePointers) out << " ff" << int(p.LNAM[2]) << '/' << p.RIND;
    for (const FSPT& p : f->spatialPointers) out << " sp" << p.RCNM << '/' << p.RCID << '/' << p.ORNT;
    out << '\n';
  }
  for (const auto& v : r.vectors) {
    out << "V" << v->RCNM << '/' << v->RCID << " v" << v->RVER;
    attributes(v->attributes);
    for (const VRPT& p : v->pointers) out << " p" << p.RCID << '/' << p.TOPI;
    for (const SG2D& c : v->coordinates2D) out << " c" << c.YCOO << ',' << c.XCOO;
    for (const SG3D& c : v->coordinates3D) out << " s" << c.YCOO << ',' << c.XCOO << ',' << c.VE3D;
    out << '\n';
  }
  std::vector<std::string> index;
  for (const auto& [key, v] : r.vectorIndex) index.push_back(std::to_string(key) + ":" + std::to_string(v->RVER));
  std::sort(index.begin(), index.end());
  for (const std::string& k : index) out << k << ' ';
  return out.str();
}

Feature feature(int64_t rcid, int prim, int objl) {
  Feature f;
  f.rcid = rcid;
  f.prim = prim;
  f.objl = objl;
  f.fidn = 1000 + rcid;
  return f;
}

SpatialPointer to(int rcnm, int64_t rcid, int ornt = 1) {
  SpatialPointer p;
  p.rcnm = rcnm;
  p.rcid = rcid;
  p.ornt = ornt;
  return p;
}

// An update record of a feature: its identifier with RUIN and RVER.
Feature featureUpdate(int64_t rcid, int ruin, int rver) {
  Feature f = feature(rcid, 1, 75);
  f.ruin = ruin;
  f.rver = rver;
  return f;
}

Vector vectorUpdate(int rcnm, int64_t rcid, int ruin, int rver) {
  Vector v;
  v.rcnm = rcnm;
  v.rcid = rcid;
  v.ruin = ruin;
  v.rver = rver;
  return v;
}

class Updates : public testing::Test {
protected:
  void SetUp() override {
    dir = (fs::temp_directory_path() / ("update_test_" + std::to_string(::getpid()))).string();
    fs::remove_all(dir);
    fs::create_directories(dir);
    base = dir + "/UPDT0001.000";
    writeBase("0");
  }
  void TearDown() override { fs::remove_all(dir); }

  // The base cell: a light (point, two attributes and a national name), a
  // depth contour along two edges, a sounding node, and an aggregate that
  // points at the light and the contour.
  void writeBase(const std::string& updn) {
    DataSet d;
    d.dsnm = "UPDT0001.000";
    d.edtn = "3";
    d.updn = updn;
    S57Writer w;
    w.addDataSet(d);
    w.addIsolatedNode(1, {470000000, -1220000000});
    w.addSoundingNode(2, {{470100000, -1220100000, 105}, {470200000, -1220200000, 210}, {470300000, -1220300000, 315}});
    w.addConnectedNode(10, {470000000, -1221000000});
    w.addConnectedNode(11, {470500000, -1221000000});
    w.addConnectedNode(12, {471000000, -1221000000});
    w.addEdge(20, 10, 11, {{470100000, -1221100000}, {470200000, -1221100000}});
    w.addEdge(21, 11, 12, {{470700000, -1221100000}});
    Feature light = feature(1, 1, 75);
    light.attributes = {{kOBJNAM, "Old light"}, {kCOLOUR, "3"}};
    light.nationalAttributes = {{kNOBJNM, u"旧灯"}};
    light.spatialPointers = {to(kIsolatedNode, 1, 255)};
    Feature contour = feature(2, 2, 43);
    contour.spatialPointers = {to(kEdge, 20), to(kEdge, 21)};
    Feature soundings = feature(3, 1, 129);
    soundings.spatialPointers = {to(kIsolatedNode, 2, 255)};
    Feature aggregate = feature(4, 255, 400);
    aggregate.featurePointers = {{longName(550, 1001, 1), 2, ""}, {longName(550, 1002, 1), 2, ""}};
    w.addFeature(light).addFeature(contour).addFeature(soundings).addFeature(aggregate);
    ASSERT_TRUE(w.writeFile(base));
  }

  // Update file `number` with the records `add` writes; `edit` may change
  // its data set identification first.
  std::string writeUpdate(int number, const std::function<void(S57Writer&)>& add,
                          const std::function<void(DataSet&)>& edit = nullptr) {
    DataSet d;
    char name[16];
    std::snprintf(name, sizeof name, "UPDT0001.%03d", number);
    d.dsnm = name;
    d.expp = 2;
    d.edtn = "3";
    d.updn = std::to_string(number);
    if (edit) edit(d);
    S57Writer w;
    w.addDataSetIdentification(d);
    add(w);
    const std::string path = dir + "/" + name;
    EXPECT_TRUE(w.writeFile(path));
    return path;
  }

  // Reads the base and applies every update beside it.
  UpdateChainResult load(S57CellReader& reader) {
    EXPECT_EQ(reader.readCell(base), ReaderResult::Ok);
    return applyUpdateChain(reader, findUpdateFiles(base));
  }
  // The records after the updates up to `last` only (the others moved aside).
  std::string stateAfter(int last) {
    const std::string aside = dir + "/aside";
    fs::create_directories(aside);
    for (const UpdateFileName& f : findUpdateFiles(base))
      if (f.number > last) fs::rename(f.path, aside + "/" + fs::path(f.path).filename().string());
    S57CellReader reader;
    const UpdateChainResult r = load(reader);
    EXPECT_EQ(r.code, UpdateResult::Ok) << r.error;
    for (const auto& e : fs::directory_iterator(aside)) fs::rename(e.path(), dir + "/" + e.path().filename().string());
    fs::remove(aside);
    return describe(reader);
  }

  static const FRID* featureOf(const S57CellReader& r, int rcid) {
    for (const auto& f : r.features)
      if (f->RCID == rcid) return f.get();
    return nullptr;
  }
  static const VRID* vectorOf(const S57CellReader& r, int rcnm, int64_t rcid) {
    return r.findVector(recordName(rcnm, rcid)).get();
  }

  std::string dir, base;
};

// A harmless first update: the light gets a new name.
void renameLight(S57Writer& w) {
  Feature f = featureUpdate(1, kModify, 2);
  f.attributes = {{kOBJNAM, "New light"}};
  w.addFeature(f);
}

// A modify that only sets an attribute.
Feature namedAgain(int64_t rcid, int rver) {
  Feature f = featureUpdate(rcid, kModify, rver);
  f.attributes = {{kOBJNAM, "Renamed"}};
  return f;
}

}  // namespace

TEST_F(Updates, InsertAddsFeatureAndVectorRecords) {
  writeUpdate(1, [](S57Writer& w) {
    w.addIsolatedNode(5, {470400000, -1220400000});
    Feature buoy = feature(7, 1, 17);
    buoy.attributes = {{kOBJNAM, "Buoy"}};
    buoy.spatialPointers = {to(kIsolatedNode, 5, 255)};
    w.addFeature(buoy);
  });
  S57CellReader r;
  const UpdateChainResult result = load(r);
  EXPECT_EQ(result.code, UpdateResult::Ok) << result.error;
  EXPECT_EQ(result.applied, std::vector<int>{1});
  ASSERT_EQ(r.features.size(), 5u);
  EXPECT_EQ(r.features.back()->RCID, 7);  // after the base's records
  EXPECT_EQ(r.features.back()->attributes.at(0).attributeValue, "Buoy");
  ASSERT_NE(vectorOf(r, kIsolatedNode, 5), nullptr);
  EXPECT_EQ(vectorOf(r, kIsolatedNode, 5)->coordinates2D.at(0).XCOO, -1220400000);
  EXPECT_EQ(r.vectors.size(), 8u);
}

TEST_F(Updates, DeleteRemovesFeatureAndVectorRecords) {
  writeUpdate(1, [](S57Writer& w) {
    w.addVector(vectorUpdate(kIsolatedNode, 2, kDelete, 2));
    w.addFeature(featureUpdate(3, kDelete, 2));
  });
  S57CellReader r;
  EXPECT_EQ(load(r).code, UpdateResult::Ok);
  EXPECT_EQ(featureOf(r, 3), nullptr);
  EXPECT_EQ(r.features.size(), 3u);
  EXPECT_EQ(vectorOf(r, kIsolatedNode, 2), nullptr);
  EXPECT_EQ(r.vectors.size(), 6u);
  EXPECT_NE(featureOf(r, 4), nullptr);  // the others keep their place
  EXPECT_EQ(r.features[2]->RCID, 4);
}

// Each update applied names the features it inserted, modified and
// deleted by FOID, a deleted one with where it stood before it went (its
// node deleted by the same update).
TEST_F(Updates, EachUpdateNamesTheFeaturesItTouched) {
  writeUpdate(1, [](S57Writer& w) {
    w.addIsolatedNode(5, {470400000, -1220400000});
    Feature buoy = feature(7, 1, 17);
    buoy.spatialPointers = {to(kIsolatedNode, 5, 255)};
    w.addFeature(buoy);
    renameLight(w);
  });
  writeUpdate(2, [](S57Writer& w) {
    w.addVector(vectorUpdate(kIsolatedNode, 2, kDelete, 2));
    w.addFeature(featureUpdate(3, kDelete, 2));
    w.addFeature(featureUpdate(2, kDelete, 2));  // a line: its first edge's first vertex
  });
  S57CellReader r;
  const UpdateChainResult result = load(r);
  ASSERT_EQ(result.code, UpdateResult::Ok) << result.error;
  ASSERT_EQ(result.changes.size(), 2u);
  EXPECT_EQ(result.changes[0].number, 1);
  ASSERT_EQ(result.changes[0].features.size(), 2u);
  EXPECT_EQ(result.changes[0].features[0].instruction, kInsert);
  EXPECT_EQ(result.changes[0].features[0].number, 1007);
  EXPECT_EQ(result.changes[0].features[1].instruction, kModify);
  EXPECT_EQ(result.changes[0].features[1].number, 1001);
  EXPECT_FALSE(result.changes[0].features[1].located);
  ASSERT_EQ(result.changes[1].features.size(), 2u);
  const UpdatedFeature& soundings = result.changes[1].features[0];
  EXPECT_EQ(soundings.instruction, kDelete);
  EXPECT_EQ(soundings.number, 1003);
  ASSERT_TRUE(soundings.located);
  EXPECT_EQ(soundings.y, 470100000);
  EXPECT_EQ(soundings.x, -1220100000);
  const UpdatedFeature& contour = result.changes[1].features[1];
  ASSERT_TRUE(contour.located);
  EXPECT_EQ(contour.y, 470100000);
  EXPECT_EQ(contour.x, -1221100000);
}

TEST_F(Updates, ModifyRaisesTheRecordVersionAndKeepsTheRest) {
  writeUpdate(1, [](S57Writer& w) {
    Vector edge = vectorUpdate(kEdge, 21, kModify, 2);
    edge.attributes = {{402, "4"}};
    w.addVector(edge);
    w.addFeature(namedAgain(2, 2));
  });
  writeUpdate(2, [](S57Writer& w) { w.addFeature(namedAgain(2, 3)); });
  S57CellReader r;
  const UpdateChainResult result = load(r);
  EXPECT_EQ(result.code, UpdateResult::Ok) << result.error;
  EXPECT_EQ(result.applied, (std::vector<int>{1, 2}));
  EXPECT_EQ(featureOf(r, 2)->RVER, 3);
  EXPECT_EQ(featureOf(r, 2)->spatialPointers.size(), 2u);
  EXPECT_EQ(vectorOf(r, kEdge, 21)->RVER, 2);
  EXPECT_EQ(vectorOf(r, kEdge, 21)->coordinates2D.size(), 1u);
  EXPECT_EQ(r.features[1]->RCID, 2);  // in its place
}

TEST_F(Updates, AttributeUpdatesSetAddAndDeleteValues) {
  writeUpdate(1, [](S57Writer& w) {
    Feature f = featureUpdate(1, kModify, 2);
    f.attributes = {{kOBJNAM, "New light"}, {kCOLOUR, "\x7f"}, {87, "12"}};
    f.nationalAttributes = {{kNOBJNM, u"\x7f"}};
    w.addFeature(f);
    Vector v = vectorUpdate(kEdge, 20, kModify, 2);
    v.attributes = {{402, "4"}};
    w.addVector(v);
  });
  S57CellReader r;
  EXPECT_EQ(load(r).code, UpdateResult::Ok);
  const FRID* light = featureOf(r, 1);
  ASSERT_EQ(light->attributes.size(), 2u);
  EXPECT_EQ(light->attributes[0].attributeCode, "116");
  EXPECT_EQ(light->attributes[0].attributeValue, "New light");
  EXPECT_EQ(light->attributes[1].attributeCode, "87");  // added at the end
  EXPECT_EQ(light->attributes[1].attributeValue, "12");
  EXPECT_TRUE(light->nationalAttributes.empty());
  ASSERT_EQ(vectorOf(r, kEdge, 20)->attributes.size(), 1u);
  EXPECT_EQ(vectorOf(r, kEdge, 20)->attributes[0].attributeValue, "4");
}

TEST_F(Updates, FeaturePointerUpdatesInsertDeleteAndModify) {
  // The contour's edges 20, 21 and the aggregate's two feature pointers.
  struct Case {
    const char* what;
    Control control;
    std::vector<SpatialPointer> pointers;
    const char* expected;  // the contour's pointers after the update
  } cases[] = {
      {"insert before the first", {1, 1, 1}, {to(kEdge, 30)}, "30 20 21"},
      {"insert after the last", {1, 3, 1}, {to(kEdge, 30)}, "20 21 30"},
      {"delete the second", {2, 2, 1}, {}, "20"},
      {"modify the first", {3, 1, 1}, {to(kEdge, 30, 2)}, "30 21"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    writeUpdate(1, [&](S57Writer& w) {
      w.addEdge(30, 12, 10, {});
      Feature contour = featureUpdate(2, kModify, 2);
      contour.spatialPointerControl = c.control;
      contour.spatialPointers = c.pointers;
      w.addFeature(contour);
      Feature aggregate = featureUpdate(4, kModify, 2);
      aggregate.featurePointerControl = {2, 1, 1};
      w.addFeature(aggregate);
    });
    S57CellReader r;
    const UpdateChainResult result = load(r);
    ASSERT_EQ(result.code, UpdateResult::Ok) << result.error;
    std::string got;
    for (const FSPT& p : featureOf(r, 2)->spatialPointers) got += (got.empty() ? "" : " ") + std::to_string(p.RCID);
    EXPECT_EQ(got, c.expected);
    ASSERT_EQ(featureOf(r, 4)->featurePointers.size(), 1u);
    EXPECT_EQ(featureOf(r, 4)->featurePointers[0].LNAM, longName(550, 1002, 1));
  }
}

TEST_F(Updates, VectorPointerAndCoordinateUpdates) {
  writeUpdate(1, [](S57Writer& w) {
    // Edge 21 now ends in node 10; one interior vertex replaced, one added.
    Vector edge = vectorUpdate(kEdge, 21, kModify, 2);
    VectorPointer end;
    end.rcid = 10;
    end.topi = 2;
    edge.pointerControl = {3, 2, 1};
    edge.pointers = {end};
    edge.coordinateControl = {1, 2, 1};
    edge.coordinates2D = {{470800000, -1221200000}};
    w.addVector(edge);
    Vector edge20 = vectorUpdate(kEdge, 20, kModify, 2);
    edge20.coordinateControl = {3, 2, 1};
    edge20.coordinates2D = {{470300000, -1221300000}};
    w.addVector(edge20);
    // Soundings: the first deleted, a new one inserted after the (new) first.
    Vector node = vectorUpdate(kIsolatedNode, 2, kModify, 2);
    node.coordinateControl = {2, 1, 1};
    w.addVector(node);
    Vector again = vectorUpdate(kIsolatedNode, 2, kModify, 3);
    again.coordinateControl = {1, 2, 1};
    again.coordinates3D = {{470900000, -1220900000, 99}};
    w.addVector(again);
  });
  S57CellReader r;
  const UpdateChainResult result = load(r);
  ASSERT_EQ(result.code, UpdateResult::Ok) << result.error;
  const VRID* edge = vectorOf(r, kEdge, 21);
  ASSERT_EQ(edge->pointers.size(), 2u);
  EXPECT_EQ(edge->pointers[0].RCID, 11);
  EXPECT_EQ(edge->pointers[1].RCID, 10);
  ASSERT_EQ(edge->coordinates2D.size(), 2u);
  EXPECT_EQ(edge->coordinates2D[0].YCOO, 470700000);
  EXPECT_EQ(edge->coordinates2D[1].YCOO, 470800000);
  ASSERT_EQ(vectorOf(r, kEdge, 20)->coordinates2D.size(), 2u);
  EXPECT_EQ(vectorOf(r, kEdge, 20)->coordinates2D[1].YCOO, 470300000);
  const VRID* node = vectorOf(r, kIsolatedNode, 2);
  ASSERT_EQ(node->coordinates3D.size(), 3u);
  EXPECT_EQ(node->coordinates3D[0].VE3D, 210);
  EXPECT_EQ(node->coordinates3D[1].VE3D, 99);
  EXPECT_EQ(node->coordinates3D[2].VE3D, 315);
  EXPECT_EQ(node->RVER, 3);
}

// As producers write a reshaped edge: one record deletes every vertex, the
// next gives the new ones without SGCC (nothing is left to place them
// among). A record may also point at one the update inserts after it.
TEST_F(Updates, NewVerticesWithoutControlFieldFillAnEdgeEmptiedBefore) {
  writeUpdate(1, [](S57Writer& w) {
    Vector emptied = vectorUpdate(kEdge, 20, kModify, 2);
    emptied.coordinateControl = {2, 1, 2};
    w.addVector(emptied);
    Vector reshaped = vectorUpdate(kEdge, 20, kModify, 3);
    reshaped.attributes = {{402, "1"}};
    reshaped.coordinates2D = {{470150000, -1221150000}, {470250000, -1221150000}, {470350000, -1221150000}};
    w.addVector(reshaped);
    Vector edge = vectorUpdate(kEdge, 22, kInsert, 1);
    VectorPointer from, to;
    from.rcid = 12;
    from.topi = 1;
    to.rcid = 13;
    to.topi = 2;
    edge.pointers = {from, to};
    w.addVector(edge);
    w.addConnectedNode(13, {471500000, -1221000000});
  });
  S57CellReader r;
  const UpdateChainResult result = load(r);
  ASSERT_EQ(result.code, UpdateResult::Ok) << result.error;
  const VRID* edge = vectorOf(r, kEdge, 20);
  ASSERT_EQ(edge->coordinates2D.size(), 3u);
  EXPECT_EQ(edge->coordinates2D[2].YCOO, 470350000);
  EXPECT_EQ(edge->RVER, 3);
  EXPECT_NE(vectorOf(r, kEdge, 22), nullptr);
}

TEST_F(Updates, AReissuedBaseTakesOnlyTheUpdatesAfterIt) {
  writeBase("2");  // holds updates 1 and 2 already
  writeUpdate(1, [](S57Writer& w) { w.addFeature(featureUpdate(99, kDelete, 2)); });  // would fail
  writeUpdate(2, [](S57Writer& w) { w.addFeature(featureUpdate(99, kDelete, 2)); });
  writeUpdate(3, renameLight);
  S57CellReader r;
  const UpdateChainResult result = load(r);
  EXPECT_EQ(result.code, UpdateResult::Ok) << result.error;
  EXPECT_EQ(result.applied, std::vector<int>{3});
  EXPECT_EQ(featureOf(r, 1)->attributes[0].attributeValue, "New light");
}

// Each failure stops the chain at the failing file and leaves the records
// exactly as the updates before it left them.
TEST_F(Updates, AFileThatCannotApplyStopsTheChainWithTheCellAsOfTheLastGoodUpdate) {
  struct Case {
    const char* what;
    std::function<void()> writeSecond;  // writes update 2 (or later files)
    UpdateResult code;
    const char* named;  // in the error
  };
  const std::vector<Case> cases = {
      {"a gap", [&] { writeUpdate(3, renameLight); }, UpdateResult::Gap, "UPDT0001.003"},
      {"a wrong edition", [&] { writeUpdate(2, renameLight, [](DataSet& d) { d.edtn = "2"; }); },
       UpdateResult::WrongEdition, "edition 2"},
      {"a wrong update number", [&] { writeUpdate(2, renameLight, [](DataSet& d) { d.updn = "5"; }); },
       UpdateResult::WrongNumber, "UPDN 5"},
      {"a base file in the update's place", [&] { writeUpdate(2, renameLight, [](DataSet& d) { d.expp = 1; }); },
       UpdateResult::NotAnUpdate, "EXPP 1"},
      {"an update of another cell",
       [&] { writeUpdate(2, renameLight, [](DataSet& d) { d.dsnm = "OTHER001.002"; }); },
       UpdateResult::NotAnUpdate, "OTHER001.002"},
      {"a modify of an absent record",
       [&] {
         writeUpdate(2, [](S57Writer& w) {
           w.addIsolatedNode(6, {1, 2});  // applied first, then undone
           Feature f = featureUpdate(3, kDelete, 2);
           w.addFeature(f);
           w.addFeature(namedAgain(99, 2));
         });
       },
       UpdateResult::RecordMissing, "RCNM=100,RCID=99"},
      {"a delete of an absent vector",
       [&] { writeUpdate(2, [](S57Writer& w) { w.addVector(vectorUpdate(kEdge, 77, kDelete, 2)); }); },
       UpdateResult::RecordMissing, "RCNM=130,RCID=77"},
      {"a record version that does not follow",
       [&] {
         writeUpdate(2, [](S57Writer& w) {
           w.addFeature(featureUpdate(3, kDelete, 2));
           w.addFeature(namedAgain(1, 2));  // the light is at version 2 after update 1
         });
       },
       UpdateResult::VersionMismatch, "RCNM=100,RCID=1: record version 2, the cell's is 2"},
      {"an insert of a record the cell has",
       [&] { writeUpdate(2, [](S57Writer& w) {
               w.addIsolatedNode(1, {1, 2});
             }); }, UpdateResult::RecordExists,
       "RCNM=110,RCID=1"},
      {"a pointer index past the end",
       [&] {
         writeUpdate(2, [](S57Writer& w) {
           Feature f = featureUpdate(2, kModify, 2);
           f.spatialPointerControl = {3, 3, 1};
           f.spatialPointers = {to(kEdge, 20)};
           w.addFeature(f);
         });
       },
       UpdateResult::BadInstruction, "FSPC"},
      {"pointers without their control field",
       [&] {
         writeUpdate(2, [](S57Writer& w) {
           Vector v = vectorUpdate(kEdge, 20, kModify, 2);
           v.coordinates2D = {{1, 2}};
           w.addVector(v);
         });
       },
       UpdateResult::BadInstruction, "SG2D without SGCC"},
      // Records that break the rules for updates are refused whole.
      {"a delete carrying further fields",
       [&] {
         writeUpdate(2, [](S57Writer& w) {
           Feature f = featureUpdate(3, kDelete, 2);
           f.attributes = {{kOBJNAM, "gone"}};
           w.addFeature(f);
         });
       },
       UpdateResult::MalformedRecord, "RCNM=100,RCID=3: a delete carrying further fields"},
      {"a modify carrying nothing",
       [&] { writeUpdate(2, [](S57Writer& w) { w.addFeature(featureUpdate(3, kModify, 2)); }); },
       UpdateResult::MalformedRecord, "a modify carrying nothing"},
      {"an insert carrying nothing",
       [&] { writeUpdate(2, [](S57Writer& w) { w.addVector(vectorUpdate(kIsolatedNode, 9, kInsert, 1)); }); },
       UpdateResult::MalformedRecord, "RCNM=110,RCID=9: an insert carrying nothing"},
      {"an inserted record not at version 1",
       [&] {
         writeUpdate(2, [](S57Writer& w) {
           Vector v = vectorUpdate(kIsolatedNode, 9, kInsert, 2);
           v.coordinates2D = {{1, 2}};
           w.addVector(v);
         });
       },
       UpdateResult::VersionMismatch, "record version 2 for an inserted record"},
      {"a control field given twice",
       [&] {
         writeUpdate(2, [](S57Writer& w) {
           iso8211::Record r;
           r.add("0001", recordIdField(50)).add("FRID", fridField(featureUpdate(2, kModify, 2)));
           r.add("FOID", foidField(featureUpdate(2, kModify, 2)));
           r.add("FSPC", controlField({2, 1, 1})).add("FSPC", controlField({2, 1, 1}));
           w.addRecord(r);
         });
       },
       UpdateResult::MalformedRecord, "FSPC given twice"},
      {"a delete of pointers that gives pointers",
       [&] {
         writeUpdate(2, [](S57Writer& w) {
           Feature f = featureUpdate(2, kModify, 2);
           f.spatialPointerControl = {2, 1, 1};
           f.spatialPointers = {to(kEdge, 20)};
           w.addFeature(f);
         });
       },
       UpdateResult::BadInstruction, "FSPC instruction 2 at index 1 for 1 entries, with 1 given"},
      {"a count that disagrees with the coordinates given",
       [&] {
         writeUpdate(2, [](S57Writer& w) {
           Vector v = vectorUpdate(kEdge, 20, kModify, 2);
           v.coordinateControl = {1, 1, 2};
           v.coordinates2D = {{1, 2}};
           w.addVector(v);
         });
       },
       UpdateResult::BadInstruction, "SGCC instruction 1 at index 1 for 2 entries, with 1 given"},
      {"the delete of an attribute the record lacks",
       [&] {
         writeUpdate(2, [](S57Writer& w) {
           Feature f = featureUpdate(1, kModify, 3);
           f.attributes = {{87, "\x7f"}};
           w.addFeature(f);
         });
       },
       UpdateResult::AttributeMissing, "RCNM=100,RCID=1: attribute 87 to be deleted"},
      {"a spatial pointer to an absent edge",
       [&] {
         writeUpdate(2, [](S57Writer& w) {
           Feature f = featureUpdate(2, kModify, 2);
           f.spatialPointerControl = {1, 3, 1};
           f.spatialPointers = {to(kEdge, 77)};
           w.addFeature(f);
         });
       },
       UpdateResult::PointerMissing, "RCNM=100,RCID=2: FSPT names RCNM=130,RCID=77"},
      {"an edge pointer to an absent node",
       [&] {
         writeUpdate(2, [](S57Writer& w) {
           Vector edge = vectorUpdate(kEdge, 21, kModify, 2);
           VectorPointer end;
           end.rcid = 99;
           end.topi = 2;
           edge.pointerControl = {3, 2, 1};
           edge.pointers = {end};
           w.addVector(edge);
         });
       },
       UpdateResult::PointerMissing, "RCNM=130,RCID=21: VRPT names RCNM=120,RCID=99"},
      {"a feature pointer to an absent feature",
       [&] {
         writeUpdate(2, [](S57Writer& w) {
           Feature f = featureUpdate(4, kModify, 2);
           f.featurePointerControl = {1, 1, 1};
           f.featurePointers = {{longName(550, 9999, 1), 2, ""}};
           w.addFeature(f);
         });
       },
       UpdateResult::PointerMissing, "FFPT names the feature 02260000270F0001"},
      {"an unknown record instruction",
       [&] { writeUpdate(2, [](S57Writer& w) { w.addFeature(featureUpdate(3, 4, 2)); }); },
       UpdateResult::BadInstruction, "record instruction 4"},
      {"a truncated file",
       [&] {
         const std::string path = writeUpdate(2, [](S57Writer& w) { w.addFeature(featureUpdate(3, kDelete, 2)); });
         fs::resize_file(path, fs::file_size(path) - 5);
       },
       UpdateResult::Truncated, "past the end"},
      {"a file cut after a whole record",
       [&] {
         writeUpdate(2, [](S57Writer& w) { w.addFeature(featureUpdate(3, kDelete, 2)); },
                     [](DataSet& d) { d.recordCounts = {0, 0, 2, 0, 0, 0, 0, 0}; });
       },
       UpdateResult::Truncated, "DSSI declares 2"},
      {"a file that is not ISO 8211",
       [&] { std::ofstream(dir + "/UPDT0001.002") << "this is not a chart file, not at all"; },
       UpdateResult::CannotRead, "reader code 3"},
  };
  writeUpdate(1, renameLight);
  const std::string afterFirst = stateAfter(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const UpdateFileName& f : findUpdateFiles(base))
      if (f.number > 1) fs::remove(f.path);
    c.writeSecond();
    writeUpdate(4, [](S57Writer& w) { w.addFeature(featureUpdate(3, kDelete, 2)); });  // never reached
    S57CellReader r;
    const UpdateChainResult result = load(r);
    EXPECT_EQ(result.code, c.code) << result.error;
    EXPECT_EQ(result.applied, std::vector<int>{1});
    EXPECT_NE(result.error.find(c.named), std::string::npos) << result.error;
    EXPECT_NE(result.error.find(updateResultText(c.code)), std::string::npos) << result.error;
    EXPECT_EQ(describe(r), afterFirst);
  }
}

TEST_F(Updates, AFailingUpdateLeavesTheRecordsTheBaseSharesUntouched) {
  // Records staged as copies: the base's holders keep their values even
  // while the failing update changes the same record several times.
  S57CellReader r;
  ASSERT_EQ(r.readCell(base), ReaderResult::Ok);
  const std::shared_ptr<FRID> light = r.features.front();
  const std::string before = describe(r);
  writeUpdate(1, [](S57Writer& w) {
    renameLight(w);
    Feature again = featureUpdate(1, kModify, 3);
    again.attributes = {{kCOLOUR, "\x7f"}};
    w.addFeature(again);
    w.addFeature(featureUpdate(98, kDelete, 2));
  });
  const UpdateChainResult result = applyUpdateChain(r, findUpdateFiles(base));
  EXPECT_EQ(result.code, UpdateResult::RecordMissing);
  EXPECT_EQ(describe(r), before);
  EXPECT_EQ(light->attributes.at(0).attributeValue, "Old light");
  EXPECT_EQ(light->RVER, 1);
}

TEST_F(Updates, FindsOnlyThisCellsNumberedFilesInOrder) {
  for (const char* name : {"UPDT0001.002", "UPDT0001.001", "UPDT0001.010", "UPDT0001.0a1", "UPDT0002.001",
                           "UPDT0001.000.bak", "UPDT0001.1000"})
    std::ofstream(dir + "/" + name) << "x";
  // A folder is no update, but it is listed: reading it stops the chain
  // there with the reason, instead of a silent gap.
  fs::create_directory(dir + "/UPDT0001.003");
  std::string got;
  for (const UpdateFileName& f : findUpdateFiles(base))
    got += std::to_string(f.number) + ":" + fs::path(f.path).filename().string() + " ";
  EXPECT_EQ(got, "1:UPDT0001.001 2:UPDT0001.002 3:UPDT0001.003 10:UPDT0001.010 ");
  EXPECT_TRUE(findUpdateFiles(dir + "/nowhere/UPDT0001.000").empty());
}

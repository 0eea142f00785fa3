// A picked object as the panel and enctool query tell it: names from the
// catalogues, enumerated and list values by their meanings, units, and
// what stays as it stands when the library does not know it.
#include <gtest/gtest.h>

#include "ObjectDescription.h"
#include "S57Vocabulary.h"

namespace {
PresentationLibrary smallLibrary(bool withValues) {
  PresentationLibrary library;
  library.objectClassCatalogue[75] = ObjectClassRecord{"Light", "LIGHTS", 75};
  library.attributeCatalogue["75"] = AttributeRecord{"Colour", "COLOUR", "75"};
  library.attributeCatalogue["87"] = AttributeRecord{"Depth range value 1", "DRVAL1", "87"};
  library.attributeCatalogue["133"] = AttributeRecord{"Scale minimum", "SCAMIN", "133"};
  if (withValues) library.attributeValues[75] = {{1, "white"}, {3, "red"}, {4, "green"}};
  return library;
}
}  // namespace

TEST(ObjectDescription, ValuesAreDecodedWhereTheLibraryKnowsThem) {
  const PresentationLibrary library = smallLibrary(true);
  const PresentationLibrary bare = smallLibrary(false);
  struct Case {
    const char* acronym;
    const char* value;
    const char* decoded;
    const char* withoutValueFile;
  };
  const Case cases[] = {
      {"COLOUR", "3", "red", "3"},
      {"COLOUR", "1,3", "white, red", "1,3"},     // a list, item by item
      {"COLOUR", "3, 1", "red, white", "3, 1"},   // blanks around the items
      {"COLOUR", "3,99", "red, 99", "3,99"},      // a code without a meaning stays
      {"COLOUR", "4,x,", "green, x, ", "4,x,"},   // neither do text nor an empty item
      {"COLOUR", "", "unknown", "unknown"},       // S-57's empty value
      {"DRVAL1", "9.1", "9.1 m", "9.1 m"},        // units whatever the library
      {"ORIENT", "270", "270°", "270°"},
      {"VALNMR", "15", "15 nmi", "15 nmi"},
      {"SCAMIN", "44999", "1:44999", "1:44999"},
      {"OBJNAM", "Commencement Bay", "Commencement Bay", "Commencement Bay"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(attributeValueText(library, c.acronym, c.value), c.decoded) << c.acronym << " " << c.value;
    EXPECT_EQ(attributeValueText(bare, c.acronym, c.value), c.withoutValueFile) << c.acronym << " " << c.value;
  }
}

TEST(ObjectDescription, ClassCellPlaceAndAttributes) {
  const PresentationLibrary library = smallLibrary(true);
  S57Cell cell;
  cell.name = "US5WA22M.000";
  PointFeature light;
  light.objectClass = s57::LIGHTS;
  light.position.point = geoToChart({47.25, -122.5});
  light.attributes = {{"COLOUR", "1,3"}, {"CATLIT", "4"}};
  const ObjectDescription d = describeObject(PickedObject{&cell, &light}, library);
  EXPECT_EQ(d.title, "Light (LIGHTS)");
  EXPECT_EQ(d.kind, "point");
  EXPECT_EQ(d.cell, "US5WA22M.000");
  ASSERT_TRUE(d.position);
  EXPECT_NEAR(d.position->latitude, 47.25, 1e-5);  // the inverse projection is good to 0.2 m
  EXPECT_NEAR(d.position->longitude, -122.5, 1e-5);
  EXPECT_FALSE(d.southWest);
  ASSERT_EQ(d.attributes.size(), 2u);
  EXPECT_EQ(d.attributes[0].name, "Colour");
  EXPECT_EQ(d.attributes[0].value, "white, red");
  EXPECT_EQ(d.attributes[0].raw, "1,3");
  EXPECT_EQ(d.attributes[1].name, "CATLIT");  // not in this catalogue: the acronym
  EXPECT_EQ(d.attributes[1].value, "4");

  // An uncatalogued class is an unknown object by its code; an area shows its extent; a sounding
  // its own position and depth.
  AreaFeature area;
  area.objectClass = 9999;
  for (const GeoPoint& g : {GeoPoint{47.1, -122.6}, GeoPoint{47.3, -122.2}, GeoPoint{47.2, -122.4}})
    area.exteriorVertices.push_back(ChartVertex{geoToChart(g)});
  const ObjectDescription a = describeObject(PickedObject{&cell, &area}, library);
  EXPECT_EQ(a.title, "unknown object (OBJL 9999)");
  EXPECT_EQ(a.className, "unknown object");
  EXPECT_EQ(a.acronym, "");
  ASSERT_TRUE(a.southWest && a.northEast);
  EXPECT_NEAR(a.southWest->latitude, 47.1, 1e-5);
  EXPECT_NEAR(a.southWest->longitude, -122.6, 1e-5);
  EXPECT_NEAR(a.northEast->latitude, 47.3, 1e-5);
  EXPECT_NEAR(a.northEast->longitude, -122.2, 1e-5);

  SoundingFeature soundings;
  soundings.objectClass = s57::SOUNDG;
  const ChartPoint p = geoToChart({47.2, -122.3});
  soundings.soundings = {Sounding{0, 0, 1.5f}, Sounding{p.x, p.y, 12.5f}};
  const ObjectDescription s = describeObject(PickedObject{&cell, &soundings, 1}, library);
  EXPECT_EQ(s.kind, "sounding");
  ASSERT_TRUE(s.depth && s.position);
  EXPECT_EQ(*s.depth, 12.5f);
  EXPECT_NEAR(s.position->latitude, 47.2, 1e-5);
}

// Under 中文显示: class, attribute and value names in Chinese with the S-57
// acronyms beside them, enumerated values with their codes, units in
// Chinese; what the Chinese names lack stays English.
TEST(ObjectDescription, InChinese) {
  PresentationLibrary library = smallLibrary(true);
  library.objectClassCatalogue[42] = ObjectClassRecord{"Depth area", "DEPARE", 42};
  library.attributeCatalogue["113"] = AttributeRecord{"Nature of surface", "NATSUR", "113"};
  library.attributeValues[113] = {{1, "mud"}, {4, "sand"}};
  ChineseNames& names = library.chineseNames;
  names.classes = {{42, "水深区"}};
  names.attributes = {{87, "最小水深"}, {113, "底质"}, {75, "颜色"}};
  names.values = {{113, {{1, "泥"}, {4, "沙"}}}, {75, {{1, "白"}, {3, "红"}}}};
  names.texts = {{"m", "米"}, {"unknown", "未知"}, {"unknown object", "未知物标"}};
  PresentationLibrary withoutChinese = library;
  withoutChinese.chineseNames = ChineseNames{};

  const struct {
    const char* acronym;
    const char* value;
    const char* chinese;
  } cases[] = {
      {"NATSUR", "4", "沙 (4)"},
      {"NATSUR", "4,1", "沙、泥 (4,1)"},
      {"COLOUR", "1,4", "白、green (1,4)"},  // no Chinese meaning: the English one
      {"COLOUR", "1,99", "白、99 (1,99)"},
      {"COLOUR", "99", "99"},                 // no meaning at all: as it stands
      {"DRVAL1", "5.0", "5.0 米"},
      {"VALNMR", "15", "15 nmi"},             // no Chinese unit: the English one
      {"ORIENT", "270", "270°"},
      {"SCAMIN", "44999", "1:44999"},
      {"NATSUR", "", "未知"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(attributeValueText(library, c.acronym, c.value, NameLanguage::Chinese), c.chinese) << c.acronym;
    // The English text is the same with or without the Chinese names.
    EXPECT_EQ(attributeValueText(library, c.acronym, c.value), attributeValueText(withoutChinese, c.acronym, c.value));
  }

  S57Cell cell;
  AreaFeature area;
  area.objectClass = 42;
  area.attributes = {{"DRVAL1", "5.0"}, {"NATSUR", "4"}, {"SCAMIN", "44999"}};
  const ObjectDescription d = describeObject(PickedObject{&cell, &area}, library, NameLanguage::Chinese);
  EXPECT_EQ(d.title, "水深区 (DEPARE)");
  ASSERT_EQ(d.attributes.size(), 3u);
  EXPECT_EQ(d.attributes[0].name, "最小水深");
  EXPECT_EQ(d.attributes[0].value, "5.0 米");
  EXPECT_EQ(d.attributes[1].name, "底质");
  EXPECT_EQ(d.attributes[1].acronym, "NATSUR");
  EXPECT_EQ(d.attributes[2].name, "Scale minimum");  // no Chinese name: the English one
  const ObjectDescription english = describeObject(PickedObject{&cell, &area}, library);
  EXPECT_EQ(english.title, "Depth area (DEPARE)");
  EXPECT_EQ(english.attributes[0].value, "5.0 m");
  EXPECT_EQ(english.attributes[1].value, "sand");

  area.objectClass = 999;
  EXPECT_EQ(describeObject(PickedObject{&cell, &area}, library, NameLanguage::Chinese).title, "未知物标 (OBJL 999)");
}

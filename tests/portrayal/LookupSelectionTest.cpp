#include <gtest/gtest.h>

#include "DisplaySettings.h"
#include "FeaturePortrayal.h"
#include "LookupSelection.h"

namespace {
constexpr int kObstruction = 86;
constexpr int kLight = 75;

LookupEntry entry(std::vector<AttributeCondition> conditions, int priority = 0, std::string name = "") {
  LookupEntry e;
  e.conditions = conditions.empty() ? std::vector<AttributeCondition>{{"attf", "null"}} : std::move(conditions);
  e.displayPriority = priority;
  e.instructions.push_back(Symbol{std::move(name), {}, {}});
  return e;
}

ObjectClassCatalogue classes() {
  ObjectClassCatalogue c;
  c[kObstruction] = {"Obstruction", "OBSTRN", kObstruction};
  c[kLight] = {"Light", "LIGHTS", kLight};
  return c;
}

PointFeature feature(int objectClass, std::vector<FeatureAttribute> attributes) {
  PointFeature f;
  f.objectClass = objectClass;
  f.attributes = std::move(attributes);
  return f;
}

// The symbol name of the entry chosen for `attributes` from `list`.
std::string chosen(const std::vector<LookupEntry>& list, std::vector<FeatureAttribute> attributes) {
  LookupTable table;
  table["OBSTRN"] = list;
  PointFeature f = feature(kObstruction, std::move(attributes));
  selectLookup(f, table, LookupList::First, classes());
  return f.firstLookup.instructions.empty() ? "" : f.firstLookup.instructions.front().as<Symbol>().name;
}
}  // namespace

TEST(LookupSelection, ChoosesTheEntryThatMatchesMostConditions) {
  const std::vector<LookupEntry> list = {
      entry({}, 0, "A"),
      entry({{"CATOBS", "8"}}, 0, "B"),
      entry({{"CATOBS", "8"}, {"WATLEV", "3"}}, 0, "C"),
  };
  struct Case {
    std::vector<FeatureAttribute> attributes;
    const char* expected;
  } cases[] = {
      {{{"CATOBS", "8"}, {"WATLEV", "3"}, {"NOBJNM", "x"}}, "C"},  // best of two matches
      {{{"CATOBS", "8"}, {"WATLEV", "3"}}, "C"},                   // matches every attribute
      {{{"CATOBS", "8"}}, "B"},
      {{{"CATOBS", "08"}}, "A"},                                   // values compare as text
      {{{"CATOBS", "6"}}, "A"},                                    // no match: the default
      {{}, "A"},                                                   // no attributes: the default
  };
  for (const Case& c : cases) EXPECT_EQ(chosen(list, c.attributes), c.expected) << c.expected;
}

TEST(LookupSelection, AnEntryMatchingEveryAttributeEndsTheScan) {
  // D repeats a condition, so it has more conditions than the feature has
  // attributes and would win on count; C is taken first.
  const std::vector<LookupEntry> list = {
      entry({{"CATOBS", "8"}, {"WATLEV", "3"}}, 0, "C"),
      entry({{"CATOBS", "8"}, {"WATLEV", "3"}, {"CATOBS", "8"}}, 0, "D"),
  };
  EXPECT_EQ(chosen(list, {{"CATOBS", "8"}, {"WATLEV", "3"}}), "C");
  // Equal counts keep the earlier entry.
  const std::vector<LookupEntry> tie = {entry({{"CATOBS", ""}}, 0, "E"), entry({{"WATLEV", ""}}, 0, "F")};
  EXPECT_EQ(chosen(tie, {{"CATOBS", "1"}, {"WATLEV", "2"}, {"NOBJNM", "x"}}), "E");
}

TEST(LookupSelection, DefaultIsTheLastPlaceholderElseTheFirstEntry) {
  EXPECT_EQ(chosen({entry({{"CATOBS", "1"}}, 0, "A"), entry({{"CATOBS", "2"}}, 0, "B")}, {}), "A");
  EXPECT_EQ(chosen({entry({}, 0, "A"), entry({{"CATOBS", "2"}}, 0, "B"), entry({}, 0, "C")}, {{"CATOBS", "9"}}), "C");
}

TEST(LookupSelection, ConditionsCompareWholeTexts) {
  const std::vector<LookupEntry> list = {entry({}, 0, "default"), entry({{"CATLIT", "1,6"}}, 0, "listed")};
  EXPECT_EQ(chosen(list, {{"CATLIT", "6,1"}}), "default");
  EXPECT_EQ(chosen(list, {{"CATLIT", "1,6"}}), "listed");
  // An empty condition value asks only for the attribute.
  EXPECT_EQ(chosen({entry({}, 0, "default"), entry({{"CATLIT", ""}}, 0, "any")}, {{"CATLIT", "4"}}), "any");
}

TEST(LookupSelection, ASingleEntryIsTakenWhateverItsConditions) {
  EXPECT_EQ(chosen({entry({{"CATLIT", "1"}}, 0, "only")}, {}), "only");
}

TEST(LookupSelection, UnknownClassOrClassWithoutEntriesSelectsNothing) {
  LookupTable table;
  table["OBSTRN"] = {entry({}, 4, "A")};
  for (int objectClass : {kLight, 999}) {
    PointFeature f = feature(objectClass, {{"CATLIT", "1"}});
    selectLookup(f, table, LookupList::First, classes());
    EXPECT_TRUE(f.firstLookup.instructions.empty());
    EXPECT_EQ(f.display.firstCategory, -1);
    EXPECT_EQ(f.display.priority, -1);
    EXPECT_EQ(f.display.viewingGroup, -1);
    EXPECT_EQ(f.display.radarFlag, static_cast<char>(0xFF));
  }
}

TEST(LookupSelection, CopiesEntryValuesAndCategory) {
  struct Case {
    const char* categoryText;
    const char* viewingGroup;
    int category, group;
  } cases[] = {
      {"DISPLAYBASE", "12210", 0, 12210},
      {"STANDARD", "27010", 1, 27010},
      {"OTHER", "", 2, 0},
      {"", "31020x", 2, 31020},
  };
  for (const Case& c : cases) {
    LookupEntry e = entry({}, 6);
    e.radarFlag = "S";
    e.displayCategoryText = c.categoryText;
    e.viewingGroup = c.viewingGroup;
    LookupTable table;
    table["OBSTRN"] = {e};
    PointFeature f = feature(kObstruction, {});
    selectLookup(f, table, LookupList::Second, classes());
    EXPECT_EQ(f.display.secondCategory, c.category) << c.categoryText;
    EXPECT_EQ(f.display.viewingGroup, c.group) << c.viewingGroup;
    EXPECT_EQ(f.display.priority, 6);
    EXPECT_EQ(f.display.radarFlag, 'S');
    EXPECT_EQ(f.display.firstCategory, -1);
  }
}

TEST(LookupSelection, ResolvesRotationAndNationalNameReferences) {
  LookupEntry e = entry({});
  e.instructions.clear();
  Symbol byAttribute, byNumber;
  byAttribute.rotationAttribute = "ORIENT";
  byNumber.rotationAttribute = "90";
  FormattedText formatted;
  formatted.nationalText = "stale";
  PlainText text;
  text.attribute = "OBJNAM";
  text.nationalText = "stale";
  e.instructions = {byAttribute, byNumber, formatted, text};
  LookupTable table;
  table["OBSTRN"] = {e};

  PointFeature with = feature(kObstruction, {{"ORIENT", "135"}, {"NOBJNM", "\xE6\xB5\xB7"}});
  selectLookup(with, table, LookupList::First, classes());
  const auto& in = with.firstLookup.instructions;
  ASSERT_EQ(in.size(), 4u);
  EXPECT_EQ(in[0].as<Symbol>().rotation, "135");
  EXPECT_EQ(in[1].as<Symbol>().rotation, "");  // a number is not an attribute: no rotation
  EXPECT_EQ(in[2].text()->nationalText, "");   // copies start without a national text
  EXPECT_EQ(in[3].as<PlainText>().attribute, "OBJNAM");
  EXPECT_EQ(in[3].text()->nationalText, "\xE6\xB5\xB7");

  PointFeature without = feature(kObstruction, {});
  selectLookup(without, table, LookupList::First, classes());
  EXPECT_EQ(without.firstLookup.instructions[0].as<Symbol>().rotation, "");
  EXPECT_EQ(without.firstLookup.instructions[3].text()->nationalText, "");
}

TEST(LookupSelection, EachKindUsesItsTablesAndTheLaterSelectionSetsSharedValues) {
  PresentationLibrary library;
  library.objectClassCatalogue = classes();
  auto put = [&library](LookupTableId id, int priority) {
    LookupEntry e = entry({}, priority, std::to_string(priority));
    e.displayCategoryText = "STANDARD";
    library.lookupTables[static_cast<int>(id)]["OBSTRN"] = {e};
  };
  put(LookupTableId::SYMBOLIZED_BOUNDARIES, 1);
  put(LookupTableId::PLAIN_BOUNDARIES, 2);
  put(LookupTableId::SIMPLIFIED, 3);
  put(LookupTableId::PAPER_CHART, 4);
  put(LookupTableId::LINES, 5);

  struct Case {
    ChartFeature* feature;
    const char* first;
    const char* second;
    int priority;
  };
  PointFeature point;
  SoundingFeature sounding;
  LineFeature line;
  AreaFeature area;
  const Case cases[] = {
      {&point, "4", "3", 3},
      {&sounding, "", "4", 4},
      {&line, "5", "5", 5},
      {&area, "2", "1", 1},
  };
  for (const Case& c : cases) {
    c.feature->objectClass = kObstruction;
    selectLookups(*c.feature, library);
    auto name = [](const LookupResult& r) { return r.instructions.empty() ? "" : r.instructions[0].as<Symbol>().name; };
    EXPECT_EQ(name(c.feature->firstLookup), c.first) << c.priority;
    EXPECT_EQ(name(c.feature->secondLookup), c.second) << c.priority;
    EXPECT_EQ(c.feature->display.priority, c.priority);
  }
  EXPECT_EQ(sounding.display.firstCategory, -1);
}

// Every feature draws something: a class one symbol style draws takes that
// style's choice in the other; a class neither draws, or one the catalogue
// lacks, gets S-52's default in Display Base, the library's ###### entry or
// the built-in one. Meta objects stay as their look-ups leave them.
TEST(LookupSelection, FeaturesTheTablesDoNotDrawGetADrawing) {
  constexpr int kBridge = 11, kMetaObject = 305;
  PresentationLibrary library;
  library.objectClassCatalogue = classes();
  library.objectClassCatalogue[kBridge] = {"Bridge", "BRIDGE", kBridge};
  library.objectClassCatalogue[kMetaObject] = {"Nautical publication information", "M_NPUB", kMetaObject};
  auto table = [&library](LookupTableId id) -> LookupTable& { return library.lookupTables[static_cast<int>(id)]; };
  LookupEntry empty = entry({});
  empty.instructions.clear();
  LookupEntry drawn = entry({}, 7, "OBSTRN01");
  drawn.displayCategoryText = "OTHER";
  drawn.viewingGroup = "34050";
  table(LookupTableId::PAPER_CHART)["OBSTRN"] = {drawn};
  table(LookupTableId::SIMPLIFIED)["OBSTRN"] = {empty};   // drawn in one style only
  table(LookupTableId::PAPER_CHART)["BRIDGE"] = {empty};  // in neither
  table(LookupTableId::PAPER_CHART)["M_NPUB"] = {empty};
  LookupEntry fallback = entry({}, 6, "DEFAULT1");  // the simplified table's own default
  fallback.displayCategoryText = "STANDARD";
  fallback.viewingGroup = "21011";
  table(LookupTableId::SIMPLIFIED)["######"] = {fallback};

  auto name = [](const LookupResult& r) {
    if (r.instructions.empty()) return std::string();
    const Symbol* symbol = r.instructions[0].find<Symbol>();
    return symbol ? symbol->name : std::string("not a symbol");
  };
  struct Case {
    int objectClass;
    const char* first;
    const char* second;
    int firstCategory, secondCategory;
    int priority, group;  // as the later selection leaves them
  } cases[] = {
      {kObstruction, "OBSTRN01", "OBSTRN01", 2, 2, 7, 34050},
      {kBridge, "QUESMRK1", "DEFAULT1", 0, 0, 6, 21011},
      {999, "QUESMRK1", "DEFAULT1", 0, 0, 6, 21011},
      {kMetaObject, "", "", 2, -1, 0, 0},  // its empty entry, and nothing in the other table
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.objectClass);
    PointFeature f = feature(c.objectClass, {{"OBJNAM", "x"}});
    selectLookups(f, library);
    EXPECT_EQ(name(f.firstLookup), c.first);
    EXPECT_EQ(name(f.secondLookup), c.second);
    EXPECT_EQ(f.display.firstCategory, c.firstCategory);
    EXPECT_EQ(f.display.secondCategory, c.secondCategory);
    EXPECT_EQ(f.display.priority, c.priority);
    EXPECT_EQ(f.display.viewingGroup, c.group);
  }

  // Lines and areas get their own forms of the built-in default.
  LineFeature line;
  line.objectClass = 999;
  selectLookups(line, library);
  ASSERT_EQ(line.firstLookup.instructions.size(), 1u);
  ASSERT_TRUE(line.firstLookup.instructions[0].is<ComplexLine>());
  EXPECT_EQ(line.firstLookup.instructions[0].as<ComplexLine>().name, "QUESMRK1");
  AreaFeature area;
  area.objectClass = 999;
  selectLookups(area, library);
  ASSERT_EQ(area.secondLookup.instructions.size(), 2u);
  ASSERT_TRUE(area.secondLookup.instructions[0].is<AreaPattern>());
  EXPECT_EQ(area.secondLookup.instructions[0].as<AreaPattern>().name, "QUESMRK1");
  ASSERT_TRUE(area.secondLookup.instructions[1].is<LineStyle>());
  EXPECT_EQ(area.secondLookup.instructions[1].as<LineStyle>().dash, LineDash::Dashed);
  EXPECT_EQ(area.display.secondCategory, 0);
  EXPECT_EQ(area.display.priority, 5);
}

TEST(LookupSelection, DisplayCategoryTestUsesTheResultOfTheSymbolStyle) {
  struct Case {
    bool paperChart;
    int displayCategory, firstCategory, secondCategory;
    bool passes;
  } cases[] = {
      {false, 1, 1, 2, false},  // simplified symbols: the second result's "other" category fails standard
      {true, 1, 1, 2, true},
      {false, 2, 1, 2, true},
      {false, 0, 0, 1, false},  // base display hides standard
      {false, 0, 2, 0, true},
      {true, 0, -1, 2, true},   // a result never filled always passes
  };
  PresentationLibrary library;
  for (const Case& c : cases) {
    DisplaySettings s(library);
    s.displayCategory = c.displayCategory;
    // A point by its symbol style, an area by its boundary style.
    PointFeature point;
    AreaFeature area;
    for (ChartFeature* f : {static_cast<ChartFeature*>(&point), static_cast<ChartFeature*>(&area)}) {
      f->display.firstCategory = c.firstCategory;
      f->display.secondCategory = c.secondCategory;
    }
    s.paperChartSymbols = c.paperChart;
    s.plainBoundaries = !c.paperChart;
    EXPECT_EQ(passesDisplayCategory(point, nullptr, s), c.passes)
        << c.paperChart << " " << c.displayCategory << " " << c.firstCategory << " " << c.secondCategory;
    s.paperChartSymbols = !c.paperChart;
    s.plainBoundaries = c.paperChart;
    EXPECT_EQ(passesDisplayCategory(area, nullptr, s), c.passes)
        << c.paperChart << " " << c.displayCategory << " " << c.firstCategory << " " << c.secondCategory;
  }
}

// Points: the paper-chart look-up with paper-chart symbols, else the
// simplified one; areas: the plain-boundary look-up with plain boundaries,
// else the symbolised one; soundings always take the second.
TEST(LookupSelection, LookupInUseAndMarinersViewingGroups) {
  PresentationLibrary library;
  DisplaySettings s(library);
  PointFeature point;
  AreaFeature area;
  SoundingFeature sounding;
  for (bool paper : {false, true})
    for (bool plain : {false, true}) {
      s.paperChartSymbols = paper;
      s.plainBoundaries = plain;
      EXPECT_EQ(&lookupInUse(point, s), paper ? &point.firstLookup : &point.secondLookup) << paper;
      EXPECT_EQ(&lookupInUse(area, s), plain ? &area.firstLookup : &area.secondLookup) << plain;
      EXPECT_EQ(&lookupInUse(sounding, s), &sounding.secondLookup) << paper;
    }

  for (auto [group, inside] : {std::pair{31000, true}, {31080, true}, {31081, false}, {30999, false}})
    EXPECT_EQ(inMarinersViewingGroups(group), inside) << group;
}

// What the window shows beside the chart and over it: the cell list, range
// and bearing, object selection, cell names at small scales and the world
// base map.
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTreeWidget>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "CellListPanel.h"
#include "CellFixtures.h"
#include "ChineseText.h"
#include "ColourPens.h"
#include "ColourToken.h"
#include "DemoCell.h"
#include "LoadWarning.h"
#include "MercatorProjection.h"
#include "ObjectHighlight.h"
#include "ObjectPanel.h"
#include "ReaderResult.h"
#include "RecordKinds.h"
#include "TrueScale.h"
#include "UpdateResult.h"
#include "ViewFitting.h"
#include "WindowFixture.h"
#include "WorldBaseMap.h"

using namespace apptest;
namespace fs = std::filesystem;

namespace {

const fs::path kShared = fs::path(CHART_SHARED_ENC);

class Panels : public WindowTest {};

QTreeWidgetItem* row(QTreeWidget* tree, const QString& name) {
  for (int i = 0; i < tree->topLevelItemCount(); ++i)
    if (tree->topLevelItem(i)->text(CellListPanel::NameColumn) == name) return tree->topLevelItem(i);
  return nullptr;
}

// As the window system delivers a double click: press, release, double click, release.
void doubleClick(QTreeWidget* tree, QTreeWidgetItem* item) {
  const QPoint at = tree->visualItemRect(item).center();
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseRelease(tree->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

TEST_F(Panels, TheCellListFollowsLoadingAndADoubleClickShowsTheCell) {
  if (!fs::exists(kShared / "s58") || !fs::exists(kShared / "US5WA22M/US5WA22M.000"))
    GTEST_SKIP() << "the shared cells are not in " << kShared;
  fs::create_directory("s57000");
  for (const auto& entry : fs::directory_iterator(kShared / "s58"))
    if (entry.path().extension() == ".000") fs::copy_file(entry.path(), fs::path("s57000") / entry.path().filename());
  fs::copy_file(kShared / "US5WA22M/US5WA22M.000", "s57000/US5WA22M.000");
  std::ofstream("s57000/BROKEN.000") << "not a cell";

  showAndDraw();
  action("actionCellList")->trigger();
  EXPECT_TRUE(window->cellListPanel()->isVisible());
  EXPECT_TRUE(action("actionCellList")->isChecked());
  QTreeWidget* tree = window->cellListPanel()->tree();
  window->startLoading("s57000");
  ASSERT_TRUE(waitForLoading(window->loader()));

  // One row per loaded cell, in load order, then the failed files.
  const CellSnapshot cells = cellList().snapshot();
  ASSERT_EQ(window->cellListPanel()->loadedCount(), static_cast<int>(cells->size()));
  for (std::size_t i = 0; i < cells->size(); ++i)
    EXPECT_EQ(tree->topLevelItem(static_cast<int>(i))->text(0), QString::fromStdString((*cells)[i]->name));
  QTreeWidgetItem* us = row(tree, "US5WA22M.000");
  ASSERT_NE(us, nullptr);
  EXPECT_EQ(us->text(CellListPanel::ScaleColumn), "1:15,000");
  QTreeWidgetItem* broken = row(tree, "BROKEN.000");
  ASSERT_NE(broken, nullptr);
  EXPECT_EQ(broken->text(CellListPanel::WarningColumn), QString::fromUtf8("未加载：文件不足25字节"));
  EXPECT_GE(tree->indexOfTopLevelItem(broken), window->cellListPanel()->loadedCount());

  // A double click centres the view on the cell at its compilation scale.
  QApplication::processEvents();  // the panel laid out
  tree->scrollToItem(us);
  ASSERT_FALSE(tree->visualItemRect(us).isEmpty());
  doubleClick(tree, us);
  EXPECT_FLOAT_EQ(trueScale(window->chart()->view()), 15000.0f);
  const S57Cell* cell = nullptr;
  for (S57Cell* c : *cells)
    if (c->name == "US5WA22M.000") cell = c;
  ASSERT_NE(cell, nullptr);
  EXPECT_DOUBLE_EQ(window->chart()->view().centre.x, (cell->boundingBox.minX + cell->boundingBox.maxX) / 2);
  EXPECT_DOUBLE_EQ(window->chart()->view().centre.y, (cell->boundingBox.minY + cell->boundingBox.maxY) / 2);
  window->repaint();
  EXPECT_NE(std::find(window->chart()->view().drawnCells.begin(), window->chart()->view().drawnCells.end(), cell),
            window->chart()->view().drawnCells.end());
  // A failed file's row leaves the view alone.
  const ChartPoint centre = window->chart()->view().centre;
  tree->scrollToItem(broken);
  doubleClick(tree, broken);
  EXPECT_EQ(window->chart()->view().centre.x, centre.x);

  action("actionCellList")->trigger();
  EXPECT_FALSE(window->cellListPanel()->isVisible());
  EXPECT_FALSE(action("actionCellList")->isChecked());
}

TEST(CellListText, EditionsUpdatesAndWarningsOfACell) {
  S57Cell cell;
  cell.name = "WARNED01.000";
  cell.compilationScale = 52000;
  cell.edition = 3;
  cell.updatesApplied = {1, 2};
  cell.loadWarnings = {crcMismatchWarning("WARNED01.000", "CATALOG.031", "0000ABCD", "12345678"),
                       updateStoppedWarning("WARNED01.004", UpdateGap, "update 3 is absent")};
  CellListPanel panel;
  panel.addCells({&cell});
  panel.addCells({&cell});  // listed once
  ASSERT_EQ(panel.tree()->topLevelItemCount(), 1);
  const QTreeWidgetItem* row = panel.tree()->topLevelItem(0);
  EXPECT_EQ(row->text(CellListPanel::ScaleColumn), "1:52,000");
  EXPECT_EQ(row->text(CellListPanel::EditionColumn), QString::fromUtf8("第3版 更新1-2"));
  EXPECT_EQ(row->text(CellListPanel::WarningColumn),
            QString::fromUtf8("WARNED01.000：CRC-32校验值为0000ABCD，与目录CATALOG.031所列的12345678不符；"
                              "WARNED01.004：此更新及其后的更新未应用：缺少前一个更新，更新序号不连续"));
  // The tool tip keeps the English line, which names the value at fault.
  EXPECT_TRUE(row->toolTip(CellListPanel::WarningColumn).contains("(update 3 is absent)"));
  // A failure listed twice shows once, after the loaded cells.
  panel.addFailures({"BAD.000: 文件不足25字节", "BAD.000: 文件不足25字节", ""});
  ASSERT_EQ(panel.tree()->topLevelItemCount(), 2);
  EXPECT_EQ(panel.tree()->topLevelItem(1)->text(0), "BAD.000");
}

// Every kind of loading warning reads in Chinese and begins with the file
// or catalogue it is about; an update code the window does not know keeps
// its number.
TEST(CellListText, EveryLoadWarningHasAChineseLine) {
  const struct {
    LoadWarning warning;
    const char* begins;
  } cases[] = {
      {updateStoppedWarning("A.002", UpdateRecordMissing, "feature 7"), "A.002："},
      {updateStoppedWarning("A.002", 99, "?"), "A.002："},
      {crcMismatchWarning("A.000", "E/CATALOG.031", "1", "2"), "A.000："},
      {crcUnreadableWarning("A.000", "E/CATALOG.031"), "A.000："},
      {notInCatalogueWarning("A.001", "E/CATALOG.031"), "A.001："},
      {listedButAbsentWarning("E/CATALOG.031", "B\\B.000"), "E/CATALOG.031："},
      {catalogueUnreadableWarning("E/CATALOG.031", ReaderFileTooShort), "E/CATALOG.031："},
      {sameCellTwiceWarning("copy/D.000", "D.000"), "copy/D.000："},
      {recordCountWarning("A.000", {{GeoFeatureRecords, 239, 0}, {kRecordKindCount, 0, 2}}), "A.000："},
      {duplicateRecordWarning("A.000", 2, "RCNM=100,RCID=5"), "A.000："},
      {noFeaturesWarning("A.000"), "A.000："},
      {entryRefusedWarning("E/CATALOG.031", "../../etc/passwd", EntryRefusal::ParentStep), "E/CATALOG.031："},
      {catalogueOutsideWarning("E/CATALOG.031", "E"), "E/CATALOG.031："},
      {listedRepeatedlyWarning("E/CATALOG.031", "A.000", 60000), "A.000："},
      {notRegularFileWarning("E/A.001"), "E/A.001："},
  };
  for (const auto& c : cases) {
    const QString text = chineseWarningText(c.warning);
    SCOPED_TRACE(qPrintable(text));
    EXPECT_TRUE(text.startsWith(QString::fromUtf8(c.begins)));
    bool chinese = false;
    for (QChar ch : text) chinese = chinese || ch.unicode() >= 0x4E00;
    EXPECT_TRUE(chinese);
  }
  EXPECT_TRUE(chineseWarningText(cases[1].warning).contains("99"));
  EXPECT_TRUE(chineseWarningText(cases[5].warning).contains("B\\B.000"));
  EXPECT_TRUE(chineseWarningText(cases[6].warning).contains(QString::fromUtf8("文件不足25字节")));
  // The counts, the record and the name at fault are in the Chinese line.
  EXPECT_TRUE(chineseWarningText(cases[8].warning)
                  .endsWith(QString::fromUtf8("NOGR声明239条地理物标记录，读到0条；读到2条类型不明的空间记录")));
  EXPECT_TRUE(chineseWarningText(cases[9].warning).contains("RCNM=100,RCID=5"));
  EXPECT_TRUE(chineseWarningText(cases[11].warning).contains("../../etc/passwd"));
  EXPECT_TRUE(chineseWarningText(cases[13].warning).contains("60000"));
}

TEST(CellListText, EditionsAndUpdates) {
  EXPECT_EQ(CellListPanel::editionText(0, {}), QString::fromUtf8("—"));
  EXPECT_EQ(CellListPanel::editionText(2, {}), QString::fromUtf8("第2版"));
  EXPECT_EQ(CellListPanel::editionText(2, {1, 2, 3, 4}), QString::fromUtf8("第2版 更新1-4"));
  EXPECT_EQ(CellListPanel::editionText(3, {1, 3}), QString::fromUtf8("第3版 更新1,3"));
  EXPECT_EQ(CellListPanel::editionText(1, {5}), QString::fromUtf8("第1版 更新5"));
}

// The reference: Lambert's formula for the ellipsoid, from the central
// angle between the reduced latitudes; its error is a few metres per
// thousand kilometres.
double lambertMetres(GeoPoint a, GeoPoint b) {
  const double pi = 3.14159265358979323846, f = 1 / 298.257223563, r = 6378137.0;
  const double b1 = std::atan((1 - f) * std::tan(a.latitude * pi / 180));
  const double b2 = std::atan((1 - f) * std::tan(b.latitude * pi / 180));
  const double dl = (b.longitude - a.longitude) * pi / 180;
  const double h = std::pow(std::sin((b2 - b1) / 2), 2) + std::cos(b1) * std::cos(b2) * std::pow(std::sin(dl / 2), 2);
  const double sigma = 2 * std::asin(std::sqrt(h));
  const double p = (b1 + b2) / 2, q = (b2 - b1) / 2;
  const double x = (sigma - std::sin(sigma)) * std::pow(std::sin(p) * std::cos(q), 2) / std::pow(std::cos(sigma / 2), 2);
  const double y = (sigma + std::sin(sigma)) * std::pow(std::cos(p) * std::sin(q), 2) / std::pow(std::sin(sigma / 2), 2);
  return r * (sigma - f / 2 * (x + y));
}

// The initial bearing on the sphere of reduced latitudes.
double sphereBearing(GeoPoint a, GeoPoint b) {
  const double pi = 3.14159265358979323846, f = 1 / 298.257223563;
  const double b1 = std::atan((1 - f) * std::tan(a.latitude * pi / 180));
  const double b2 = std::atan((1 - f) * std::tan(b.latitude * pi / 180));
  const double dl = (b.longitude - a.longitude) * pi / 180;
  const double t = std::atan2(std::sin(dl) * std::cos(b2),
                              std::cos(b1) * std::sin(b2) - std::sin(b1) * std::cos(b2) * std::cos(dl));
  return std::fmod(t * 180 / pi + 360, 360);
}

TEST_F(Panels, RangeAndBearingFromTwoClicks) {
  showAndDraw();
  auto* label = window->findChild<QLabel*>("measureLabel");
  struct Case {
    GoToTarget view;
    QPoint from, to;
  } cases[] = {
      {{47.27, -122.40, 50000}, {200, 200}, {600, 450}},   // a harbour, a few miles
      {{30.0, 119.0, 2000000}, {100, 600}, {750, 80}},     // the China coast, some hundred miles
      {{-33.8, 151.3, 36978668}, {60, 300}, {800, 500}},   // the Tasman Sea, thousands of miles
  };
  action("actionMeasure")->trigger();
  EXPECT_TRUE(action("actionMeasure")->isChecked());
  for (const Case& c : cases) {
    window->chart()->goTo(c.view);
    press(*window, c.from), release(*window, c.from);
    EXPECT_EQ(window->chart()->rangeBearing().ends(), 1);
    EXPECT_EQ(label->text(), QString::fromUtf8("测距：请点击终点"));
    press(*window, c.to), release(*window, c.to);
    ASSERT_TRUE(window->chart()->rangeBearing().hasResult());
    const GeoPoint a = geoAt(c.from), b = geoAt(c.to);
    const double metres = lambertMetres(a, b), bearing = sphereBearing(a, b);
    const RangeBearing& r = window->chart()->rangeBearing().result();
    EXPECT_NEAR(r.metres, metres, metres * 0.001) << c.view.latitude;
    EXPECT_NEAR(r.bearing, bearing, 360 * 0.001) << c.view.latitude;
    // The status bar has both, in nautical miles and metres.
    const QString text = label->text();
    EXPECT_TRUE(text.contains(QString::number(r.metres / 1852, 'f', 3) + QString::fromUtf8(" 海里"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QString::fromUtf8("真方位 "))) << qPrintable(text);
    EXPECT_TRUE(label->isVisible());
  }
  // The line and its label are drawn over the chart.
  window->chart()->goTo(cases[0].view);
  press(*window, cases[0].from), release(*window, cases[0].from);
  press(*window, cases[0].to), release(*window, cases[0].to);
  const QImage shot = window->grab().toImage();
  const QPoint middle = (cases[0].from + cases[0].to) / 2;
  const QColor onLine = shot.pixelColor(middle + QPoint(-100, -62));  // a quarter of the way
  EXPECT_TRUE(onLine.red() > 180 && onLine.green() < 110 && onLine.blue() < 90) << qPrintable(onLine.name());
  // A drag still pans and measures nothing.
  press(*window, {300, 300}), release(*window, {400, 380});
  EXPECT_TRUE(window->chart()->rangeBearing().hasResult());
  // Leaving the mode forgets the measurement.
  action("actionMeasure")->trigger();
  EXPECT_FALSE(window->chart()->rangeBearing().active());
  EXPECT_EQ(window->chart()->rangeBearing().ends(), 0);
  EXPECT_FALSE(label->isVisible());
}

// A click on a depth area of US5WA22M (1.8 to 3.6 m, about a kilometre
// across, north of Point Defiance) lists it among the objects there; chosen,
// it is described in metres and its outline is marked on the chart. The
// screenshot is kept in build/test-artifacts/window-object-selection.png.
TEST_F(Panels, AClickOnADepthAreaListsItWithItsDepthsAndMarksIt) {
  const fs::path source = kShared / "US5WA22M";
  if (!fs::exists(source / "US5WA22M.000")) GTEST_SKIP() << "the shared cells are not in " << kShared;
  fs::create_directory("s57000");
  for (const char* ext : {".000", ".001", ".002", ".003", ".004"})
    fs::copy_file(source / ("US5WA22M" + std::string(ext)), fs::path("s57000") / ("US5WA22M" + std::string(ext)));
  showAndDraw();
  window->startLoading("s57000");
  ASSERT_TRUE(waitForLoading(window->loader()));
  window->chart()->goTo({47.3119, -122.4376, 15000});
  window->repaint();
  const QImage before = window->grab().toImage();

  action("action_12")->trigger();  // 英文显示: the names in English
  action("action_17")->trigger();
  const QPointF inside = pixelOf(geoToChart(GeoPoint{47.307, -122.4405}));
  press(*window, inside.toPoint()), release(*window, inside.toPoint());
  ObjectPanel* panel = window->objectPanel();
  QTreeWidget* list = panel->objectList();
  int row = -1;
  for (int i = 0; i < list->topLevelItemCount(); ++i)
    if (list->topLevelItem(i)->text(ObjectPanel::ObjectColumn) == "Depth area (DEPARE)") row = i;
  ASSERT_GE(row, 0) << "no depth area among " << list->topLevelItemCount() << " objects";
  EXPECT_EQ(list->topLevelItem(row)->text(ObjectPanel::CellColumn), "US5WA22M.000");
  list->setCurrentItem(list->topLevelItem(row));
  const PickedObject* chosen = panel->chosen();
  ASSERT_NE(chosen, nullptr);
  ASSERT_EQ(chosen->feature->objectClass, 42);
  const QString text = panel->attributeView()->toPlainText();
  for (const char* expected : {"Depth area (DEPARE)", "Depth range value 1 (DRVAL1)\n1.8 m",
                               "Depth range value 2 (DRVAL2)\n3.6 m"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << qPrintable(text);

  // The mark lies on the outline: at the outline's vertices in the chart
  // (clear of the panel) the highlight colour shows now, and did not
  // before selection.
  window->repaint();
  const QImage after = window->grab().toImage();
  const auto marked = [](const QImage& image, QPoint at) {
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx)
        if (image.pixel(at + QPoint(dx, dy)) == HIGHLIGHT_COLOUR.rgb()) return true;
    return false;
  };
  const auto& area = static_cast<const AreaFeature&>(*chosen->feature);
  const int top = window->menuBar()->geometry().bottom() + 5, bottom = window->statusBar()->y() - 5;
  const QRect clear(5, top, panel->x() - 10, bottom - top);
  int vertices = 0, markedAfter = 0, markedBefore = 0;
  for (const ChartVertex& v : area.exteriorVertices) {
    const QPoint at = pixelOf(v.point).toPoint();
    if (!clear.contains(at)) continue;
    ++vertices;
    markedAfter += marked(after, at);
    markedBefore += marked(before, at);
  }
  ASSERT_GT(vertices, 10);
  EXPECT_GE(markedAfter, vertices * 9 / 10);
  EXPECT_EQ(markedBefore, 0);
  const fs::path artifacts = fs::path(CHART_BINARY_DIR) / "test-artifacts";
  fs::create_directories(artifacts);
  EXPECT_TRUE(window->grab().save(QString::fromStdString((artifacts / "window-object-selection.png").string())));

  // Selection off: the mark goes.
  action("action_17")->trigger();
  window->repaint();
  const QImage off = window->grab().toImage();
  int markedOff = 0;
  for (const ChartVertex& v : area.exteriorVertices) {
    const QPoint at = pixelOf(v.point).toPoint();
    if (clear.contains(at)) markedOff += marked(off, at);
  }
  EXPECT_EQ(markedOff, 0);
}

// Under 中文显示, the window's start value, the panel names the objects and
// their attributes in Chinese with their S-57 acronyms, enumerated values
// in Chinese with their codes; 英文显示 tells the same choice in English. At
// Hylebos Waterway Lighted Buoy 1 of US5WA22M, over a depth area. The
// screenshot is kept in build/test-artifacts/window-object-panel-chinese.png.
TEST_F(Panels, TheObjectPanelSpeaksTheChartsLanguage) {
  const fs::path source = kShared / "US5WA22M";
  if (!fs::exists(source / "US5WA22M.000")) GTEST_SKIP() << "the shared cells are not in " << kShared;
  if (presentationLibrary().chineseNames.empty()) GTEST_SKIP() << "the library has no Chinese names";
  fs::create_directory("s57000");
  for (const char* ext : {".000", ".001", ".002", ".003", ".004"})
    fs::copy_file(source / ("US5WA22M" + std::string(ext)), fs::path("s57000") / ("US5WA22M" + std::string(ext)));
  showAndDraw();
  window->startLoading("s57000");
  ASSERT_TRUE(waitForLoading(window->loader()));
  window->chart()->goTo({47.2845, -122.405, 12000});
  action("action_17")->trigger();
  const QPoint buoy = pixelOf(geoToChart(GeoPoint{47.2872345, -122.4127682})).toPoint();
  press(*window, buoy), release(*window, buoy);
  ObjectPanel* panel = window->objectPanel();
  QTreeWidget* list = panel->objectList();
  const auto rowOf = [list](const char* title) {
    for (int i = 0; i < list->topLevelItemCount(); ++i)
      if (list->topLevelItem(i)->text(ObjectPanel::ObjectColumn) == QString::fromUtf8(title)) return i;
    return -1;
  };
  ASSERT_EQ(rowOf("侧面浮标 (BOYLAT)"), 0) << "not first among " << list->topLevelItemCount() << " objects";
  const int depthArea = rowOf("水深区 (DEPARE)");
  ASSERT_GT(depthArea, 0);
  const QString chinese = panel->attributeView()->toPlainText();
  for (const char* expected : {"侧面浮标 (BOYLAT)", "浮标形状 (BOYSHP)\n柱形 (4)", "侧面标志类别 (CATLAM)\n左侧标 (1)",
                               "颜色 (COLOUR)\n绿 (4)", "状态 (STATUS)\n永久 (1)"})
    EXPECT_TRUE(chinese.contains(QString::fromUtf8(expected))) << expected << "\n" << qPrintable(chinese);
  EXPECT_FALSE(chinese.contains(QStringLiteral("Colour"))) << qPrintable(chinese);
  const fs::path artifacts = fs::path(CHART_BINARY_DIR) / "test-artifacts";
  fs::create_directories(artifacts);
  window->repaint();
  EXPECT_TRUE(window->grab().save(QString::fromStdString((artifacts / "window-object-panel-chinese.png").string())));
  list->setCurrentItem(list->topLevelItem(depthArea));
  EXPECT_TRUE(panel->attributeView()->toPlainText().contains(QString::fromUtf8("最小水深 (DRVAL1)\n")))
      << qPrintable(panel->attributeView()->toPlainText());
  EXPECT_TRUE(panel->attributeView()->toPlainText().contains(QString::fromUtf8(" 米\n")));

  // 英文显示: the same list and choice, in English; and back.
  list->setCurrentItem(list->topLevelItem(0));
  action("action_12")->trigger();
  EXPECT_EQ(rowOf("Buoy, lateral (BOYLAT)"), 0);
  EXPECT_EQ(rowOf("Depth area (DEPARE)"), depthArea);
  ASSERT_EQ(panel->chosen(), &panel->objects()[0]);
  const QString english = panel->attributeView()->toPlainText();
  for (const char* expected : {"Buoy shape (BOYSHP)\npillar", "Colour (COLOUR)\ngreen"})
    EXPECT_TRUE(english.contains(QString::fromUtf8(expected))) << expected << "\n" << qPrintable(english);
  action("action_11")->trigger();
  EXPECT_EQ(rowOf("侧面浮标 (BOYLAT)"), 0);
  EXPECT_EQ(panel->attributeView()->toPlainText(), chinese);
}

TEST_F(Panels, CellNamesAtSmallScalesDoNotPileUp) {
  if (!fs::exists(kShared / "s58")) GTEST_SKIP() << "the shared cells are not in " << kShared;
  fs::create_directory("s57000");
  for (const auto& entry : fs::directory_iterator(kShared / "s58"))
    if (entry.path().extension() == ".000") fs::copy_file(entry.path(), fs::path("s57000") / entry.path().filename());
  showAndDraw();
  window->startLoading("s57000");
  ASSERT_TRUE(waitForLoading(window->loader()));
  // Zoomed right out over the IHO test cells south of Madagascar, their
  // frames fall on a few pixels.
  window->chart()->goTo({-32.45, 61.1, kMaximumViewScale});
  window->repaint();
  const std::size_t framed = window->chart()->view().candidates.size();
  ASSERT_GT(framed, 5u);
  EXPECT_LT(window->chart()->view().cellNameBoxes.boxes.size(), framed);
  // Every name placed is free of the others.
  const auto& boxes = window->chart()->view().cellNameBoxes.boxes;
  for (std::size_t i = 0; i < boxes.size(); ++i)
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      const bool overlap = boxes[i].bottom - boxes[j].top >= 100 && boxes[i].top - boxes[j].bottom <= -100 &&
                           boxes[i].right - boxes[j].left >= 100 && boxes[i].left - boxes[j].right <= -100;
      EXPECT_FALSE(overlap) << i << " " << j;
    }
}

// The base map's land shows in a muted tone (halfway between LANDA and
// NODTA) where no cell lies, its sea as no data (NODTA hatched with
// NODATA03), never as the water colour of a depth.
TEST_F(Panels, TheWorldBaseMapShowsLandUnderNoCellAndTurnsOff) {
  ASSERT_FALSE(worldBaseMap().empty()) << "worldland.bin is missing: run scripts/build-basemap.sh";
  showAndDraw();
  EXPECT_TRUE(action("actionWorldBaseMap")->isChecked());
  // Central Australia and the Coral Sea, where no test cell lies.
  window->chart()->goTo({-23.0, 140.0, 20000000});
  window->repaint();
  auto colour = [](const char* token) { return colourOf(*displaySettings().colourTable, colourIndex(token)); };
  auto pixelAt = [&](GeoPoint g) {
    return window->grab().toImage().pixelColor(pixelOf(geoToChart(g)).toPoint());
  };
  // Most of the 15 x 15 pixels round a position in NODTA, none in DEPDW
  // (unless the table gives both one colour, as the night table does: the
  // pattern tells them apart).
  auto noDataAt = [&](GeoPoint g) {
    const QImage image = window->grab().toImage();
    const QPoint centre = pixelOf(geoToChart(g)).toPoint();
    int noData = 0, deep = 0;
    for (int y = -7; y <= 7; ++y)
      for (int x = -7; x <= 7; ++x) {
        const QColor c = image.pixelColor(centre + QPoint(x, y));
        noData += c == colour("NODTA");
        deep += c == colour("DEPDW") && colour("DEPDW") != colour("NODTA");
      }
    return noData > 112 && deep == 0;
  };
  const QColor land = mutedLandColour(*displaySettings().colourTable);
  EXPECT_NE(land, colour("LANDA"));
  EXPECT_EQ(pixelAt({-25.0, 134.0}), land);  // Alice Springs country
  EXPECT_TRUE(noDataAt({-18.0, 153.0}));     // the Coral Sea
  // The night table has its own land and no-data colours.
  action("action_19")->trigger();
  EXPECT_EQ(pixelAt({-25.0, 134.0}), mutedLandColour(*displaySettings().colourTable));
  EXPECT_NE(mutedLandColour(*displaySettings().colourTable), land);
  EXPECT_TRUE(noDataAt({-18.0, 153.0}));
  action("action_18")->trigger();
  // Off: no land is painted there, all is no data.
  action("actionWorldBaseMap")->trigger();
  EXPECT_FALSE(displaySettings().showWorldBaseMap);
  EXPECT_FALSE(action("actionWorldBaseMap")->isChecked());
  EXPECT_NE(pixelAt({-25.0, 134.0}), land);
  EXPECT_TRUE(noDataAt({-25.0, 134.0}));
  EXPECT_TRUE(noDataAt({-18.0, 153.0}));
}

// A cell not produced by an official hydrographic office (AGEN 65535) is
// named so in the cell list (its row in magenta) and in the object panel,
// for every object picked in it.
TEST_F(Panels, NonOfficialDataIsNamedInTheCellListAndTheObjectPanel) {
  fs::create_directory("s57000");
  fixtures::writeCell(fixtures::smallCell("OFFICIAL.000", 0.1), "s57000", "OFFICIAL.000");
  fixtures::writeCell(fixtures::smallCell("UNOFFICL.000", 0.1, 20000, 65535), "s57000", "UNOFFICL.000");
  showAndDraw();
  window->startLoading("s57000");
  ASSERT_TRUE(waitForLoading(window->loader()));
  QTreeWidget* tree = window->cellListPanel()->tree();
  QTreeWidgetItem* unofficial = row(tree, "UNOFFICL.000");
  QTreeWidgetItem* official = row(tree, "OFFICIAL.000");
  ASSERT_NE(unofficial, nullptr);
  ASSERT_NE(official, nullptr);
  const QString named = QString::fromUtf8("非官方数据：生产者不是官方海道测量机构（AGEN 65535）");
  EXPECT_EQ(unofficial->text(CellListPanel::WarningColumn), named);
  EXPECT_TRUE(unofficial->toolTip(CellListPanel::WarningColumn).contains("not an official hydrographic office"));
  EXPECT_NE(unofficial->foreground(CellListPanel::NameColumn).color(), official->foreground(CellListPanel::NameColumn).color());
  EXPECT_TRUE(official->text(CellListPanel::WarningColumn).isEmpty());

  // Both cells cover the same square: a click lists objects of each.
  window->chart()->goTo({47.02, -121.98, 20000});
  window->repaint();
  action("action_17")->trigger();  // 选择对象
  const QPoint at = pixelOf(geoToChart(GeoPoint{47.02, -121.98})).toPoint();
  press(*window, at), release(*window, at);
  ObjectPanel* panel = window->objectPanel();
  QTreeWidget* list = panel->objectList();
  int fromUnofficial = 0, fromOfficial = 0;
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    const QString cell = list->topLevelItem(i)->text(ObjectPanel::CellColumn);
    list->setCurrentItem(list->topLevelItem(i));
    const bool marked = panel->attributeView()->toPlainText().contains(named);
    if (cell == QString::fromUtf8("UNOFFICL.000（非官方）")) {
      ++fromUnofficial;
      EXPECT_TRUE(marked) << qPrintable(panel->attributeView()->toPlainText());
    } else {
      EXPECT_EQ(cell, "OFFICIAL.000");
      ++fromOfficial;
      EXPECT_FALSE(marked);
    }
  }
  EXPECT_GT(fromUnofficial, 0);
  EXPECT_GT(fromOfficial, 0);
}

}  // namespace

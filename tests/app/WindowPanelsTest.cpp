// What the window shows beside the chart and over it: the cell list, range
// and bearing, object selection, cell names at small scales and the world
// base map.
#include <QAction>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTextBrowser>
#include <QThreadPool>
#include <QTreeWidget>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "CatalogueWriter.h"
#include "CellListPanel.h"
#include "CellFixtures.h"
#include "ChineseText.h"
#include "ColourPens.h"
#include "ColourToken.h"
#include "DemoCell.h"
#include "FilePermissions.h"
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
  const CellSnapshot cells = engine().cells().snapshot();
  ASSERT_EQ(window->cellListPanel()->loadedCount(), static_cast<int>(cells->size()));
  for (std::size_t i = 0; i < cells->size(); ++i)
    EXPECT_EQ(tree->topLevelItem(static_cast<int>(i))->text(0), QString::fromStdString((*cells)[i]->name));
  QTreeWidgetItem* us = row(tree, "US5WA22M.000");
  ASSERT_NE(us, nullptr);
  EXPECT_EQ(us->text(CellListPanel::ScaleColumn), "1:15,000");
  QTreeWidgetItem* broken = row(tree, "BROKEN.000");
  ASSERT_NE(broken, nullptr);
  EXPECT_EQ(broken->text(CellListPanel::WarningColumn), QString::fromUtf8("未加载：不是S-57海图文件"));
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
                       updateStoppedWarning("WARNED01.004", UpdateResult::Gap, "update 3 is absent")};
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
  // A failure listed twice shows once, after the loaded cells, in plain
  // words with the technical reason in its tool tip; a finding beside it.
  const LoadFinding failure{"BAD.000", QString::fromUtf8("不是S-57海图文件"), QString::fromUtf8("文件不足25字节"), true};
  const LoadFinding finding{"CATALOG.031", QString::fromUtf8("目录所列的文件A.000不存在"), "lists A.000, which is absent",
                            false};
  panel.addFindings({failure, failure, finding});
  ASSERT_EQ(panel.tree()->topLevelItemCount(), 3);
  EXPECT_EQ(panel.findingCount(), 2);
  const QTreeWidgetItem* bad = panel.tree()->topLevelItem(1);
  EXPECT_EQ(bad->text(CellListPanel::NameColumn), "BAD.000");
  EXPECT_EQ(bad->text(CellListPanel::WarningColumn), QString::fromUtf8("未加载：不是S-57海图文件"));
  EXPECT_TRUE(bad->toolTip(CellListPanel::WarningColumn).contains(QString::fromUtf8("文件不足25字节")));
  EXPECT_EQ(panel.tree()->topLevelItem(2)->text(CellListPanel::WarningColumn), finding.text);
  EXPECT_NE(bad->foreground(0).color(), panel.tree()->topLevelItem(2)->foreground(0).color());
  // A compilation scale the cell does not give reads "—".
  S57Cell unknown;
  unknown.name = "NOSCALE1.000";
  panel.addCells({&cell, &unknown});
  EXPECT_EQ(panel.tree()->topLevelItem(1)->text(CellListPanel::ScaleColumn), QString::fromUtf8("—"));
  // The failed files and findings can be cleared; the cells stay.
  panel.findChild<QAction*>("clearFindings")->trigger();
  EXPECT_EQ(panel.findingCount(), 0);
  EXPECT_EQ(panel.tree()->topLevelItemCount(), 2);
}

// Every kind of loading warning reads in Chinese and begins with the file
// or catalogue it is about; an update code the window does not know keeps
// its number.
TEST(CellListText, EveryLoadWarningHasAChineseLine) {
  const struct {
    LoadWarning warning;
    const char* begins;
  } cases[] = {
      {updateStoppedWarning("A.002", UpdateResult::RecordMissing, "feature 7"), "A.002："},
      {updateStoppedWarning("A.002", static_cast<UpdateResult>(99), "?"), "A.002："},
      {crcMismatchWarning("A.000", "E/CATALOG.031", "1", "2"), "A.000："},
      {crcUnreadableWarning("A.000", "E/CATALOG.031"), "A.000："},
      {notInCatalogueWarning("A.001", "E/CATALOG.031"), "A.001："},
      {listedButAbsentWarning("E/CATALOG.031", "B\\B.000"), "E/CATALOG.031："},
      {catalogueUnreadableWarning("E/CATALOG.031", ReaderResult::FileTooShort), "E/CATALOG.031："},
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
    press(*window->chart(), c.from), release(*window->chart(), c.from);
    EXPECT_EQ(window->chart()->rangeBearing().ends(), 1);
    EXPECT_EQ(label->text(), QString::fromUtf8("测距：请点击终点"));
    press(*window->chart(), c.to), release(*window->chart(), c.to);
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
  press(*window->chart(), cases[0].from), release(*window->chart(), cases[0].from);
  press(*window->chart(), cases[0].to), release(*window->chart(), cases[0].to);
  const QImage shot = window->chart()->grab().toImage();
  const QPoint middle = (cases[0].from + cases[0].to) / 2;
  const QColor onLine = shot.pixelColor(middle + QPoint(-100, -62));  // a quarter of the way
  EXPECT_TRUE(onLine.red() > 180 && onLine.green() < 110 && onLine.blue() < 90) << qPrintable(onLine.name());
  // A drag still pans and measures nothing.
  press(*window->chart(), {300, 300}), release(*window->chart(), {400, 380});
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
  action("action_12")->trigger();  // 英文显示: the names in English
  action("action_17")->trigger();
  QApplication::processEvents();  // the panel takes its room
  window->chart()->goTo({47.3119, -122.4376, 15000});
  window->repaint();
  const QImage before = window->chart()->grab().toImage();

  const QPointF inside = pixelOf(geoToChart(GeoPoint{47.307, -122.4405}));
  press(*window->chart(), inside.toPoint()), release(*window->chart(), inside.toPoint());
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
  // (clear of the position box) the highlight colour shows now, and did not
  // before the click.
  window->repaint();
  const QImage after = window->chart()->grab().toImage();
  const auto marked = [](const QImage& image, QPoint at) {
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx)
        if (image.pixel(at + QPoint(dx, dy)) == HIGHLIGHT_COLOUR.rgb()) return true;
    return false;
  };
  const auto& area = static_cast<const AreaFeature&>(*chosen->feature);
  const QRect clear(5, 5, window->chart()->width() - 10, window->chart()->height() - 50);
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
  const QImage off = window->chart()->grab().toImage();
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
  if (engine().library().chineseNames.empty()) GTEST_SKIP() << "the library has no Chinese names";
  fs::create_directory("s57000");
  for (const char* ext : {".000", ".001", ".002", ".003", ".004"})
    fs::copy_file(source / ("US5WA22M" + std::string(ext)), fs::path("s57000") / ("US5WA22M" + std::string(ext)));
  showAndDraw();
  window->startLoading("s57000");
  ASSERT_TRUE(waitForLoading(window->loader()));
  action("action_17")->trigger();
  QApplication::processEvents();  // the panel takes its room
  window->chart()->goTo({47.2845, -122.405, 12000});
  window->repaint();
  const QPoint buoy = pixelOf(geoToChart(GeoPoint{47.2872345, -122.4127682})).toPoint();
  press(*window->chart(), buoy), release(*window->chart(), buoy);
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
  // The cell names placed (the texts of no feature).
  std::vector<TextBox> boxes;
  for (const PlacedText& p : window->chart()->view().buffers.texts.placed())
    if (!p.feature) boxes.push_back(p.box);
  EXPECT_LT(boxes.size(), framed);
  // Every name placed is free of the others.
  for (std::size_t i = 0; i < boxes.size(); ++i)
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      const bool overlap = boxesCollide(boxes[i], boxes[j]);
      EXPECT_FALSE(overlap) << i << " " << j;
    }
}

// The base map's land shows in a muted tone (halfway between LANDA and
// NODTA) where no cell lies, its sea as no data (NODTA hatched with
// NODATA03), never as the water colour of a depth.
TEST_F(Panels, TheWorldBaseMapShowsLandUnderNoCellAndTurnsOff) {
  ASSERT_FALSE(engine().worldBaseMap().empty()) << "worldland.bin is missing: run scripts/build-basemap.sh";
  showAndDraw();
  EXPECT_TRUE(action("actionWorldBaseMap")->isChecked());
  // Central Australia and the Coral Sea, where no test cell lies.
  window->chart()->goTo({-23.0, 140.0, 20000000});
  window->repaint();
  auto colour = [this](const char* token) {
    return colourOf(*window->displaySettings().colourTable, colourIndex(token));
  };
  auto pixelAt = [&](GeoPoint g) {
    return window->chart()->grab().toImage().pixelColor(pixelOf(geoToChart(g)).toPoint());
  };
  // Most of the 15 x 15 pixels round a position in NODTA, none in DEPDW
  // (unless the table gives both one colour, as the night table does: the
  // pattern tells them apart).
  auto noDataAt = [&](GeoPoint g) {
    const QImage image = window->chart()->grab().toImage();
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
  const QColor land = mutedLandColour(*window->displaySettings().colourTable);
  EXPECT_NE(land, colour("LANDA"));
  EXPECT_EQ(pixelAt({-25.0, 134.0}), land);  // Alice Springs country
  EXPECT_TRUE(noDataAt({-18.0, 153.0}));     // the Coral Sea
  // The night table has its own land and no-data colours.
  action("action_19")->trigger();
  EXPECT_EQ(pixelAt({-25.0, 134.0}), mutedLandColour(*window->displaySettings().colourTable));
  EXPECT_NE(mutedLandColour(*window->displaySettings().colourTable), land);
  EXPECT_TRUE(noDataAt({-18.0, 153.0}));
  action("action_18")->trigger();
  // Across the 180th meridian: no band of land along Fiji's latitudes, no
  // slabs over the Bering and Chukchi Seas, the land where it is.
  window->chart()->goTo({-17.0, 179.5, 5000000});
  window->repaint();
  EXPECT_TRUE(noDataAt({-16.5, 176.0}));
  EXPECT_TRUE(noDataAt({-16.5, 184.0}));  // 176 W, in the copy of the world in view
  window->chart()->goTo({66.0, -179.9, 10000000});
  window->repaint();
  for (const GeoPoint sea : {GeoPoint{69.0, -173.0}, GeoPoint{68.0, -170.0}, GeoPoint{63.5, -178.0}})
    EXPECT_TRUE(noDataAt(sea)) << sea.latitude << " " << sea.longitude;
  EXPECT_EQ(pixelAt({66.0, 175.0 - 360.0}), land);  // Chukotka, west of 180
  EXPECT_EQ(pixelAt({67.5, -178.0}), land);
  window->chart()->goTo({-23.0, 140.0, 20000000});
  window->repaint();
  // Off: no land is painted there, all is no data.
  action("actionWorldBaseMap")->trigger();
  EXPECT_FALSE(window->displaySettings().showWorldBaseMap);
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
  press(*window->chart(), at), release(*window->chart(), at);
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

namespace {

// The docked panels take their room beside the chart, and the chart's
// centre is the centre of what is visible: go to puts the position there,
// and the loading notice lies whole inside the chart. The status bar and the
// panels' title bars are the window's own, in every colour table: no chart
// shows through them, and a click on the status bar neither pans nor picks.
TEST_F(Panels, DockedPanelsTakeTheirRoomBesideTheChartAndTheBarsAreOpaque) {
  showAndDraw();
  action("actionCellList")->trigger();
  action("action_17")->trigger();  // 选择对象: the object panel
  QApplication::processEvents();
  ChartWidget* chart = window->chart();
  const QRect chartArea = chart->geometry();
  for (const QDockWidget* panel : {static_cast<QDockWidget*>(window->cellListPanel()),
                                   static_cast<QDockWidget*>(window->objectPanel())}) {
    ASSERT_TRUE(panel->isVisible()) << qPrintable(panel->objectName());
    EXPECT_FALSE(panel->geometry().intersects(chartArea)) << qPrintable(panel->objectName());
    EXPECT_GE(panel->geometry().left(), chartArea.right()) << qPrintable(panel->objectName());
  }
  EXPECT_FALSE(window->statusBar()->geometry().intersects(chartArea));
  EXPECT_GT(window->menuBar()->geometry().bottom(), 0);
  EXPECT_GT(chartArea.top(), window->menuBar()->geometry().bottom());

  const GoToTarget target{47.2715, -122.4005, 12000};
  chart->goTo(target);
  const QPointF at = pixelOf(geoToChart({target.latitude, target.longitude}));
  EXPECT_LT(std::hypot(at.x() - chart->width() / 2.0, at.y() - chart->height() / 2.0), 1.0);
  auto* notice = window->findChild<QFrame*>("formFrame");
  EXPECT_TRUE(chart->rect().contains(notice->geometry()));

  // A press, drag and release on the status bar: the chart stays, nothing is picked.
  const ChartPoint centre = chart->view().centre;
  QStatusBar* bar = window->statusBar();
  QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, QPoint(40, bar->height() / 2));
  QTest::mouseMove(bar, QPoint(200, bar->height() / 2));
  QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, QPoint(200, bar->height() / 2));
  EXPECT_EQ(chart->view().centre.x, centre.x);
  EXPECT_EQ(chart->view().centre.y, centre.y);
  EXPECT_FALSE(chart->dragging());

  // Busy chart under every bar: the demo harbour at a detailed scale.
  std::filesystem::create_directory("s57000");
  ASSERT_FALSE(demo::writeDemoCell("s57000").empty());
  window->openCell("s57000/" + QString::fromLatin1(demo::kCellName));
  for (const char* table : {"action_18", "action_19", "action_20", "action_22"}) {
    action(table)->trigger();
    window->repaint();
    QApplication::processEvents();
    const QImage shot = window->grab().toImage();
    const QColor window_ = window->palette().color(QPalette::Window);
    // The status bar's free stretch (left of the scale) and the right half
    // of each panel's title bar hold the window's colour alone.
    const QRect free(bar->x() + 4, bar->y() + 3, bar->width() / 3, bar->height() - 6);
    std::vector<QRect> plain = {free};
    for (const QDockWidget* panel : {static_cast<QDockWidget*>(window->cellListPanel()),
                                     static_cast<QDockWidget*>(window->objectPanel())}) {
      const QRect g = panel->geometry();
      plain.push_back(QRect(g.left() + g.width() / 2, g.top() + 3, g.width() / 2 - 40, 10));
    }
    for (const QRect& r : plain) {
      int other = 0;
      for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) other += shot.pixelColor(x, y) != window_;
      EXPECT_EQ(other, 0) << table << " at " << r.x() << "," << r.y();
    }
  }
}

}  // namespace

namespace {

// Where the cell list has a row naming `name` whose reason contains `text`.
bool hasRow(const QTreeWidget* tree, const QString& name, const QString& text) {
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* row = tree->topLevelItem(i);
    if (row->text(CellListPanel::NameColumn).endsWith(name) && row->text(CellListPanel::WarningColumn).contains(text))
      return true;
  }
  return false;
}

// 批量导入 says what it found and why nothing loaded, in the status bar and
// in the cell list (opened to show it), in Chinese: a folder that cannot be
// read, one without a cell, a folder below that cannot be read, and the
// findings that belong to no cell (a catalogue that cannot be read, a file
// a catalogue lists that is absent, a cell found twice). Permission bits
// bind the test as they bind any user, root too.
TEST_F(Panels, BatchImportSaysWhatItFoundAndWhyNothingLoaded) {
  showAndDraw();
  fixtures::TempDirectory dir;
  const fs::path root(dir.path);
  for (const char* folder : {"locked", "empty", "mixed/open", "mixed/shut", "set/ENC_ROOT/copy", "listed/ENC_ROOT", "alone"})
    fs::create_directories(root / folder);
  std::ofstream(root / "alone/LONELY01.001") << "an update whose cell is elsewhere";
  fixtures::writeCell(fixtures::smallCell("LOCKED01.000"), (root / "locked").string(), "LOCKED01.000");
  std::ofstream(root / "empty/README.TXT") << "no cells here";
  fixtures::writeCell(fixtures::smallCell("MIXOPEN1.000", 0.1, 20000, 550, 40.0, 10.0), (root / "mixed/open").string(),
                      "MIXOPEN1.000");
  fixtures::writeCell(fixtures::smallCell("MIXSHUT1.000"), (root / "mixed/shut").string(), "MIXSHUT1.000");
  const fs::path set = root / "set/ENC_ROOT";
  fixtures::writeCell(fixtures::smallCell("SETCELL1.000", 0.1, 20000, 550, 41.0, 11.0), set.string(), "SETCELL1.000");
  fixtures::writeCell(fixtures::smallCell("SETCELL1.000", 0.1, 20000, 550, 41.0, 11.0), (set / "copy").string(),
                      "SETCELL1.000");
  std::ofstream(set / "CATALOG.031") << "not a catalogue";
  const fs::path listed = root / "listed/ENC_ROOT";
  fixtures::writeCell(fixtures::smallCell("LISTED01.000", 0.1, 20000, 550, 42.0, 12.0), listed.string(), "LISTED01.000");
  std::ofstream(listed / "CATALOG.031", std::ios::binary)
      << s57write::catalogueImage({{"CATALOG.031", ""}, {"LISTED01.000", ""}, {"GONE0001.000", ""}});

  testsupport::FilePermissionsBind permissions;
  ASSERT_TRUE(permissions.binding());
  QThreadPool::globalInstance()->waitForDone();  // the loader's threads start afresh, bound too
  fs::permissions(root / "locked", fs::perms::none);
  fs::permissions(root / "mixed/shut", fs::perms::none);

  const QString folderOf = QString::fromStdString(root.string());
  const struct {
    const char* folder;
    const char* status;
    std::vector<std::pair<const char*, const char*>> rows;  // name (its end), reason (a part)
  } cases[] = {
      {"locked", "批量导入：文件夹“%1/locked”无法读取（权限不足），未加载任何海图",
       {{"locked", "文件夹无法读取（权限不足），其中的海图未加载"}}},
      {"empty", "批量导入：文件夹“%1/empty”中没有S-57海图文件（*.000），未加载任何海图",
       {{"empty", "文件夹中没有S-57海图文件（*.000）"}}},
      {"mixed", "批量导入：加载1幅海图，1个文件夹无法读取，见海图列表",
       {{"mixed/shut", "文件夹无法读取（权限不足），其中的海图未加载"}}},
      {"set", "批量导入：加载1幅海图，2条提示，见海图列表",
       {{"CATALOG.031", "目录文件无法读取"}, {"copy/SETCELL1.000", "是同一海图，只读取一次"}}},
      {"listed", "批量导入：加载1幅海图，1条提示，见海图列表", {{"CATALOG.031", "目录所列的文件GONE0001.000不存在"}}},
      {"alone", "批量导入：文件夹“%1/alone”中没有S-57海图文件（*.000），未加载任何海图",
       {{"LONELY01.001", "1个更新文件没有同名的基础海图（*.000），未应用"}}},
  };
  QTreeWidget* tree = window->cellListPanel()->tree();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    window->cellListPanel()->hide();
    ASSERT_TRUE(window->importDirectory(folderOf + "/" + c.folder));
    ASSERT_TRUE(waitForLoading(window->loader()));
    EXPECT_EQ(window->statusBar()->currentMessage(), QString::fromUtf8(c.status).arg(folderOf));
    EXPECT_TRUE(window->cellListPanel()->isVisible());
    for (const auto& [name, reason] : c.rows)
      EXPECT_TRUE(hasRow(tree, QString::fromUtf8(name), QString::fromUtf8(reason))) << name << " " << reason;
  }
  fs::permissions(root / "locked", fs::perms::owner_all);
  fs::permissions(root / "mixed/shut", fs::perms::owner_all);
  EXPECT_FALSE(engine().cells().contains("LOCKED01.000"));
  EXPECT_FALSE(engine().cells().contains("MIXSHUT1.000"));
  EXPECT_TRUE(engine().cells().contains("MIXOPEN1.000"));
}

}  // namespace

namespace {

// The cell list opens wide enough for each cell's name, scale and edition
// with its updates: nothing of them is cut or needs scrolling.
TEST_F(Panels, TheCellListShowsNameScaleAndEditionWhole) {
  const fs::path source = kShared / "US5WA22M";
  if (!fs::exists(source / "US5WA22M.000")) GTEST_SKIP() << "the shared cells are not in " << kShared;
  fs::create_directory("s57000");
  for (const char* ext : {".000", ".001", ".002", ".003", ".004"})
    fs::copy_file(source / ("US5WA22M" + std::string(ext)), fs::path("s57000") / ("US5WA22M" + std::string(ext)));
  showAndDraw();
  window->startLoading("s57000");
  ASSERT_TRUE(waitForLoading(window->loader()));
  action("actionCellList")->trigger();
  QApplication::processEvents();
  QTreeWidget* tree = window->cellListPanel()->tree();
  const QTreeWidgetItem* us = row(tree, "US5WA22M.000");
  ASSERT_NE(us, nullptr);
  EXPECT_EQ(us->text(CellListPanel::EditionColumn), QString::fromUtf8("第40版 更新1-4"));
  for (int column : {CellListPanel::NameColumn, CellListPanel::ScaleColumn, CellListPanel::EditionColumn}) {
    const QRect cell = tree->visualItemRect(us).intersected(
        QRect(tree->header()->sectionViewportPosition(column), 0, tree->header()->sectionSize(column), 100000));
    EXPECT_GE(tree->header()->sectionSize(column), tree->fontMetrics().horizontalAdvance(us->text(column)) + 6) << column;
    EXPECT_LE(cell.right(), tree->viewport()->width()) << column;
  }
}

}  // namespace

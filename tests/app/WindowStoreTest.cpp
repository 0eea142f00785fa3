// The chart store in the window: the start on the store's cells, 导入海图…
// through the IHO's loading tests (the base set, its updates, a
// cancellation, corrupt files), the outcome list in Chinese and the chart
// showing the store's cells as they are after each import.
#include <QRegularExpression>
#include <QLineEdit>
#include <QStatusBar>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "CellListPanel.h"
#include "ChangeMarks.h"
#include "MercatorProjection.h"
#include "ChartStore.h"
#include "ChartWidget.h"
#include "Portfolio.h"
#include "RouteBook.h"
#include "RouteChecker.h"
#include "StoreImporter.h"
#include "WindowFixture.h"

using namespace apptest;
namespace fs = std::filesystem;

namespace {

const std::string kS64 = CHART_SHARED_ENC "/../iho/s64/";

class WindowStore : public WindowTest {
protected:
  void SetUp() override {
    if (!fs::is_directory(kS64 + "2.1.1 Power Up")) GTEST_SKIP() << "the IHO's test data are not in " << kS64;
    WindowTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    // The engine is the program's: the cells of a test before are withdrawn.
    const CellSnapshot cells = engine().cells().snapshot();
    for (const S57Cell* cell : *cells) engine().cells().withdraw(cell->name);
    store = fs::absolute("charts");
    window->dialogs.importOutcome = [this](QWidget*, const std::vector<ImportOutcomeRow>& r) { rows = r; ++outcomes; };
  }

  // 导入海图… on an IHO set (under the S-64 folder unless `path` is absolute):
  // the outcome list, then the store's cells loaded.
  void importSet(const std::string& set) {
    const int before = outcomes;
    const std::string path = set.front() == '/' ? set : kS64 + set;
    window->dialogs.chooseImportSource = [path](QWidget*, const QString&) { return QString::fromStdString(path); };
    action("actionImportCharts")->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcomes > before; }, 60000)) << set;
    ASSERT_TRUE(waitForLoading(window->loader()));
  }

  const ImportOutcomeRow* rowOf(const QString& cell) const {
    for (const ImportOutcomeRow& r : rows)
      if (r.cell == cell) return &r;
    return nullptr;
  }

  // The cell the store calls `name` (listed by its data set name, NAME.000).
  const S57Cell* loaded(const std::string& name) const {
    const CellSnapshot cells = engine().cells().snapshot();
    for (const S57Cell* c : *cells)
      if (c->name == name + ".000") return c;
    return nullptr;
  }

  // The window started on a store of a written portfolio of `count` cells,
  // keeping at most `budget` of them loaded, after its first pass.
  void startOnPortfolio(int count, std::size_t budget) {
    const fs::path cells = fs::absolute("portfolio");
    fs::create_directories(cells);
    ASSERT_TRUE(portfolio::writePortfolio(count, cells.string()).ok);
    {
      ChartStore charts(store.string());
      ASSERT_TRUE(charts.import({cells.string()}).written);
    }
    window->setResidentCells(budget);
    showAndDraw();
    window->startStore(QString::fromStdString(store.string()));
    ASSERT_TRUE(waitForLoading(window->loader()));
    window->chart()->repaint();
  }

  QTreeWidgetItem* listRow(const QString& name) const {
    QTreeWidget* tree = window->cellListPanel()->tree();
    for (int i = 0; i < window->cellListPanel()->loadedCount(); ++i)
      if (tree->topLevelItem(i)->text(CellListPanel::NameColumn) == name + ".000") return tree->topLevelItem(i);
    return nullptr;
  }

  fs::path store;
  std::vector<ImportOutcomeRow> rows;
  int outcomes = 0;
};

TEST_F(WindowStore, BaseSetUpdatesAndCancellationReachTheChart) {
  showAndDraw();
  window->startStore(QString::fromStdString(store.string()));
  ASSERT_TRUE(waitForLoading(window->loader()));

  importSet("2.1.1 Power Up");
  ASSERT_FALSE(rows.empty());
  for (const ImportOutcomeRow& r : rows) {
    EXPECT_TRUE(r.text.startsWith(QStringLiteral("已安装"))) << r.cell.toStdString() << " " << r.text.toStdString();
    EXPECT_FALSE(r.refused);
  }
  for (const char* name : {"GB5X01SW", "GB5X01NE", "GB4X0000"}) EXPECT_NE(loaded(name), nullptr) << name;
  ASSERT_NE(listRow("GB5X01SW"), nullptr);

  importSet("2.2.2 Loading of Updates");
  const ImportOutcomeRow* sw = rowOf("GB5X01SW");
  ASSERT_NE(sw, nullptr);
  EXPECT_EQ(sw->text, QStringLiteral("已更新至第5次更新"));
  EXPECT_TRUE(sw->detail.startsWith("updated")) << sw->detail.toStdString();
  // The cell on the chart is the store's copy with its five updates, listed once.
  const S57Cell* updated = loaded("GB5X01SW");
  ASSERT_NE(updated, nullptr);
  EXPECT_EQ(updated->updatesApplied, (std::vector<int>{1, 2, 3, 4, 5}));
  ASSERT_NE(listRow("GB5X01SW"), nullptr);
  EXPECT_EQ(listRow("GB5X01SW")->text(CellListPanel::EditionColumn), QStringLiteral("第1版 更新1-5"));
  // Under it, its updates with their issue dates and the date applied.
  QTreeWidgetItem* cellRow = listRow("GB5X01SW");
  ASSERT_EQ(cellRow->childCount(), 5);
  for (int i = 0; i < 5; ++i) {
    const QTreeWidgetItem* u = cellRow->child(i);
    EXPECT_EQ(u->text(CellListPanel::NameColumn), QStringLiteral("第%1次更新").arg(i + 1));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^发布 \\d{4}-\\d{2}-\\d{2}$")).match(u->text(CellListPanel::EditionColumn)).hasMatch())
        << u->text(CellListPanel::EditionColumn).toStdString();
    EXPECT_TRUE(u->text(CellListPanel::WarningColumn).startsWith(QStringLiteral("应用于 20")));
  }
  // Choosing an update marks what it changed: CHCRID01 drawn where it
  // modified a feature, until the row is chosen again.
  int most = -1;
  ChangeMark mark;
  for (int i = 0; i < 5 && most < 0; ++i)
    for (const ChangeMark& m : changeMarks(*updated, i + 1))
      if (!m.deleted && most < 0) most = i, mark = m;
  ASSERT_GE(most, 0) << "no update of 2.2.2 inserted or modified a feature";
  const GeoPoint at = chartToGeo(mark.at);
  window->chart()->goTo(GoToTarget{at.latitude, at.longitude, 5000});
  const QPoint centre = pixelOf(mark.at).toPoint();
  auto around = [&] { return window->chart()->grab(QRect(centre - QPoint(20, 20), QSize(40, 40))).toImage(); };
  const QImage before = around();
  QTreeWidget* tree = window->cellListPanel()->tree();
  emit tree->itemClicked(cellRow->child(most), 0);
  EXPECT_FALSE(window->chart()->reviewMarks().empty());
  const QImage marked = around();
  EXPECT_NE(marked, before);
  emit tree->itemClicked(cellRow->child(most), 0);  // the review ends
  EXPECT_TRUE(window->chart()->reviewMarks().empty());
  EXPECT_EQ(around(), before);

  int listed = 0;
  const CellSnapshot cells = engine().cells().snapshot();
  for (const S57Cell* c : *cells) listed += c->name == "GB5X01SW.000";
  EXPECT_EQ(listed, 1);

  importSet("2.2.7 Cancellation");
  ASSERT_NE(rowOf("GB4X0000"), nullptr);
  EXPECT_TRUE(rowOf("GB4X0000")->text.startsWith(QStringLiteral("已注销")));
  EXPECT_EQ(loaded("GB4X0000"), nullptr);
  EXPECT_EQ(listRow("GB4X0000"), nullptr);
  EXPECT_TRUE(window->statusBar()->currentMessage().contains("GB4X0000"))
      << window->statusBar()->currentMessage().toStdString();
  EXPECT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral("已注销")));
  EXPECT_NE(loaded("GB5X01SW"), nullptr);
}

TEST_F(WindowStore, CorruptFilesAreRefusedWithTheirReasonInChinese) {
  window->startStore(QString::fromStdString(store.string()));
  importSet("2.1.1 Power Up");

  importSet("2.1.5 Loading Corrupt Data");
  const ImportOutcomeRow* ne = rowOf("GB5X01NE");
  ASSERT_NE(ne, nullptr);
  EXPECT_TRUE(ne->refused);
  EXPECT_EQ(ne->text, QStringLiteral("拒绝：GB5X01NE.000：CRC-32校验值为5162A9ED，与交换集目录所列的1234567F不符，未使用"));
  EXPECT_TRUE(ne->detail.contains("CRC-32 is 5162A9ED")) << ne->detail.toStdString();
  EXPECT_NE(loaded("GB5X01NE"), nullptr);  // the installed edition stays on the chart

  importSet("2.2.1 Corrupt Update");
  const ImportOutcomeRow* sw = rowOf("GB5X01SW");
  ASSERT_NE(sw, nullptr);
  EXPECT_TRUE(sw->refused);
  EXPECT_TRUE(sw->text.startsWith(QStringLiteral("已更新至第1次更新；拒绝：GB5X01SW.002：第2次更新未应用")))
      << sw->text.toStdString();
  EXPECT_TRUE(sw->text.contains(QStringLiteral("其后的更新3至5也未应用"))) << sw->text.toStdString();
  ASSERT_NE(loaded("GB5X01SW"), nullptr);
  EXPECT_EQ(loaded("GB5X01SW")->updatesApplied, (std::vector<int>{1}));
}

TEST_F(WindowStore, TheWindowStartsOnTheStoreAndSaysOnceThatItsIndexWasRebuilt) {
  {
    ChartStore charts(store.string());
    ASSERT_TRUE(charts.import({kS64 + "2.1.1 Power Up"}).written);
  }
  // A damaged index: rebuilt from the store's files, and said so.
  std::ofstream(store / "index", std::ios::trunc) << "cut short";
  showAndDraw();
  window->startStore(QString::fromStdString(store.string()));
  ASSERT_TRUE(waitForLoading(window->loader()));
  for (const char* name : {"GB5X01SW", "GB5X01NE", "GB4X0000"}) EXPECT_NE(loaded(name), nullptr) << name;
  EXPECT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral("海图库索引已损坏")))
      << window->statusBar()->currentMessage().toStdString();
  EXPECT_EQ(window->cellListPanel()->findingCount(), 1);
}

DataClient clientOn(int year, int month, int day) {
  DataClient client;
  client.clock = DataClientClock::fixedAt(CalendarDay{year, month, day});
  return client;
}

TEST_F(WindowStore, AnEncryptedCellIsShownUnderItsPermitAndMarkedOnceThePermitHasExpired) {
  const std::string test = fs::absolute(CHART_SHARED_ENC "/../iho/s63/4 Authentication_Part1/Test 4b").string();
  if (!fs::is_directory(test)) GTEST_SKIP() << test << " is absent";
  window->setDataClient(clientOn(2013, 6, 1));
  showAndDraw();
  window->startStore(QString::fromStdString(store.string()));
  ASSERT_TRUE(waitForLoading(window->loader()));
  // The scheme's test manufacturer: said in the status bar.
  const QWidget* scheme = window->findChild<QWidget*>("schemeLabel");
  ASSERT_NE(scheme, nullptr);
  EXPECT_TRUE(scheme->isVisible());

  window->dialogs.chooseCertificateFile = [&](QWidget*, const QString&) { return QString::fromStdString(test + "/IHO.CRT"); };
  action("actionInstallCertificate")->trigger();
  ASSERT_EQ(notices.size(), 1);
  EXPECT_TRUE(notices.front().contains(QStringLiteral("已安装方案管理者证书IHO.CRT"))) << notices.front().toStdString();

  window->dialogs.choosePermitFile = [&](QWidget*, const QString&) { return QString::fromStdString(test + "/PERMIT.TXT"); };
  action("actionImportPermits")->trigger();
  ASSERT_TRUE(waitForLoading(window->loader()));
  ASSERT_NE(rowOf("GB100004"), nullptr);
  EXPECT_TRUE(rowOf("GB100004")->text.startsWith(QStringLiteral("已安装许可，有效期至2018-12-31")))
      << rowOf("GB100004")->text.toStdString();

  // The permit list: the cell, its expiry, the data server and its state.
  QStringList permitRows;
  window->dialogs.show = [&](QDialog& dialog) {
    for (QTreeWidget* list : dialog.findChildren<QTreeWidget*>())
      for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c) cells << list->topLevelItem(i)->text(c);
        permitRows << cells.join('|');
      }
    if (QLineEdit* permit = dialog.findChild<QLineEdit*>("userPermitText")) permitRows << permit->text();
  };
  action("actionPermitList")->trigger();
  ASSERT_EQ(permitRows.size(), 2);  // GB100004 and GB100005
  EXPECT_TRUE(permitRows.front().startsWith(QStringLiteral("GB100004|2018-12-31|"))) << permitRows.front().toStdString();
  EXPECT_TRUE(permitRows.front().endsWith(QStringLiteral("|有效"))) << permitRows.front().toStdString();
  // The user permit of the scheme's test manufacturer.
  permitRows.clear();
  action("actionUserPermit")->trigger();
  EXPECT_EQ(permitRows, QStringList{"66B5CBFDF7E4139D5B6086C23130"});

  // A key file others may read is refused, the test manufacturer kept;
  // one of its owner alone is taken, and the status bar no longer says 测试许可.
  std::ofstream("keys.txt") << "M_ID=10\nM_KEY=10121\nHW_ID=12345\n";
  fs::permissions("keys.txt", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  window->dialogs.chooseManufacturerFile = [](QWidget*, const QString&) { return QString::fromStdString(fs::absolute("keys.txt").string()); };
  action("actionManufacturerFile")->trigger();
  ASSERT_EQ(notices.size(), 2);
  EXPECT_TRUE(notices.back().contains(QStringLiteral("制造商密钥文件无法使用"))) << notices.back().toStdString();
  EXPECT_FALSE(notices.back().contains("10121"));
  EXPECT_TRUE(scheme->isVisible());
  fs::permissions("keys.txt", fs::perms::owner_read | fs::perms::owner_write);
  action("actionManufacturerFile")->trigger();
  ASSERT_TRUE(waitForLoading(window->loader()));
  EXPECT_EQ(notices.size(), 2);
  EXPECT_FALSE(scheme->isVisible());

  importSet(test);
  ASSERT_NE(rowOf("GB100004"), nullptr);
  EXPECT_TRUE(rowOf("GB100004")->text.startsWith(QStringLiteral("已安装"))) << rowOf("GB100004")->text.toStdString();
  const S57Cell* shown = loaded("GB100004");
  ASSERT_NE(shown, nullptr);
  EXPECT_FALSE(shown->permitExpired);
  EXPECT_FALSE(listRow("GB100004")->text(CellListPanel::WarningColumn).contains("SSE"));
  EXPECT_EQ(listRow("GB100004")->text(CellListPanel::PermitColumn), QStringLiteral("有效至 2018-12-31"));

  // A start after the permit's last day: shown, with the warning and its code.
  window.reset();
  {
    const CellSnapshot cells = engine().cells().snapshot();
    for (const S57Cell* cell : *cells) engine().cells().withdraw(cell->name);
  }
  window = makeWindow();
  window->setDataClient(clientOn(2019, 1, 2));
  window->startStore(QString::fromStdString(store.string()));
  ASSERT_TRUE(waitForLoading(window->loader()));
  ASSERT_NE(loaded("GB100004"), nullptr);
  EXPECT_TRUE(loaded("GB100004")->permitExpired);
  ASSERT_NE(listRow("GB100004"), nullptr);
  EXPECT_TRUE(listRow("GB100004")->text(CellListPanel::WarningColumn).startsWith(QStringLiteral("SSE 25：")))
      << listRow("GB100004")->text(CellListPanel::WarningColumn).toStdString();
  EXPECT_EQ(listRow("GB100004")->text(CellListPanel::PermitColumn), QStringLiteral("已过期（2018-12-31）"));
}

// The permit column's words for each standing; a cell that is not
// encrypted (or comes from a folder) shows a dash.
TEST(CellListPermits, EachStandingHasItsWords) {
  struct Case {
    bool encrypted, permitted;
    PermitState state;
    const char* text;
  };
  const Case cases[] = {
      {false, false, PermitState::Refused, "—"},
      {true, false, PermitState::Refused, "无许可"},
      {true, true, PermitState::Valid, "有效至 2018-12-31"},
      {true, true, PermitState::Expiring, "30天内到期（2018-12-31）"},
      {true, true, PermitState::Expired, "已过期（2018-12-31）"},
  };
  for (const Case& c : cases) {
    StoredCellStanding standing;
    standing.encrypted = c.encrypted;
    standing.permitted = c.permitted;
    standing.permit = c.state;
    standing.expiry = QStringLiteral("2018-12-31");
    EXPECT_EQ(CellListPanel::permitText(standing), QString::fromUtf8(c.text));
  }
}

// 6e's product list announces an update of FR5TEST2 that the set does not
// bring: the import installs the base without a word of SSE, and the cell
// is shown with SSE 27 in its row and, once for the load, the status bar.
TEST_F(WindowStore, ACellBehindItsDataServersProductListIsShownWithSse27) {
  const std::string test = fs::absolute(CHART_SHARED_ENC "/../iho/s63/6 ENC Decryption/Test 6e").string();
  if (!fs::is_directory(test)) GTEST_SKIP() << test << " is absent";
  window->setDataClient(clientOn(2015, 6, 1));
  showAndDraw();
  window->startStore(QString::fromStdString(store.string()));
  ASSERT_TRUE(waitForLoading(window->loader()));
  window->installCertificate(QString::fromStdString(test + "/V01X01/IHO.CRT"));
  window->installPermits(QString::fromStdString(test + "/V01X01/PERMIT.TXT"));
  ASSERT_TRUE(waitForLoading(window->loader()));

  importSet(test);
  ASSERT_NE(rowOf("FR5TEST2"), nullptr);
  EXPECT_TRUE(rowOf("FR5TEST2")->text.startsWith(QStringLiteral("已安装"))) << rowOf("FR5TEST2")->text.toStdString();
  EXPECT_FALSE(rowOf("FR5TEST2")->text.contains("SSE")) << rowOf("FR5TEST2")->text.toStdString();
  QTreeWidgetItem* row = listRow("FR5TEST2");
  ASSERT_NE(row, nullptr);
  EXPECT_TRUE(row->text(CellListPanel::WarningColumn).startsWith(QStringLiteral("SSE 27：海图FR5TEST2不是最新的")))
      << row->text(CellListPanel::WarningColumn).toStdString();
  EXPECT_TRUE(row->toolTip(CellListPanel::WarningColumn).contains("ENC FR5TEST2 is not up to date"));
  EXPECT_EQ(row->text(CellListPanel::PermitColumn), QStringLiteral("有效至 2019-12-31"));
  EXPECT_TRUE(window->statusBar()->currentMessage().startsWith(QStringLiteral("SSE 27：")))
      << window->statusBar()->currentMessage().toStdString();
}

}  // namespace

// With a budget of three loaded cells, the store's cells not drawn lately
// leave memory yet stay listed (the chart and the cell list know them all);
// going to one of them reads it again in the background, and the chart
// draws it when it comes.
TEST_F(WindowStore, CellsNotDrawnLatelyLeaveMemoryAndComeBackWhenTheViewReturns) {
  ASSERT_NO_FATAL_FAILURE(startOnPortfolio(40, 3));
  const auto loadedCount = [this] {
    int n = 0;
    for (const S57Cell* c : *engine().cells().snapshot()) n += c->unloaded ? 0 : 1;
    return n;
  };
  EXPECT_EQ(engine().cells().size(), 40u);
  EXPECT_EQ(window->cellListPanel()->loadedCount(), 40);
  const int drawn = static_cast<int>(window->chart()->view().drawnCells.size());
  EXPECT_LE(loadedCount(), std::max(3, drawn));

  // A harbour cell, unloaded: the view goes to it at its scale.
  std::string name;
  ChartBox box;
  int scale = 0;
  for (const S57Cell* c : *engine().cells().snapshot())
    if (c->unloaded && c->name[2] == '5') name = c->name, box = c->boundingBox, scale = c->compilationScale;
  ASSERT_FALSE(name.empty());
  const GeoPoint middle = chartToGeo({(box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2});
  window->chart()->goTo({middle.latitude, middle.longitude, static_cast<float>(scale)});
  window->chart()->repaint();
  const auto drawnNow = [&] {
    for (const S57Cell* c : window->chart()->view().drawnCells)
      if (c->name == name) return true;
    return false;
  };
  ASSERT_TRUE(QTest::qWaitFor(drawnNow, 20000)) << name << " was not read again and drawn";
  EXPECT_FALSE(loaded(name.substr(0, 8))->unloaded);
  EXPECT_EQ(engine().cells().size(), 40u);
  EXPECT_EQ(window->cellListPanel()->loadedCount(), 40);
  EXPECT_LE(loadedCount(), std::max(3, static_cast<int>(window->chart()->view().drawnCells.size())));
}

// A route across a cell unloaded to free memory: the first check says the
// cell was not checked, the window reads it back, and the check that
// follows looks into it.
TEST_F(WindowStore, ARouteCheckReadsBackTheUnloadedCellsItCrosses) {
  ASSERT_NO_FATAL_FAILURE(startOnPortfolio(40, 3));
  std::string name;
  ChartBox box;
  for (const S57Cell* c : *engine().cells().snapshot())
    if (c->unloaded && c->name[2] == '5') name = c->name, box = c->boundingBox;
  ASSERT_FALSE(name.empty());
  const double middle = (box.minY + box.maxY) / 2, inset = (box.maxX - box.minX) / 4;
  Route route("through an unloaded cell");
  ASSERT_TRUE(route.appendWaypoint({chartToGeo({box.minX + inset, middle}), "A", std::nullopt}));
  ASSERT_TRUE(route.appendWaypoint({chartToGeo({box.maxX - inset, middle}), "B", std::nullopt}));
  window->routes().add(route);
  window->checkActiveRoute();
  // The first check finds the cell unloaded and says so; the window reads it
  // back and checks again.
  const auto checkedInside = [&] {
    if (window->routeChecker().busy() || window->routeChecker().started() < 2) return false;
    for (const RouteFinding& f : window->routeFindings())
      if (f.reason == FindingReason::CellNotLoaded) return false;
    return true;
  };
  ASSERT_TRUE(QTest::qWaitFor(checkedInside, 20000)) << name << " was not read back for the check";
  EXPECT_FALSE(loaded(name.substr(0, 8))->unloaded);
  for (const RouteFinding& f : window->routeFindings())
    EXPECT_NE(f.reason, FindingReason::OutsideCoverage) << "the route lies inside " << name;
  // Kept while the route is the one checked, whatever the budget.
  window->chart()->repaint();
  QTest::qWait(100);
  EXPECT_FALSE(loaded(name.substr(0, 8))->unloaded);
}

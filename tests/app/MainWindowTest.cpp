// The main window on the offscreen platform: its widget tree, the mouse and
// wheel handlers, the position text, the menu actions, cell and directory
// import, object selection and the close question.
#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMovie>
#include <QRegularExpression>
#include <QSemaphore>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QThreadPool>
#include <QTextBrowser>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

#include "AppTestSupport.h"
#include "CellFixtures.h"
#include "CellList.h"
#include "CellListPanel.h"
#include "CellLoader.h"
#include "ChartEngine.h"
#include "ChartWidget.h"
#include "DisplaySettings.h"
#include "LibraryResult.h"
#include "MainWindow.h"
#include "MercatorProjection.h"
#include "ObjectPanel.h"
#include "PresentationLibrary.h"
#include "ReaderResult.h"
#include "ReadoutText.h"
#include "TrueScale.h"
#include "ViewGeometry.h"

using namespace apptest;
using namespace s57write;

namespace {

constexpr float kStartScale = 36978668.0f;

class MainWindowTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(startEngineOnce()) << "the presentation library S57Lib is missing: run scripts/setup.sh";
    QSettings().clear();  // no choices of an earlier test
    window = std::make_unique<MainWindow>(engine());
    window->dialogs.question = [this](QWidget*, const QString& title, const QString& text) {
      questions << title + "|" + text;
      return closeAnswer;
    };
    window->dialogs.information = [this](QWidget*, const QString& title, const QString& text) {
      notices << title + "|" + text;
    };
    window->dialogs.openCellFile = [](QWidget*, const QString&) { return QString(); };
    window->dialogs.chooseDirectory = [](QWidget*, const QString&) { return QString(); };
  }
  void TearDown() override {
    closeAnswer = QMessageBox::Yes;
    window.reset();
  }

  template <class T>
  T* child(const char* name) const {
    return window->findChild<T*>(QString::fromLatin1(name));
  }
  QAction* action(const char* name) const { return child<QAction>(name); }
  QString statusText() const { return window->statusBar()->currentMessage(); }

  // Shows the window and draws it once, so that picking knows the drawn cells.
  void showAndDraw() {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->repaint();
  }

  WorkingDirectory cwd;
  std::unique_ptr<MainWindow> window;
  QStringList questions, notices;
  QMessageBox::StandardButton closeAnswer = QMessageBox::Yes;
};

// A small cell (a 0.1 degree square from 47N 122W with a light in its
// middle) written as `directory`/`name`.
std::string writeLightCell(const std::string& directory, const std::string& name) {
  return fixtures::writeCell(fixtures::smallCell(name), directory, name);
}

// ---- construction ---------------------------------------------------------

TEST_F(MainWindowTest, ConstructionGivesTheWindowItsTitleSizeViewAndSettings) {
  EXPECT_EQ(window->objectName(), "MainWindow");
  EXPECT_EQ(window->windowTitle(), QString::fromUtf8("电子海图"));
  EXPECT_EQ(window->size(), QSize(862, 686));
  EXPECT_EQ(window->font().styleStrategy() & QFont::PreferAntialias, QFont::PreferAntialias);
  EXPECT_FALSE(window->autoFillBackground());
  EXPECT_TRUE(window->styleSheet().isEmpty());
  EXPECT_EQ(window->centralWidget(), window->chart());
  EXPECT_TRUE(window->chart()->hasMouseTracking());
  EXPECT_FALSE(window->windowIcon().isNull());  // logo.png is in the working directory

  EXPECT_FLOAT_EQ(trueScale(window->chart()->view()), kStartScale);
  const ChartPoint centre = geoToChart({18.95, 110.56});  // the demo harbour
  EXPECT_DOUBLE_EQ(window->chart()->view().centre.x, centre.x);
  EXPECT_DOUBLE_EQ(window->chart()->view().centre.y, centre.y);
  EXPECT_FLOAT_EQ(window->displaySettings().safetyContour, 10.0f);
  EXPECT_FLOAT_EQ(window->displaySettings().shallowContour, 5.0f);
  EXPECT_FLOAT_EQ(window->displaySettings().deepContour, 20.0f);
  EXPECT_FALSE(window->chart()->selectionMode());
}

TEST_F(MainWindowTest, WithoutLogoFileTheWindowHasNoIcon) {
  std::filesystem::remove("logo.png");
  MainWindow other(engine());
  EXPECT_TRUE(other.windowIcon().isNull());
}

TEST_F(MainWindowTest, WidgetTreeHasItsObjectNamesTextsAndPlaces) {
  auto* central = child<QWidget>("chart");
  ASSERT_NE(central, nullptr);
  EXPECT_EQ(window->centralWidget(), central);
  struct Label {
    const char* name;
    const char* parent;
    const char* text;
  };
  for (const Label& l : {Label{"label", "formFrame", "TextLabel"}, Label{"label_2", "formFrame", "正在加载海图..."},
                         Label{"label_3", "latlon", "纬度："}, Label{"lat", "latlon", "18°57.000′N"},
                         Label{"lon", "latlon", "110°33.600′E"}, Label{"label_6", "latlon", "经度："}}) {
    auto* label = child<QLabel>(l.name);
    ASSERT_NE(label, nullptr) << l.name;
    EXPECT_EQ(label->parent()->objectName(), l.parent) << l.name;
    if (std::string(l.name) != "label") {
      EXPECT_EQ(label->text(), QString::fromUtf8(l.text)) << l.name;
    }
  }
  EXPECT_EQ(child<QLabel>("label")->movie(), window->findChild<QMovie*>());
  EXPECT_TRUE(child<QLabel>("label")->hasScaledContents());
  EXPECT_EQ(child<QLabel>("label")->styleSheet(), "background-color: transparent;");
  auto* caption = child<QLabel>("label_2");
  EXPECT_EQ(caption->font().family(), "Agency FB");
  EXPECT_EQ(caption->font().pointSize(), 14);
  EXPECT_EQ(caption->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
  EXPECT_EQ(caption->styleSheet(), QString::fromUtf8("color: rgb(255, 85, 127);\nfont: 14pt \"宋体\";\nfont: 14pt \"Agency FB\";"));
  EXPECT_EQ(child<QFrame>("latlon")->styleSheet(),
            "#latlon{\nborder:2px solid  rgb(180, 216, 253);\nbackground-color: palette(window);\n}");
  EXPECT_NE(child<QStatusBar>("statusbar"), nullptr);
  EXPECT_NE(child<QMenuBar>("menubar"), nullptr);

  // The chart between the menu bar and the status bar; the loading panel
  // centred in it and hidden, the position box at its bottom left, the
  // object panel docked and hidden; again after a resize.
  auto* panel = child<QFrame>("formFrame");
  auto* objects = child<ObjectPanel>("objectPanel");
  auto* box = child<QFrame>("latlon");
  EXPECT_EQ(panel->parentWidget(), central);
  EXPECT_EQ(box->parentWidget(), central);
  EXPECT_TRUE(panel->isHidden());
  EXPECT_TRUE(objects->isHidden());
  EXPECT_EQ(objects, window->objectPanel());
  EXPECT_EQ(window->dockWidgetArea(objects), Qt::RightDockWidgetArea);
  EXPECT_EQ(window->findChild<QMovie*>()->state(), QMovie::NotRunning);
  for (const QSize size : {QSize(862, 686), QSize(1001, 801)}) {
    window->resize(size);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QApplication::processEvents();
    const QRect chart = central->geometry();
    EXPECT_EQ(chart.top(), window->menuBar()->geometry().bottom() + 1) << size.width();
    EXPECT_LT(chart.bottom(), window->statusBar()->geometry().top()) << size.width();
    EXPECT_EQ(chart.width(), size.width()) << size.width();
    EXPECT_EQ(panel->geometry(), QRect(chart.width() / 2 - 200, chart.height() / 2 - 112, 400, 225));
    EXPECT_EQ(box->geometry(), QRect(10, chart.height() - 40, 300, 30));
  }
}

TEST_F(MainWindowTest, MenusHoldTheirActionsInOrderWithCheckMarksAndHiddenEntries) {
  // "-" stands for a separator, a trailing "*" for an entry checked at start,
  // a leading "!" for a hidden entry.
  auto describe = [](QMenu* m) {
    QStringList out;
    for (QAction* a : m->actions()) {
      if (a->isSeparator()) {
        out << "-";
        continue;
      }
      out << QString(a->isVisible() ? "" : "!") + a->objectName() + "=" + a->text() + (a->isChecked() ? "*" : "");
    }
    return out.join(" ");
  };
  const QList<QAction*> menus = window->menuBar()->actions();
  ASSERT_EQ(menus.size(), 4);
  const char* titles[][2] = {{"menu", "开始"}, {"menu_2", "显示设置"}, {"menu_3", "等深线设置"}, {"menu_4", "颜色设置"}};
  for (int i = 0; i < 4; ++i) {
    ASSERT_NE(menus[i]->menu(), nullptr);
    EXPECT_EQ(menus[i]->menu()->objectName(), titles[i][0]);
    EXPECT_EQ(menus[i]->text(), QString::fromUtf8(titles[i][1]));
  }
  EXPECT_EQ(describe(menus[0]->menu()),
            QString::fromUtf8("action=导入 action_3=批量导入 actionImportCharts=导入海图… - actionImportPermits=导入许可证… "
                              "actionInstallCertificate=安装证书… actionPermitList=许可证列表… actionUserPermit=用户许可… "
                              "actionManufacturerFile=制造商密钥文件… - actionGoTo=转到… actionMeasure=测距 actionRoutes=航线 "
                              "action_2=退出"));
  // Check marks as in force at start: Chinese names, boundaries shown, the
  // 10 m contour set, the world base map.
  EXPECT_EQ(describe(menus[1]->menu()),
            QString::fromUtf8("- action_4=基本显示 action_5=标准显示* action_6=全部显示 - action_8=传统符号* "
                              "action_9=纸质符号 - action_11=中文显示* action_12=英文显示 - - "
                              "action_15=水深显示 action_16=边界显示* action_17=选择对象 actionWorldBaseMap=世界底图* "
                              "actionCellList=海图列表 - actionAdvanced=高级设置… actionDefaults=恢复默认"));
  EXPECT_EQ(describe(menus[2]->menu()),
            QString::fromUtf8("action_5m=等深线5m action_10m=等深线10m* action_20m=等深线20m "
                              "action_13=自定义… action_7=显示等深线 !action_10= 等深线标识"));
  EXPECT_EQ(describe(menus[3]->menu()),
            QString::fromUtf8("action_18=白天* action_19=夜晚 action_20=晴天 !action_21=雨天 action_22=黄昏"));

  for (const char* name : {"action", "action_3", "action_2", "action_10", "actionGoTo", "actionDefaults"})
    EXPECT_FALSE(action(name)->isCheckable()) << name;
  for (const char* name : {"action_15", "action_16", "action_17", "action_21", "action_13", "action_7",
                           "actionMeasure", "actionWorldBaseMap", "actionCellList"})
    EXPECT_TRUE(action(name)->isCheckable()) << name;
  // Every action belongs to the window, but the cell list's, which is its panel's own.
  for (QAction* a : window->findChildren<QAction*>(QRegularExpression("^action")))
    EXPECT_EQ(a->parent(), a->objectName() == "actionCellList" ? static_cast<QObject*>(window->cellListPanel())
                                                                 : window.get())
        << qPrintable(a->objectName());

  // Five exclusive groups.
  const std::vector<QStringList> groups = {{"action_4", "action_5", "action_6"},
                                           {"action_8", "action_9"},
                                           {"action_11", "action_12"},
                                           {"action_5m", "action_10m", "action_20m", "action_13"},
                                           {"action_18", "action_19", "action_20", "action_21", "action_22"}};
  ASSERT_EQ(window->findChildren<QActionGroup*>().size(), 5);
  for (const QStringList& members : groups) {
    QActionGroup* g = action(qPrintable(members.first()))->actionGroup();
    ASSERT_NE(g, nullptr);
    EXPECT_TRUE(g->isExclusive());
    QStringList names;
    for (QAction* a : g->actions()) names << a->objectName();
    EXPECT_EQ(names, members);
  }
}

// ---- position text --------------------------------------------------------

TEST(PositionText, DegreesAndMinutesWithHemisphere) {
  struct Case {
    double degrees;
    bool latitude;
    const char* text;
  } cases[] = {
      {30.5, true, "30°30.000′N"},       {119.25333333, false, "119°15.200′E"}, {-0.25, false, "0°15.000′W"},
      {-0.5, true, "0°30.000′S"},        {0.0, true, "0°00.000′N"},            {0.0, false, "0°00.000′E"},
      {-33.8568, true, "33°51.408′S"},   {-122.4, false, "122°24.000′W"},      {47.0853, true, "47°05.118′N"},
      // Minutes that round up to 60 carry into the degree.
      {118.99999999, false, "119°00.000′E"}, {30.0000166, true, "30°00.001′N"},
      {-16.9999999, true, "17°00.000′S"},    {179.9999999, false, "180°00.000′E"},
      // A value that rounds to nothing has no sign.
      {-0.0000001, true, "0°00.000′N"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.latitude ? latitudeText(c.degrees) : longitudeText(c.degrees),
              QString::fromUtf8(c.text))
        << c.degrees;
  EXPECT_EQ(positionText({30.0000166, 118.99999999}), QString::fromUtf8("30°00.001′N 119°00.000′E"));
  for (auto [degrees, text] : {std::pair{5.26, "005.3°"}, {359.96, "000.0°"}, {359.94, "359.9°"}, {0.0, "000.0°"},
                               {180.0, "180.0°"}})
    EXPECT_EQ(bearingText(degrees), QString::fromUtf8(text)) << degrees;
}

TEST_F(MainWindowTest, MouseMoveShowsThePositionUnderTheCursor) {
  showAndDraw();
  const QPoint at(431, 343);
  move(*window->chart(), at, false);
  const GeoPoint g = chartToGeo(pixelToChart(at.x(), at.y(), window->chart()->view()));
  EXPECT_EQ(child<QLabel>("lat")->text(), latitudeText(g.latitude));
  EXPECT_EQ(child<QLabel>("lon")->text(), longitudeText(g.longitude));
  EXPECT_TRUE(child<QLabel>("lat")->text().endsWith(QString::fromUtf8("′N")));
}

// ---- wheel, press, drag and release ------------------------------------------

TEST_F(MainWindowTest, WheelZoomsWithinItsLimitsAndRepaintsOnlyWhenItZooms) {
  showAndDraw();
  PaintCounter paints(*window->chart());
  struct Case {
    float scale;
    int delta;
    float expected;
    bool repaint;
  } cases[] = {
      {1500.0f, 120, 1000.0f, true},  // not beyond the limit
      {1000.0f, 120, 1000.0f, false},
      {kStartScale / 2, -120, kStartScale, true},
      {kStartScale, -120, kStartScale, false},
      {90000.0f, 1, 45000.0f, true},
      {90000.0f, -1, 180000.0f, true},
  };
  for (const Case& c : cases) {
    setTrueScale(window->chart()->view(), c.scale);
    const ChartPoint centre = window->chart()->view().centre;
    paints.take();
    wheel(*window->chart(), c.delta);
    EXPECT_FLOAT_EQ(trueScale(window->chart()->view()), c.expected) << c.scale << " " << c.delta;
    EXPECT_EQ(paints.take() > 0, c.repaint) << c.scale << " " << c.delta;
    EXPECT_EQ(window->chart()->view().centre.x, centre.x);
    EXPECT_EQ(window->chart()->view().centre.y, centre.y);
  }
  // From the start scale the wheel zooms in to 1:1,000, then stops.
  setTrueScale(window->chart()->view(), kStartScale);
  for (int i = 0; i < 20; ++i) wheel(*window->chart(), 120);
  EXPECT_FLOAT_EQ(trueScale(window->chart()->view()), 1000.0f);
  // Panned north at 1:1,000 the true scale falls below the limit: the wheel
  // in then changes nothing (it never zooms out), and out doubles the scale.
  window->chart()->goTo({60, 10, 1000});
  window->chart()->view().centre.y = geoToChart({70, 10}).y;
  const float panned = window->chart()->view().scale;
  ASSERT_LT(trueScale(window->chart()->view()), 1000);
  wheel(*window->chart(), 120);
  EXPECT_EQ(window->chart()->view().scale, panned);
  wheel(*window->chart(), -120);
  EXPECT_EQ(window->chart()->view().scale, panned * 2);
}

TEST_F(MainWindowTest, ReleaseMoreThanFivePixelsAwayPansWithTheMouse) {
  showAndDraw();
  PaintCounter paints(*window->chart());
  struct Case {
    QPoint release;
    bool pans;
  } cases[] = {
      {{405, 305}, false}, {{395, 295}, false}, {{400, 300}, false}, {{406, 300}, true},
      {{400, 294}, true},  {{460, 330}, true},  {{340, 260}, true},
  };
  for (const Case& c : cases) {
    const QPoint pressAt(400, 300);
    const ChartPoint before = window->chart()->view().centre;
    const float scale = window->chart()->view().scale;
    paints.take();
    press(*window->chart(), pressAt);
    EXPECT_TRUE(window->chart()->dragging());
    release(*window->chart(), c.release);
    EXPECT_FALSE(window->chart()->dragging());
    EXPECT_EQ(window->chart()->dragOffset(), QPoint(0, 0));
    const QPoint d = c.release - pressAt;
    if (c.pans) {
      // The chart point under the press is under the release afterwards.
      EXPECT_DOUBLE_EQ(window->chart()->view().centre.x, before.x - d.x() * 23.0 * scale) << c.release.x();
      EXPECT_DOUBLE_EQ(window->chart()->view().centre.y, before.y + d.y() * 23.0 * scale) << c.release.y();
      EXPECT_GT(paints.take(), 0);
    } else {
      EXPECT_EQ(window->chart()->view().centre.x, before.x);
      EXPECT_EQ(window->chart()->view().centre.y, before.y);
      EXPECT_EQ(paints.take(), 0);
    }
  }
}

TEST_F(MainWindowTest, DragPreviewMovesInStepsOfMoreThanFivePixels) {
  showAndDraw();
  press(*window->chart(), {400, 300});
  struct Step {
    QPoint at;
    QPoint offset;
  } steps[] = {
      {{404, 300}, {0, 0}},  {{405, 305}, {0, 0}},   {{406, 300}, {6, 0}},   {{409, 303}, {6, 0}},
      {{412, 300}, {12, 0}}, {{412, 291}, {12, -9}}, {{300, 200}, {-100, -100}},
  };
  for (const Step& s : steps) {
    move(*window->chart(), s.at, true);
    EXPECT_EQ(window->chart()->dragOffset(), s.offset) << s.at.x() << "," << s.at.y();
  }
  release(*window->chart(), {300, 200});
  EXPECT_EQ(window->chart()->dragOffset(), QPoint(0, 0));
  // A move without a press does not drag.
  move(*window->chart(), {500, 500}, false);
  EXPECT_EQ(window->chart()->dragOffset(), QPoint(0, 0));
}

TEST_F(MainWindowTest, RightButtonRepaintsAndDoesNotDrag) {
  showAndDraw();
  PaintCounter paints(*window->chart());
  paints.take();
  press(*window->chart(), {100, 100}, Qt::RightButton);
  EXPECT_FALSE(window->chart()->dragging());
  EXPECT_GT(paints.take(), 0);
}

// ---- menu actions -------------------------------------------------------------

TEST_F(MainWindowTest, SettingActionsChangeTheSettingsAndRepaint) {
  showAndDraw();
  PaintCounter paints(*window->chart());
  const PresentationLibrary& library = engine().library();
  using Check = std::function<bool(const DisplaySettings&)>;
  struct Case {
    const char* action;
    Check check;
  } cases[] = {
      {"action_4", [](const DisplaySettings& s) { return s.displayCategory == 0; }},
      {"action_6", [](const DisplaySettings& s) { return s.displayCategory == 2; }},
      {"action_5", [](const DisplaySettings& s) { return s.displayCategory == 1; }},
      {"action_9", [](const DisplaySettings& s) { return s.paperChartSymbols; }},
      {"action_8", [](const DisplaySettings& s) { return !s.paperChartSymbols; }},
      {"action_12", [](const DisplaySettings& s) { return !s.nationalText; }},
      {"action_11", [](const DisplaySettings& s) { return s.nationalText; }},
      {"action_15", [](const DisplaySettings& s) { return s.showSoundings; }},
      {"action_15", [](const DisplaySettings& s) { return !s.showSoundings; }},
      {"action_16", [](const DisplaySettings& s) { return !s.showCellBoundaries; }},
      {"action_7", [](const DisplaySettings& s) { return s.showDepthContours; }},
      // The shallow (5 m) and deep (20 m) contours stay as they are.
      {"action_5m", [](const DisplaySettings& s) { return s.safetyContour == 5 && s.shallowContour == 5 && s.deepContour == 20; }},
      {"action_20m", [](const DisplaySettings& s) { return s.safetyContour == 20 && s.shallowContour == 5 && s.deepContour == 20; }},
      {"action_10m", [](const DisplaySettings& s) { return s.safetyContour == 10 && s.shallowContour == 5 && s.deepContour == 20; }},
      {"action_19", [&](const DisplaySettings& s) { return s.colourTable == &library.colourTable(ColourScheme::NIGHT); }},
      {"action_22", [&](const DisplaySettings& s) { return s.colourTable == &library.colourTable(ColourScheme::DUSK); }},
      {"action_20", [&](const DisplaySettings& s) { return s.colourTable == &library.colourTable(ColourScheme::DAY_BLACKBACK); }},
      {"action_21", [&](const DisplaySettings& s) { return s.colourTable == &library.colourTable(ColourScheme::DAY_WHITEBACK); }},
      {"action_18", [&](const DisplaySettings& s) { return s.colourTable == &library.colourTable(ColourScheme::DAY_BRIGHT); }},
  };
  for (const Case& c : cases) {
    paints.take();
    action(c.action)->trigger();
    EXPECT_TRUE(c.check(window->displaySettings())) << c.action;
    EXPECT_GT(paints.take(), 0) << c.action;
    if (action(c.action)->isCheckable() && action(c.action)->actionGroup()) {
      EXPECT_TRUE(action(c.action)->isChecked()) << c.action;
    }
  }
  // Exclusive groups: picking 纸质符号 unchecks 传统符号.
  action("action_9")->trigger();
  EXPECT_TRUE(action("action_9")->isChecked());
  EXPECT_FALSE(action("action_8")->isChecked());
}

TEST_F(MainWindowTest, QuitAsksAndAnswerNoKeepsTheWindowOpen) {
  showAndDraw();
  closeAnswer = QMessageBox::No;
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  action("action_2")->trigger();
  EXPECT_TRUE(window->isVisible());
  ASSERT_EQ(questions.size(), 2);
  EXPECT_EQ(questions.first(), QString::fromUtf8("退出|确认退出本程序?"));
  closeAnswer = QMessageBox::Yes;
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(window->isVisible());
}

// ---- opening cells ----------------------------------------------------------

TEST_F(MainWindowTest, OpenCellCentresTheWindowsViewOnTheCell) {
  fixtures::TempDirectory dir;
  // A Chinese folder name: the reader gets the path in the file system's encoding.
  const std::string folder = dir.path + "/海图 cells";
  std::filesystem::create_directory(folder);
  const std::string path = writeLightCell(folder, "APPOPEN1.000");
  window->dialogs.openCellFile = [&](QWidget*, const QString&) { return QString::fromStdString(path); };
  showAndDraw();
  PaintCounter paints(*window->chart());
  paints.take();
  action("action")->trigger();
  EXPECT_TRUE(engine().cells().contains("APPOPEN1.000"));
  EXPECT_GT(paints.take(), 0);
  // smallCell is a 0.1 degree square from 47N 122W.
  const GeoPoint centre = chartToGeo(window->chart()->view().centre);
  EXPECT_NEAR(centre.latitude, 47.05, 0.01);
  EXPECT_NEAR(centre.longitude, -121.95, 0.01);
  EXPECT_FLOAT_EQ(trueScale(window->chart()->view()), 20000.0f);  // the cell's compilation scale
  EXPECT_TRUE(statusText().isEmpty());
}

// A file that is no cell is named with a plain reason in the status bar
// and the cell list (the technical one in the row's tool tip); the view
// stays. A cell opened twice is no failure: the view goes to it.
TEST_F(MainWindowTest, CellThatFailsToLoadIsNamedWithItsReasonAndChangesNothing) {
  fixtures::TempDirectory dir;
  std::ofstream(dir.path + "/broken.000") << "too short";
  std::ofstream(dir.path + "/empty.000");
  const std::string cell = writeLightCell(dir.path, "APPTWICE.000");
  {
    std::ifstream in(cell, std::ios::binary);
    const std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(dir.path + "/cut.000", std::ios::binary) << image.substr(0, image.size() - 5);
  }
  const ChartPoint centre = window->chart()->view().centre;
  const size_t cells = engine().cells().size();
  const QTreeWidget* tree = window->cellListPanel()->tree();
  const struct {
    const char* file;
    ReaderResult result;
    const char* plain;      // the status bar and the row
    const char* technical;  // the row's tool tip
  } cases[] = {
      {"broken.000", ReaderResult::FileTooShort, "broken.000：不是S-57海图文件", "文件不足25字节"},
      {"empty.000", ReaderResult::FileTooShort, "empty.000：文件为空", "文件不足25字节"},
      {"missing.000", ReaderResult::CannotOpen, "missing.000：文件无法打开或读取", "文件无法打开或读取"},
      {"cut.000", ReaderResult::TruncatedRecord, "cut.000：文件已损坏（不完整），未加载", "有记录越过文件末尾"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(window->openCell(QString::fromStdString(dir.path + "/" + c.file)), c.result) << c.file;
    EXPECT_EQ(statusText(), QString::fromUtf8(c.plain));
    const QTreeWidgetItem* row = tree->topLevelItem(tree->topLevelItemCount() - 1);
    EXPECT_EQ(row->text(CellListPanel::NameColumn), c.file);
    EXPECT_EQ(QString::fromUtf8("%1：%2").arg(row->text(CellListPanel::NameColumn), row->text(CellListPanel::WarningColumn)),
              QString::fromUtf8(c.plain).replace(QString::fromUtf8("："), QString::fromUtf8("：未加载：")));
    EXPECT_TRUE(row->toolTip(CellListPanel::WarningColumn).contains(QString::fromUtf8(c.technical)))
        << qPrintable(row->toolTip(CellListPanel::WarningColumn));
  }
  EXPECT_EQ(engine().cells().size(), cells);
  EXPECT_EQ(window->chart()->view().centre.x, centre.x);
  EXPECT_EQ(window->chart()->view().centre.y, centre.y);
  // A window whose engine has no library shows the reason its loader gave:
  // here a look-up table that lacks its closing marker.
  {
    const std::string library = dir.path + "/S57Lib";
    std::filesystem::create_directory(library);
    std::filesystem::copy_file(CHART_SOURCE_DIR "/S57Lib/S57Colours", library + "/S57Colours");
    std::ifstream in(CHART_SOURCE_DIR "/S57Lib/S57LookupTable", std::ios::binary);
    const std::string lookups((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(library + "/S57LookupTable", std::ios::binary) << lookups.substr(0, lookups.size() - 4);
    ChartEngine withoutLibrary(library, MissingFileReport::Silent);
    ASSERT_EQ(withoutLibrary.libraryResult(), libraryFileResult(LibraryResult::CutShort, 1));
    MainWindow other(withoutLibrary);
    const ChartPoint otherCentre = other.chart()->view().centre;
    EXPECT_EQ(other.openCell(QString::fromStdString(cell)), CellLoadResult::noLibrary());
    const QString text = other.statusBar()->currentMessage();
    EXPECT_TRUE(text.contains(QString::fromUtf8("未加载海图符号库（S57Lib）：文件S57LookupTable缺少结束标记")))
        << qPrintable(text);
    EXPECT_EQ(withoutLibrary.cells().size(), 0u);
    EXPECT_EQ(other.chart()->view().centre.x, otherCentre.x);
    EXPECT_EQ(other.chart()->view().centre.y, otherCentre.y);
  }

  // Opened twice: no failure row, the view goes to the cell loaded.
  EXPECT_EQ(window->openCell(QString::fromStdString(cell)), ReaderResult::Ok);
  const int rows = tree->topLevelItemCount();
  const ChartPoint there = window->chart()->view().centre;
  window->chart()->goTo({30, 119, 1000000});
  EXPECT_EQ(window->openCell(QString::fromStdString(cell)), ReaderResult::DuplicateCell);
  EXPECT_EQ(statusText(), QString::fromUtf8("APPTWICE.000：已加载，转到该海图"));
  EXPECT_EQ(tree->topLevelItemCount(), rows);
  EXPECT_DOUBLE_EQ(window->chart()->view().centre.x, there.x);
  EXPECT_DOUBLE_EQ(window->chart()->view().centre.y, there.y);
  EXPECT_FLOAT_EQ(trueScale(window->chart()->view()), 20000.0f);
}

TEST_F(MainWindowTest, CancelledDialogsChangeNothingAndDoNotRepaint) {
  showAndDraw();
  PaintCounter paints(*window->chart());
  const size_t cells = engine().cells().size();
  paints.take();
  action("action")->trigger();
  action("action_3")->trigger();
  EXPECT_EQ(paints.take(), 0);
  EXPECT_EQ(engine().cells().size(), cells);
  EXPECT_FALSE(window->loader().busy());
  EXPECT_TRUE(child<QFrame>("formFrame")->isHidden());
}

// ---- background loading -----------------------------------------------------

TEST_F(MainWindowTest, BatchImportWhileALoadRunsShowsTheNoticeAndStartsNothing) {
  fixtures::TempDirectory dir;
  writeLightCell(dir.path, "APPBATCH.000");
  // Hold the pool's only thread so that the load stays queued.
  QThreadPool* pool = QThreadPool::globalInstance();
  const int threads = pool->maxThreadCount();
  pool->setMaxThreadCount(1);
  QSemaphore gate;
  pool->start([&gate] { gate.acquire(); });

  int dialogsOpened = 0;
  window->dialogs.chooseDirectory = [&](QWidget*, const QString&) {
    ++dialogsOpened;
    return QString::fromStdString(dir.path);
  };
  action("action_3")->trigger();  // the import itself
  EXPECT_EQ(dialogsOpened, 1);
  EXPECT_TRUE(window->loader().busy());
  EXPECT_FALSE(child<QFrame>("formFrame")->isHidden());
  EXPECT_EQ(window->findChild<QMovie*>()->state(), QMovie::Running);

  action("action_3")->trigger();  // refused while the first runs
  EXPECT_EQ(dialogsOpened, 1);
  ASSERT_EQ(notices.size(), 1);
  EXPECT_EQ(notices.first(), QString::fromUtf8("提示|正在加载海图中，请稍后!"));
  EXPECT_FALSE(window->importDirectory(QString::fromStdString(dir.path)));
  EXPECT_EQ(notices.size(), 2);

  gate.release();
  ASSERT_TRUE(waitForLoading(window->loader()));
  pool->setMaxThreadCount(threads);
  EXPECT_TRUE(engine().cells().contains("APPBATCH.000"));
  EXPECT_TRUE(child<QFrame>("formFrame")->isHidden());
  EXPECT_EQ(window->findChild<QMovie*>()->state(), QMovie::NotRunning);
}

TEST_F(MainWindowTest, LoadReadsCellsInNameOrderAndReportsFailuresInTheStatusBar) {
  fixtures::TempDirectory dir;
  writeLightCell(dir.path, "APPORDB.000");
  fixtures::writeCell(fixtures::smallCell("APPORDA.000"), dir.path, "a.000");
  fixtures::writeCell(fixtures::smallCell("APPORDC.000"), dir.path, "a.001");  // not a *.000 file
  std::ofstream(dir.path + "/c.000") << "short";
  std::filesystem::rename(dir.path + "/APPORDB.000", dir.path + "/b.000");

  const size_t before = engine().cells().size();
  window->startLoading(QString::fromStdString(dir.path) + "//");
  ASSERT_TRUE(waitForLoading(window->loader()));
  const CellSnapshot cells = engine().cells().snapshot();
  ASSERT_EQ(cells->size(), before + 2);
  EXPECT_EQ((*cells)[before]->name, "APPORDA.000");
  EXPECT_EQ((*cells)[before + 1]->name, "APPORDB.000");
  // The file that is no cell, and the update of a.000 that is not one.
  const QString named = QString::fromUtf8("c.000：不是S-57海图文件（另有1条，见海图列表）");
  EXPECT_EQ(statusText(), named);
  const int rows = window->cellListPanel()->tree()->topLevelItemCount();

  // The same directory again adds nothing: the cells loaded before are no
  // failure, the file that is no cell is named again (in one row).
  window->startLoading(QString::fromStdString(dir.path));
  ASSERT_TRUE(waitForLoading(window->loader()));
  EXPECT_EQ(engine().cells().size(), before + 2);
  EXPECT_EQ(statusText(), QString::fromUtf8("c.000：不是S-57海图文件"));
  EXPECT_EQ(window->cellListPanel()->tree()->topLevelItemCount(), rows);
}

TEST_F(MainWindowTest, BatchImportEndsOnTheCellsItLoaded) {
  fixtures::TempDirectory dir;
  std::filesystem::create_directories(dir.path + "/ENC_ROOT/APPFIT1");
  writeLightCell(dir.path + "/ENC_ROOT/APPFIT1", "APPFIT1.000");
  fixtures::writeCell(fixtures::smallCell("APPFIT2.000", 0.3), dir.path + "/ENC_ROOT", "APPFIT2.000");
  showAndDraw();  // at 119E, where nothing is drawn
  ASSERT_TRUE(window->chart()->view().drawnCells.empty());
  ASSERT_TRUE(window->importDirectory(QString::fromStdString(dir.path)));
  ASSERT_TRUE(waitForLoading(window->loader()));
  window->repaint();
  int drawn = 0;
  for (const S57Cell* c : window->chart()->view().drawnCells) drawn += c->name == "APPFIT1.000" || c->name == "APPFIT2.000";
  EXPECT_EQ(drawn, 2);
  // The larger cell, 0.3 degrees from 47N 122W, fills most of the window.
  const ChartPoint southWest = geoToChart({47.0, -122.0}), northEast = geoToChart({47.3, -121.7});
  const QPoint low = toLogical(southWest, window->chart()->view()), high = toLogical(northEast, window->chart()->view());
  const int width = window->chart()->view().viewportWidth, height = window->chart()->view().viewportHeight;
  EXPECT_TRUE(low.x() > 0 && high.x() < width && high.y() > 0 && low.y() < height)
      << low.x() << "," << low.y() << " " << high.x() << "," << high.y() << " in " << width << "x" << height;
  EXPECT_GT(std::max((high.x() - low.x()) / double(width), (low.y() - high.y()) / double(height)), 0.75);

  EXPECT_EQ(statusText(), QString::fromUtf8("批量导入：加载2幅海图"));

  // Into a view that shows other cells, an import ends on what it loaded:
  // a cell far away, south of Madagascar.
  fixtures::TempDirectory more;
  fixtures::writeCell(fixtures::smallCell("APPFIT3.000", 0.5, 50000, 550, -32.5, 61.0), more.path, "APPFIT3.000");
  ASSERT_TRUE(window->importDirectory(QString::fromStdString(more.path)));
  ASSERT_TRUE(waitForLoading(window->loader()));
  window->repaint();
  ASSERT_EQ(window->chart()->view().drawnCells.size(), 1u);
  EXPECT_EQ(window->chart()->view().drawnCells[0]->name, "APPFIT3.000");
  const GeoPoint middle = chartToGeo(window->chart()->view().centre);
  EXPECT_NEAR(middle.latitude, -32.25, 0.01);
  EXPECT_NEAR(middle.longitude, 61.25, 0.01);
  // The same folder again: nothing read again, the view goes back to its cell.
  window->chart()->goTo({47, -122, 50000});
  ASSERT_TRUE(window->importDirectory(QString::fromStdString(more.path)));
  ASSERT_TRUE(waitForLoading(window->loader()));
  EXPECT_NEAR(chartToGeo(window->chart()->view().centre).longitude, 61.25, 0.01);
  EXPECT_EQ(statusText(), QString::fromUtf8("批量导入：加载0幅海图，1幅此前已加载"));
}

TEST_F(MainWindowTest, AnUpdateThatCannotApplyIsNamedInTheStatusBarAndTheCellStillLoads) {
  fixtures::TempDirectory dir;
  writeLightCell(dir.path, "APPUPD1.000");
  DataSet d;
  d.dsnm = "APPUPD1.001";
  d.expp = 2;
  d.updn = "1";
  d.edtn = "9";  // the cell is edition 1
  S57Writer update;
  update.addDataSetIdentification(d);
  fixtures::writeCell(update, dir.path, "APPUPD1.001");
  window->startLoading(QString::fromStdString(dir.path));
  ASSERT_TRUE(waitForLoading(window->loader()));
  EXPECT_TRUE(engine().cells().contains("APPUPD1.000"));
  EXPECT_EQ(statusText(), QString::fromUtf8("APPUPD1.001：此更新及其后的更新未应用：更新所属的版次与海图不同"));

  // Opened alone, the same.
  writeLightCell(dir.path, "APPUPD2.000");
  d.dsnm = "APPUPD2.001";
  S57Writer second;
  second.addDataSetIdentification(d);
  fixtures::writeCell(second, dir.path, "APPUPD2.001");
  EXPECT_EQ(window->openCell(QString::fromStdString(dir.path + "/APPUPD2.000")), ReaderResult::Ok);
  EXPECT_EQ(statusText(), QString::fromUtf8("APPUPD2.001：此更新及其后的更新未应用：更新所属的版次与海图不同"));
}

// A cell that lost records is shown as far as it goes, never as whole: the
// cell list and the status bar give the reason in Chinese; a FIFO named
// like a cell is refused at once with its reason.
TEST_F(MainWindowTest, ACellThatLostRecordsIsListedWithItsReasonAndAFifoIsRefused) {
  fixtures::TempDirectory dir;
  const S57Writer writer = fixtures::smallCell("APPPART1.000");
  const std::vector<size_t> at = writer.iso().recordOffsets();
  const std::string image = writer.image();
  const std::string part = dir.path + "/APPPART1.000";
  std::ofstream(part, std::ios::binary) << image.substr(0, at[at.size() - 5]);  // every feature record lost
  const QString reason = QString::fromUtf8(
      "APPPART1.000：记录数与数据集声明（DSSI）不符，有记录缺失或多出，海图不完整：NOMR声明1条元物标记录，读到0条；"
      "NOGR声明4条地理物标记录，读到0条");
  EXPECT_EQ(window->openCell(QString::fromStdString(part)), ReaderResult::RecordCountMismatch);
  EXPECT_TRUE(engine().cells().contains("APPPART1.000"));
  EXPECT_EQ(statusText(), reason);
  const QTreeWidget* tree = window->cellListPanel()->tree();
  bool listed = false;
  for (int i = 0; i < tree->topLevelItemCount(); ++i)
    listed = listed || (tree->topLevelItem(i)->text(CellListPanel::NameColumn) == "APPPART1.000" &&
                        tree->topLevelItem(i)->text(CellListPanel::WarningColumn) == reason);
  EXPECT_TRUE(listed);

  // Loaded from a folder, the same.
  fixtures::TempDirectory folder;
  std::ofstream(folder.path + "/APPPART2.000", std::ios::binary)
      << fixtures::smallCell("APPPART2.000").image().substr(0, at[at.size() - 5]);
  window->startLoading(QString::fromStdString(folder.path));
  ASSERT_TRUE(waitForLoading(window->loader()));
  EXPECT_TRUE(engine().cells().contains("APPPART2.000"));
  EXPECT_TRUE(statusText().startsWith(QString::fromUtf8("APPPART2.000：记录数与数据集声明（DSSI）不符")))
      << qPrintable(statusText());

  const std::string fifo = dir.path + "/APPFIFO1.000";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(window->openCell(QString::fromStdString(fifo)), ReaderResult::NotRegularFile);
  EXPECT_EQ(statusText(), QString::fromUtf8("APPFIFO1.000：不是普通文件，未读取"));
}

TEST_F(MainWindowTest, MissingDirectoryEndsTheLoadAtOnce) {
  window->startLoading("no such directory//");
  ASSERT_TRUE(waitForLoading(window->loader()));
  EXPECT_TRUE(statusText().isEmpty());
  EXPECT_TRUE(child<QFrame>("formFrame")->isHidden());
}

// ---- object selection -------------------------------------------------------

TEST_F(MainWindowTest, SelectionModeListsTheObjectsUnderAClick) {
  fixtures::TempDirectory dir;
  S57Writer w = fixtures::smallCell("APPPICK1.000");
  const std::string path = fixtures::writeCell(w, dir.path, "APPPICK1.000");
  ASSERT_EQ(window->openCell(QString::fromStdString(path)), ReaderResult::Ok);
  showAndDraw();
  // The light sits in the middle of the cell, where the view is centred.
  const auto lightPixel = [&] {
    const CellSnapshot cells = engine().cells().snapshot();
    for (S57Cell* c : *cells)
      if (c->name == "APPPICK1.000") {
        const QPoint logical = toLogical(c->points.front()->position.point, window->chart()->view());
        return QPoint(logical.x() / 23, logical.y() / 23);
      }
    return QPoint();
  };
  QPoint light = lightPixel();
  ObjectPanel* panel = window->objectPanel();
  QTreeWidget* list = panel->objectList();

  // Selection off: a click drags but lists nothing.
  press(*window->chart(), light);
  release(*window->chart(), light);
  EXPECT_EQ(list->topLevelItemCount(), 0);

  action("action_17")->trigger();
  EXPECT_TRUE(window->chart()->selectionMode());
  EXPECT_TRUE(panel->isVisible());
  // The panel takes its room beside the chart, whose centre stays.
  QApplication::processEvents();
  EXPECT_LE(window->chart()->geometry().right(), panel->geometry().left());
  window->repaint();
  light = lightPixel();
  press(*window->chart(), light);
  release(*window->chart(), light);
  // The light first (points before areas), chosen and described; the depth
  // area under it after.
  ASSERT_GE(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->headerItem()->text(ObjectPanel::ObjectColumn), QString::fromUtf8("物标信息"));
  // Names in the chart's language, 中文显示 at start.
  EXPECT_EQ(list->topLevelItem(0)->text(ObjectPanel::ObjectColumn), QString::fromUtf8("灯标 (LIGHTS)"));
  // Cells opened by other tests lie on the same square: the light of this
  // one is among the listed.
  EXPECT_FALSE(list->findItems("APPPICK1.000", Qt::MatchExactly, ObjectPanel::CellColumn).isEmpty());
  EXPECT_EQ(list->topLevelItem(list->topLevelItemCount() - 1)->text(ObjectPanel::ObjectColumn),
            QString::fromUtf8("水深区 (DEPARE)"));
  ASSERT_NE(panel->chosen(), nullptr);
  EXPECT_EQ(panel->chosen()->feature->objectClass, 75);
  EXPECT_TRUE(panel->attributeView()->toPlainText().contains(QString::fromUtf8("位置：47°03.000′N 121°57.000′W")))
      << qPrintable(panel->attributeView()->toPlainText());

  // A jump to another place (go to, a cell of the list, Home) leaves nothing
  // picked; a pan or zoom keeps the list.
  const ChartPoint picked = window->chart()->view().centre;
  window->chart()->zoomAboutCentre(true);
  EXPECT_GE(list->topLevelItemCount(), 2);
  window->chart()->goTo({-32.0, 61.0, 0});
  EXPECT_EQ(list->topLevelItemCount(), 0);
  EXPECT_EQ(panel->chosen(), nullptr);
  EXPECT_TRUE(panel->attributeView()->toPlainText().isEmpty());
  window->chart()->view().centre = picked;
  window->repaint();

  // Far away, outside the cell: only the headers.
  window->chart()->view().scale = 400000;
  window->repaint();
  press(*window->chart(), {5, 40});
  release(*window->chart(), {5, 40});
  EXPECT_EQ(list->topLevelItemCount(), 0);
  EXPECT_EQ(panel->chosen(), nullptr);
  EXPECT_TRUE(panel->attributeView()->toPlainText().isEmpty());

  // Off again: the panel hides, keeps the last list and chooses nothing.
  const QPoint centre(window->chart()->width() / 2, window->chart()->height() / 2);
  press(*window->chart(), centre);
  release(*window->chart(), centre);
  action("action_17")->trigger();
  EXPECT_FALSE(window->chart()->selectionMode());
  EXPECT_TRUE(panel->isHidden());
  EXPECT_GE(list->topLevelItemCount(), 2);
  EXPECT_EQ(panel->chosen(), nullptr);
}

// The panel takes names and value meanings from the library: list values
// decoded item by item, units, unknown codes as they stand, and an unknown
// class as an unknown object by its code; in Chinese under 中文显示 (the
// start value), in English under 英文显示.
TEST_F(MainWindowTest, TheChosenObjectIsDescribedWithDecodedValues) {
  S57Cell cell;
  cell.name = "TEST.000";
  PointFeature light;
  light.objectClass = 75;
  light.attributes = {{"COLOUR", "1,3"}, {"LITCHR", "2"}, {"HEIGHT", "12.5"}, {"OBJNAM", "东方"}};
  PointFeature unknown;
  unknown.objectClass = 9999;
  unknown.attributes = {{"COLOUR", "99"}};
  window->objectPanel()->showObjects({PickedObject{&cell, &light}, PickedObject{&cell, &unknown}});
  ObjectPanel* panel = window->objectPanel();
  ASSERT_EQ(panel->objectList()->topLevelItemCount(), 2);
  EXPECT_EQ(panel->objectList()->topLevelItem(1)->text(0), QString::fromUtf8("未知物标 (OBJL 9999)"));
  const QString chinese = panel->attributeView()->toPlainText();
  for (const char* expected : {"灯标 (LIGHTS)", "图幅：TEST.000", "颜色 (COLOUR)\n白、红 (1,3)",
                               "灯质 (LITCHR)\n闪光 (2)", "高度 (HEIGHT)\n12.5 米", "名称 (OBJNAM)\n东方"})
    EXPECT_TRUE(chinese.contains(QString::fromUtf8(expected))) << expected << "\n" << qPrintable(chinese);

  action("action_12")->trigger();  // 英文显示
  ASSERT_EQ(panel->objectList()->topLevelItemCount(), 2);
  EXPECT_EQ(panel->objectList()->topLevelItem(1)->text(0), "unknown object (OBJL 9999)");
  const QString text = panel->attributeView()->toPlainText();
  for (const char* expected : {"Light (LIGHTS)", "图幅：TEST.000", "Colour (COLOUR)\nwhite, red",
                               "Light characteristic (LITCHR)\nflashing", "Height (HEIGHT)\n12.5 m",
                               "Object name (OBJNAM)\n东方"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << qPrintable(text);

  panel->objectList()->setCurrentItem(panel->objectList()->topLevelItem(1));
  EXPECT_TRUE(panel->attributeView()->toPlainText().contains("Colour (COLOUR)\n99"));
  window->objectPanel()->showObjects({});
  EXPECT_EQ(panel->objectList()->topLevelItemCount(), 0);
  EXPECT_EQ(panel->objectList()->columnCount(), 2);
}

}  // namespace

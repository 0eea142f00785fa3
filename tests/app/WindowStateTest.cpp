// The state the window shows and keeps: check marks, the palette at night,
// the custom safety contour, Chinese texts and buttons, and the user's
// choices across a restart.
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "CellFixtures.h"
#include "CellListPanel.h"
#include "ChineseText.h"
#include "GoToDialog.h"
#include "PresentationLibrary.h"
#include "WindowFixture.h"

using namespace apptest;

namespace {

class State : public WindowTest {
protected:
  // Every checkable action against the state in force.
  void expectTrueCheckMarks(const char* when) {
    const DisplaySettings& s = window->displaySettings();
    const PresentationLibrary& library = engine().library();
    struct Mark {
      const char* action;
      bool inForce;
    } marks[] = {
        {"action_4", s.displayCategory == 0},
        {"action_5", s.displayCategory == 1},
        {"action_6", s.displayCategory == 2},
        {"action_8", !s.paperChartSymbols},
        {"action_9", s.paperChartSymbols},
        {"action_11", s.nationalText},
        {"action_12", !s.nationalText},
        {"action_15", s.showSoundings},
        {"action_16", s.showCellBoundaries},
        {"action_17", window->chart()->selectionMode()},
        {"actionWorldBaseMap", s.showWorldBaseMap},
        {"actionCellList", window->cellListPanel()->isVisible()},
        {"actionMeasure", window->chart()->rangeBearing().active()},
        {"actionRoutes", window->chart()->routeMode()},
        {"action_5m", s.safetyContour == 5},
        {"action_10m", s.safetyContour == 10},
        {"action_20m", s.safetyContour == 20},
        {"action_13", s.safetyContour != 5 && s.safetyContour != 10 && s.safetyContour != 20},
        {"action_7", s.showDepthContours},
        {"action_18", s.colourTable == &library.colourTable(ColourScheme::DAY_BRIGHT)},
        {"action_19", s.colourTable == &library.colourTable(ColourScheme::NIGHT)},
        {"action_20", s.colourTable == &library.colourTable(ColourScheme::DAY_BLACKBACK)},
        {"action_21", s.colourTable == &library.colourTable(ColourScheme::DAY_WHITEBACK)},
        {"action_22", s.colourTable == &library.colourTable(ColourScheme::DUSK)},
    };
    int checkable = 0;
    for (QAction* a : window->findChildren<QAction*>()) checkable += a->isCheckable() && !a->objectName().isEmpty();
    EXPECT_EQ(checkable, static_cast<int>(std::size(marks))) << "an action without a mark in this table";
    for (const Mark& m : marks) {
      ASSERT_NE(action(m.action), nullptr) << m.action;
      EXPECT_EQ(action(m.action)->isChecked(), m.inForce) << m.action << " " << when;
    }
  }
};

TEST_F(State, EveryCheckMarkShowsTheStateInForceAtStartAndAfterEveryChange) {
  showAndDraw();
  // At start: Chinese names, the 10 m contour set and boundaries shown.
  EXPECT_TRUE(action("action_11")->isChecked());
  EXPECT_TRUE(action("action_10m")->isChecked());
  EXPECT_TRUE(action("action_16")->isChecked());
  expectTrueCheckMarks("at start");
  for (const char* name : {"action_4", "action_6", "action_9", "action_12", "action_15", "action_16", "action_17",
                           "action_7", "action_5m", "action_20m", "action_19", "action_22", "action_20",
                           "actionWorldBaseMap", "actionCellList", "actionMeasure", "action_11", "action_16",
                           "action_18", "action_17", "actionMeasure"}) {
    action(name)->trigger();
    expectTrueCheckMarks(name);
  }
  // A click on the checked entry of a group changes nothing.
  action("action_18")->trigger();
  expectTrueCheckMarks("action_18 again");
}

TEST_F(State, TheWholeWindowTurnsDarkAtNightAndBackByDay) {
  showAndDraw();
  action("actionCellList")->trigger();
  auto lightness = [](const QWidget* w, QPalette::ColorRole role) { return w->palette().color(role).lightness(); };
  auto* box = window->findChild<QFrame*>("latlon");
  const std::vector<const QWidget*> parts = {window.get(), window->menuBar(), window->statusBar(),
                                            window->cellListPanel(), window->cellListPanel()->tree(), box};
  for (const char* dark : {"action_19", "action_22", "action_20"}) {
    action(dark)->trigger();
    QApplication::processEvents();
    for (const QWidget* w : parts) {
      EXPECT_LT(lightness(w, QPalette::Window), 60) << dark << " " << qPrintable(w->objectName());
      EXPECT_LT(lightness(w, QPalette::Base), 60) << dark << " " << qPrintable(w->objectName());
      EXPECT_LT(lightness(w, QPalette::Button), 60) << dark << " " << qPrintable(w->objectName());
    }
    // Dialogs and menus take the application's palette.
    EXPECT_LT(QApplication::palette().color(QPalette::Window).lightness(), 60) << dark;
    QMessageBox box(window.get());
    EXPECT_LT(lightness(&box, QPalette::Window), 60) << dark;
    // On screen too: the menu bar and the position box.
    const QImage menu = window->menuBar()->grab().toImage();
    EXPECT_LT(menu.pixelColor(menu.width() - 5, menu.height() / 2).lightness(), 60) << dark;
    const QImage position = window->findChild<QFrame*>("latlon")->grab().toImage();
    EXPECT_LT(position.pixelColor(position.width() / 2, 3).lightness(), 60) << dark;
  }
  // Night is darker than dusk: text dim as well.
  action("action_19")->trigger();
  EXPECT_LT(window->palette().color(QPalette::WindowText).lightness(), 140);
  for (const char* day : {"action_18", "action_21"}) {
    action(day)->trigger();
    EXPECT_GT(lightness(window.get(), QPalette::Window), 150) << day;
    EXPECT_GT(QApplication::palette().color(QPalette::Window).lightness(), 150) << day;
  }
}

TEST_F(State, ACustomSafetyContourFromTheMenu) {
  showAndDraw();
  double offered = 0;
  double answer = 7.5;
  window->dialogs.customSafetyContour = [&](QWidget*, double current, double& metres) {
    offered = current;
    metres = answer;
    return true;
  };
  action("action_13")->trigger();
  EXPECT_EQ(offered, 10.0);
  // The shallow (5 m) and deep (20 m) contours the mariner has stay.
  EXPECT_FLOAT_EQ(window->displaySettings().safetyContour, 7.5f);
  EXPECT_FLOAT_EQ(window->displaySettings().shallowContour, 5.0f);
  EXPECT_FLOAT_EQ(window->displaySettings().deepContour, 20.0f);
  EXPECT_TRUE(action("action_13")->isChecked());
  EXPECT_FALSE(action("action_10m")->isChecked());
  EXPECT_TRUE(action("action_13")->text().contains("7.5"));
  // Unless the new one contradicts them: then they move, and the status
  // bar says so.
  answer = 30;
  action("action_13")->trigger();
  EXPECT_FLOAT_EQ(window->displaySettings().deepContour, 30.0f);
  EXPECT_FLOAT_EQ(window->displaySettings().shallowContour, 5.0f);
  EXPECT_EQ(window->statusBar()->currentMessage(), QString::fromUtf8("深水等深线随之改为30米"));
  answer = 3;
  action("action_13")->trigger();
  EXPECT_FLOAT_EQ(window->displaySettings().shallowContour, 3.0f);
  EXPECT_FLOAT_EQ(window->displaySettings().deepContour, 30.0f);
  EXPECT_EQ(window->statusBar()->currentMessage(), QString::fromUtf8("浅水等深线随之改为3米"));
  // The sets too, and a cancelled choice keeps the set in force.
  action("action_20m")->trigger();
  EXPECT_FLOAT_EQ(window->displaySettings().safetyContour, 20.0f);
  EXPECT_FLOAT_EQ(window->displaySettings().shallowContour, 3.0f);
  EXPECT_FLOAT_EQ(window->displaySettings().deepContour, 30.0f);
  window->dialogs.customSafetyContour = [](QWidget*, double, double&) { return false; };
  action("action_13")->trigger();
  EXPECT_FLOAT_EQ(window->displaySettings().safetyContour, 20.0f);
  EXPECT_TRUE(action("action_20m")->isChecked());
  EXPECT_FALSE(action("action_13")->isChecked());
}

// Runs `open` and answers the message box it shows with its first button,
// after noting the box's buttons.
QStringList buttonsOfTheBoxShownBy(const std::function<void()>& open) {
  QStringList buttons;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    for (QAbstractButton* b : box->buttons()) buttons << b->text();
    box->buttons().first()->click();
  });
  open();
  return buttons;
}

// The question 退出 asks is as dark as the window at night: its
// background, its text and its buttons.
TEST_F(State, TheQuitQuestionFollowsTheDarkTables) {
  showAndDraw();
  window->dialogs.question = UserDialogs::standard().question;
  for (const char* table : {"action_19", "action_22", "action_20"}) {
    action(table)->trigger();
    QImage shot;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      QApplication::processEvents();
      shot = box->grab().toImage();
      box->button(QMessageBox::No)->click();
    });
    action("action_2")->trigger();  // 退出, answered no
    ASSERT_FALSE(shot.isNull()) << table;
    EXPECT_TRUE(window->isVisible());
    // Nothing white: the text of the dark tables is grey, a white icon is not.
    int white = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x) white += shot.pixelColor(x, y).lightness() > 235;
    EXPECT_LT(white, 20) << table;
  }
}

TEST_F(State, MessagesAndButtonsAreChinese) {
  ASSERT_TRUE(installChineseTranslation(*QCoreApplication::instance()))
      << "qtbase_zh_CN.qm is missing: install qttranslations5-l10n";
  const UserDialogs standard = UserDialogs::standard();
  // The loading notice is a notice: one button, 确定.
  QStringList buttons = buttonsOfTheBoxShownBy([&] { standard.information(window.get(), "提示", "正在加载海图中，请稍后!"); });
  EXPECT_EQ(buttons, QStringList{QString::fromUtf8("确定")});
  buttons = buttonsOfTheBoxShownBy([&] { standard.question(window.get(), "退出", "确认退出本程序?"); });
  ASSERT_EQ(buttons.size(), 2);
  EXPECT_TRUE(buttons[0].startsWith(QString::fromUtf8("是"))) << qPrintable(buttons.join(","));
  EXPECT_TRUE(buttons[1].startsWith(QString::fromUtf8("否"))) << qPrintable(buttons.join(","));
  GoToDialog dialog;
  const auto* box = dialog.findChild<QDialogButtonBox*>();
  EXPECT_EQ(box->button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8("取消"));

  // Every reason a cell is refused, in Chinese; a code the window does not
  // know keeps its number.
  for (int code : {1, 2, 3, 4, 5, 7, 8, 11, 12, 13}) {
    const QString text = chineseFailureText(static_cast<ReaderResult>(code));
    EXPECT_FALSE(text.isEmpty());
    bool chinese = false;
    for (QChar c : text) chinese = chinese || c.unicode() >= 0x4E00;
    EXPECT_TRUE(chinese) << code << " " << qPrintable(text);
  }
  EXPECT_EQ(chineseFailureText(CellLoadResult::noLibrary()), QString::fromUtf8("未加载海图符号库（S57Lib）"));
  EXPECT_TRUE(chineseFailureText(static_cast<ReaderResult>(99)).contains("99"));
  // The status bar names a failed cell in Chinese.
  fixtures::TempDirectory dir;
  std::ofstream(dir.path + "/short.000") << "short";
  window->openCell(QString::fromStdString(dir.path + "/short.000"));
  EXPECT_EQ(window->statusBar()->currentMessage(), QString::fromUtf8("short.000：不是S-57海图文件"));
}

TEST_F(State, ChoicesSurviveARestartAndDefaultsComeBack) {
  fixtures::TempDirectory dir;
  const std::string cell = fixtures::writeCell(fixtures::smallCell("REMEMBER.000"), dir.path, "REMEMBER.000");
  QString offeredFolder = "unset";
  window->dialogs.openCellFile = [&](QWidget*, const QString& folder) {
    offeredFolder = folder;
    return QString::fromStdString(cell);
  };
  showAndDraw();
  action("action")->trigger();
  EXPECT_TRUE(offeredFolder.isEmpty());
  for (const char* name : {"action_6", "action_9", "action_12", "action_15", "action_16", "action_7", "action_20m",
                           "action_19", "actionWorldBaseMap", "actionCellList"})
    action(name)->trigger();
  window->resize(1000, 760);
  window->move(40, 50);
  QApplication::processEvents();
  const QRect geometry = window->geometry();
  const QPoint place = window->pos();
  EXPECT_TRUE(window->close());  // asked, answered yes: the layout is kept
  window.reset();

  // A new window, as after a restart of the program.
  window = makeWindow();
  window->dialogs.openCellFile = [&](QWidget*, const QString& folder) {
    offeredFolder = folder;
    return QString();
  };
  showAndDraw();
  // The settings of the window open at the time.
  const auto s = [&]() -> const DisplaySettings& { return window->displaySettings(); };
  EXPECT_EQ(s().displayCategory, 2);
  EXPECT_TRUE(s().paperChartSymbols);
  EXPECT_FALSE(s().nationalText);
  EXPECT_TRUE(s().showSoundings);
  EXPECT_FALSE(s().showCellBoundaries);
  EXPECT_TRUE(s().showDepthContours);
  EXPECT_FLOAT_EQ(s().safetyContour, 20.0f);
  EXPECT_EQ(s().colourTable, &engine().library().colourTable(ColourScheme::NIGHT));
  EXPECT_FALSE(s().showWorldBaseMap);
  EXPECT_TRUE(window->cellListPanel()->isVisible());
  EXPECT_EQ(window->size(), geometry.size());
  EXPECT_EQ(window->pos(), place);
  // Closed and opened again without a move, it stays where it is.
  EXPECT_TRUE(window->close());
  window = makeWindow();
  showAndDraw();
  EXPECT_EQ(window->pos(), place);
  EXPECT_EQ(window->size(), geometry.size());
  window->dialogs.openCellFile = [&](QWidget*, const QString& folder) {
    offeredFolder = folder;
    return QString();
  };
  EXPECT_LT(QApplication::palette().color(QPalette::Window).lightness(), 60);  // night, dark
  EXPECT_TRUE(action("action_19")->isChecked());
  action("action")->trigger();
  EXPECT_EQ(offeredFolder, QFileInfo(QString::fromStdString(cell)).absolutePath());

  // 恢复默认: the start values, and nothing stored any more.
  action("actionDefaults")->trigger();
  EXPECT_EQ(s().displayCategory, 1);
  EXPECT_FALSE(s().paperChartSymbols);
  EXPECT_TRUE(s().nationalText);
  EXPECT_TRUE(s().showCellBoundaries);
  EXPECT_FLOAT_EQ(s().safetyContour, 10.0f);
  EXPECT_EQ(s().colourTable, &engine().library().colourTable(ColourScheme::DAY_BRIGHT));
  EXPECT_TRUE(s().showWorldBaseMap);
  EXPECT_TRUE(action("action_18")->isChecked());
  EXPECT_GT(QApplication::palette().color(QPalette::Window).lightness(), 150);
  window.reset();
  window = makeWindow();
  EXPECT_EQ(window->displaySettings().displayCategory, 1);
  EXPECT_FLOAT_EQ(window->displaySettings().safetyContour, 10.0f);
}

}  // namespace

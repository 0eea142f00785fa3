#include "MainWindow.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDebug>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QMovie>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QWheelEvent>
#include <cstdlib>

#include "AdvancedSettingsDialog.h"
#include "CellListPanel.h"
#include "ChartEngine.h"
#include "DisplaySettings.h"
#include "LoadTask.h"
#include "MercatorProjection.h"
#include "ObjectHighlight.h"
#include "ObjectPanel.h"
#include "TrueScale.h"
#include "ViewFitting.h"

// The animation resource lives in the appcore library; this links it in.
static void initAppResources() { Q_INIT_RESOURCE(app); }

namespace {

constexpr float kStartScale = kMaximumViewScale;
constexpr int kDragThreshold = 5;  // pixels in x or in y
// pan() takes the release 30 pixels higher than reported; the window hands
// it the true release plus that lift, so the chart ends where the drag
// preview showed it, under the mouse.
constexpr int kPanReleaseLift = 30;
constexpr int kFailureMessageMs = 8000;
constexpr int kObjectPanelWidth = 280;  // pixels

QPoint eventPosition(const QPointF& p) { return {qRound(p.x()), qRound(p.y())}; }

QString degreesMinutes(double value, char positive, char negative) {
  const char letter = value >= 0 ? positive : negative;
  if (value < 0) value = -value;
  const int degrees = static_cast<int>(value);
  const double minutes = (value - degrees) * 60.0;
  return QString::number(degrees) + QStringLiteral("°") + QString::number(minutes, 'f', 3) +
         QStringLiteral("′") + QLatin1Char(letter);
}

}  // namespace

UserDialogs UserDialogs::standard() {
  UserDialogs d;
  d.question = [](QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes);
  };
  // A notice, not a question: one button.
  d.information = [](QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text);
  };
  d.openCellFile = [](QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("打开海图"), folder,
                                        QStringLiteral("S-57 海图 (*.000)"));
  };
  d.chooseDirectory = [](QWidget* parent, const QString& folder) {
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("选择目录"), folder,
                                             QFileDialog::ShowDirsOnly);
  };
  d.goTo = [](QWidget* parent, GoToTarget& target) {
    GoToDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    target = dialog.target();
    return true;
  };
  d.customSafetyContour = [](QWidget* parent, double current, double& metres) {
    bool ok = false;
    const double value = QInputDialog::getDouble(parent, QStringLiteral("自定义安全等深线"),
                                                 QStringLiteral("安全等深线（0.1至500米）："), current,
                                                 kMinimumSafetyContour, kMaximumSafetyContour, 1, &ok);
    if (ok) metres = value;
    return ok;
  };
  d.advancedSettings = [](QWidget* parent, DisplaySettings& settings) {
    AdvancedSettingsDialog dialog(settings, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.apply(settings);
    return true;
  };
  return d;
}

MainWindow::MainWindow(ChartEngine& engine, QWidget* parent)
    : QMainWindow(parent), engine_(engine), settings_(engine.library()) {
  initAppResources();
  setObjectName(QStringLiteral("MainWindow"));
  // 1. The widget tree and the window's own look.
  createCentralWidget();
  createLoadingPanel();
  createPositionBox();
  createCellList();
  createActions();
  createMenus();
  createStatusBar();
  resize(862, 686);
  QFont windowFont = font();
  windowFont.setStyleStrategy(QFont::PreferAntialias);
  setFont(windowFont);
  setAutoFillBackground(false);
  setStyleSheet(QString());

  // 2. The view: the whole start-up region.
  chartView = ChartView();
  chartView.pixelMillimetres = screenPixelMillimetres();
  setCentreGeo(30.0, 119.0, chartView);
  setTrueScaleWithinLimits(chartView, kStartScale);
  // 3.
  setWindowTitle(QStringLiteral("电子海图"));
  // 4. to 6.
  createAttributeView();
  createActionGroups();
  setUpLoadingAnimation();
  // 7. Moves without a pressed button reach the move handler too.
  centralWidget_->setMouseTracking(true);
  setMouseTracking(true);
  // 8. A missing icon file leaves the window without one.
  const QPixmap icon(QStringLiteral("logo.png"));
  if (!icon.isNull()) setWindowIcon(QIcon(icon));
  // 9.
  displaySettings().setContourSet(10);
  // The keys reach the window.
  setFocusPolicy(Qt::StrongFocus);

  placeChildren();
  QMetaObject::connectSlotsByName(this);
  // The user's choices of the last start, then every check mark and the
  // palette as they stand; the position box starts with the view's centre.
  restoreChoices();
  syncCheckMarks();
  applyTheme();
  viewChanged();
}

MainWindow::~MainWindow() {
  // A task must not call back into a window that is gone.
  loadTask::stopAll(engine_);
}

// ---- widget tree ----------------------------------------------------------

void MainWindow::createCentralWidget() {
  centralWidget_ = new QWidget(this);
  centralWidget_->setObjectName(QStringLiteral("centralwidget"));
  objectPanel_ = new ObjectPanel(engine_.library(), centralWidget_);
  setCentralWidget(centralWidget_);
}

void MainWindow::createLoadingPanel() {
  loadingPanel_ = new QFrame(centralWidget_);
  loadingPanel_->setObjectName(QStringLiteral("formFrame"));
  loadingPicture_ = new QLabel(QStringLiteral("TextLabel"), loadingPanel_);
  loadingPicture_->setObjectName(QStringLiteral("label"));
  loadingPicture_->setStyleSheet(QStringLiteral("background-color: transparent;"));
  loadingPicture_->setGeometry(140, 20, 120, 120);
  loadingCaption_ = new QLabel(QStringLiteral("正在加载海图..."), loadingPanel_);
  loadingCaption_->setObjectName(QStringLiteral("label_2"));
  QFont captionFont(QStringLiteral("Agency FB"));
  captionFont.setPointSize(14);
  captionFont.setWeight(50);
  captionFont.setItalic(false);
  loadingCaption_->setFont(captionFont);
  loadingCaption_->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  loadingCaption_->setStyleSheet(
      QStringLiteral("color: rgb(255, 85, 127);\nfont: 14pt \"宋体\";\nfont: 14pt \"Agency FB\";"));
  loadingCaption_->setGeometry(0, 150, 400, 50);
}

void MainWindow::createPositionBox() {
  positionBox_ = new QFrame(centralWidget_);
  positionBox_->setObjectName(QStringLiteral("latlon"));
  // Opaque in the window's own colour, which follows the colour table.
  positionBox_->setStyleSheet(
      QStringLiteral("#latlon{\nborder:2px solid  rgb(180, 216, 253);\nbackground-color: palette(window);\n}"));
  auto* latitudeCaption = new QLabel(QStringLiteral("纬度："), positionBox_);
  latitudeCaption->setObjectName(QStringLiteral("label_3"));
  latitudeCaption->setGeometry(6, 5, 42, 20);
  latitudeLabel_ = new QLabel(positionBox_);
  latitudeLabel_->setObjectName(QStringLiteral("lat"));
  latitudeLabel_->setGeometry(48, 5, 100, 20);
  longitudeLabel_ = new QLabel(positionBox_);
  longitudeLabel_->setObjectName(QStringLiteral("lon"));
  longitudeLabel_->setGeometry(194, 5, 104, 20);
  auto* longitudeCaption = new QLabel(QStringLiteral("经度："), positionBox_);
  longitudeCaption->setObjectName(QStringLiteral("label_6"));
  longitudeCaption->setGeometry(152, 5, 42, 20);
}

QAction* MainWindow::createAction(const char* objectName, const QString& text, bool checkable,
                                  bool checked) {
  auto* a = new QAction(text, this);
  a->setObjectName(QString::fromLatin1(objectName));
  a->setCheckable(checkable);
  a->setChecked(checked);
  return a;
}

void MainWindow::createActions() {
  action_ = createAction("action", QStringLiteral("导入"), false);
  action_3_ = createAction("action_3", QStringLiteral("批量导入"), false);
  action_2_ = createAction("action_2", QStringLiteral("退出"), false);
  action_4_ = createAction("action_4", QStringLiteral("基本显示"), true);
  action_5_ = createAction("action_5", QStringLiteral("标准显示"), true, true);
  action_6_ = createAction("action_6", QStringLiteral("全部显示"), true);
  action_8_ = createAction("action_8", QStringLiteral("传统符号"), true, true);
  action_9_ = createAction("action_9", QStringLiteral("纸质符号"), true);
  action_11_ = createAction("action_11", QStringLiteral("中文显示"), true);
  action_12_ = createAction("action_12", QStringLiteral("英文显示"), true, true);
  action_15_ = createAction("action_15", QStringLiteral("水深显示"), true);
  action_16_ = createAction("action_16", QStringLiteral("边界显示"), true);
  action_17_ = createAction("action_17", QStringLiteral("选择对象"), true);
  action_5m_ = createAction("action_5m", QStringLiteral("等深线5m"), true, true);
  action_10m_ = createAction("action_10m", QStringLiteral("等深线10m"), true);
  action_20m_ = createAction("action_20m", QStringLiteral("等深线20m"), true);
  action_13_ = createAction("action_13", QStringLiteral("自定义…"), true);
  action_7_ = createAction("action_7", QStringLiteral("显示等深线"), true);
  action_10_ = createAction("action_10", QStringLiteral(" 等深线标识"), false);
  action_18_ = createAction("action_18", QStringLiteral("白天"), true, true);
  action_19_ = createAction("action_19", QStringLiteral("夜晚"), true);
  action_20_ = createAction("action_20", QStringLiteral("晴天"), true);
  action_21_ = createAction("action_21", QStringLiteral("雨天"), true);
  action_22_ = createAction("action_22", QStringLiteral("阴天"), true);
  actionGoTo_ = createAction("actionGoTo", QStringLiteral("转到…"), false);
  actionMeasure_ = createAction("actionMeasure", QStringLiteral("测距"), true);
  actionWorldBaseMap_ = createAction("actionWorldBaseMap", QStringLiteral("世界底图"), true, true);
  actionDefaults_ = createAction("actionDefaults", QStringLiteral("恢复默认"), false);
  actionAdvanced_ = createAction("actionAdvanced", QStringLiteral("高级设置…"), false);
  // The dock's own action: its check mark follows the panel.
  actionCellList_ = cellListPanel_->toggleViewAction();
  actionCellList_->setObjectName(QStringLiteral("actionCellList"));
  actionCellList_->setText(QStringLiteral("海图列表"));
  // Never shown: contour labels have no setting of their own, and the rain
  // colour table is not offered.
  action_10_->setVisible(false);
  action_21_->setVisible(false);
}

void MainWindow::createMenus() {
  auto* menubar = new QMenuBar(this);
  menubar->setObjectName(QStringLiteral("menubar"));
  auto addMenu = [menubar](const char* name, const QString& title) {
    QMenu* m = menubar->addMenu(title);
    m->setObjectName(QString::fromLatin1(name));
    return m;
  };
  QMenu* start = addMenu("menu", QStringLiteral("开始"));
  QMenu* display = addMenu("menu_2", QStringLiteral("显示设置"));
  QMenu* contours = addMenu("menu_3", QStringLiteral("等深线设置"));
  QMenu* colours = addMenu("menu_4", QStringLiteral("颜色设置"));
  start->addActions({action_, action_3_, actionGoTo_, actionMeasure_, action_2_});
  display->addSeparator();
  display->addActions({action_4_, action_5_, action_6_});
  display->addSeparator();
  display->addActions({action_8_, action_9_});
  display->addSeparator();
  display->addActions({action_11_, action_12_});
  display->addSeparator();
  display->addSeparator();
  display->addActions({action_15_, action_16_, action_17_, actionWorldBaseMap_, actionCellList_});
  display->addSeparator();
  display->addActions({actionAdvanced_, actionDefaults_});
  contours->addActions({action_5m_, action_10m_, action_20m_, action_13_, action_7_, action_10_});
  colours->addActions({action_18_, action_19_, action_20_, action_21_, action_22_});
  setMenuBar(menubar);
}

void MainWindow::createAttributeView() {
  objectPanel_->hide();
  // Choosing another object in the list moves the highlight.
  connect(objectPanel_, &ObjectPanel::choiceChanged, this, [this] { update(); });
}

void MainWindow::createActionGroups() {
  auto group = [this](std::initializer_list<QAction*> actions) {
    auto* g = new QActionGroup(this);
    g->setExclusive(true);
    for (QAction* a : actions) g->addAction(a);
    return g;
  };
  categoryGroup_ = group({action_4_, action_5_, action_6_});
  symbolGroup_ = group({action_8_, action_9_});
  languageGroup_ = group({action_11_, action_12_});
  contourGroup_ = group({action_5m_, action_10m_, action_20m_, action_13_});
  colourGroup_ = group({action_18_, action_19_, action_20_, action_21_, action_22_});
}

void MainWindow::setUpLoadingAnimation() {
  loadingMovie_ = new QMovie(QStringLiteral(":/timg1.gif"), QByteArray(), this);
  loadingPicture_->setMovie(loadingMovie_);
  loadingPicture_->setScaledContents(true);
  loadingMovie_->stop();
  loadingPanel_->hide();
}

void MainWindow::createStatusBar() {
  auto* statusbar = new QStatusBar(this);
  statusbar->setObjectName(QStringLiteral("statusbar"));
  measureLabel_ = new QLabel(statusbar);
  measureLabel_->setObjectName(QStringLiteral("measureLabel"));
  measureLabel_->hide();
  statusbar->addWidget(measureLabel_);
  overscaleLabel_ = new QLabel(statusbar);
  overscaleLabel_->setObjectName(QStringLiteral("overscaleLabel"));
  overscaleLabel_->setStyleSheet(QStringLiteral("color: rgb(200, 0, 160); font-weight: bold;"));
  overscaleLabel_->hide();
  statusbar->addPermanentWidget(overscaleLabel_);
  scaleLabel_ = new QLabel(statusbar);
  scaleLabel_->setObjectName(QStringLiteral("scaleLabel"));
  statusbar->addPermanentWidget(scaleLabel_);
  setStatusBar(statusbar);
}

void MainWindow::createCellList() {
  cellListPanel_ = new CellListPanel(this);
  addDockWidget(Qt::RightDockWidgetArea, cellListPanel_);
  cellListPanel_->hide();
  connect(cellListPanel_, &CellListPanel::cellActivated, this, [this](const QString& name) { showCell(name); });
  // The attribute view keeps to the right edge of what the panel leaves.
  connect(cellListPanel_, &QDockWidget::visibilityChanged, this, [this] { placeChildren(); }, Qt::QueuedConnection);
}

void MainWindow::placeChildren() {
  const int w = width(), h = height();
  const bool docked = cellListPanel_ && cellListPanel_->isVisible() && !cellListPanel_->isFloating();
  objectPanel_->setGeometry((docked ? centralWidget_->width() : w) - kObjectPanelWidth, 0, kObjectPanelWidth, h);
  loadingPanel_->setGeometry(w / 2 - 200, h / 2 - 122, 400, 225);
  positionBox_->setGeometry(20, h - 80, 300, 30);
}

// ---- events -----------------------------------------------------------------

int MainWindow::chartTop() const {
  return menuBar() && menuBar()->isVisible() ? menuBar()->geometry().bottom() + 1 : 0;
}

void MainWindow::paintEvent(QPaintEvent*) {
  if (painting_) return;
  QElapsedTimer stopwatch;
  stopwatch.start();
  QPainter painter(this);
  if (dragging_ && !dragImage_.isNull()) {
    painter.drawPixmap(dragOffset_.x(), dragImageTop_ + dragOffset_.y(), dragImage_);
    return;
  }
  painting_ = true;
  setupPainter(painter, width(), height(), chartView);
  chartView.pixelMillimetres = screenPixelMillimetres();  // the window may have moved to another screen
  displaySettings().refreshToday();  // the viewing date follows the calendar unless one was chosen
  chartView.draw(painter, engine_, displaySettings());
  if (selectionMode_)
    if (const PickedObject* chosen = objectPanel_->chosen())
      drawObjectHighlight(painter, chartView, chartView.buffers, *chosen->feature, chosen->sounding);
  if (rangeBearing_.active()) {
    painter.setWindow(rect());  // back to window pixels, in the window's font
    painter.setFont(font());
    rangeBearing_.draw(painter, chartView, palette().color(QPalette::Window));
  }
  qDebug("draw pass: %lld ms", static_cast<long long>(stopwatch.elapsed()));
  painting_ = false;
  // A view changed without viewChanged (by a caller that set it directly):
  // the status bar catches up after this paint.
  if (trueScale(chartView) != shownScale_) {
    shownScale_ = trueScale(chartView);
    QMetaObject::invokeMethod(
        this, [this] { scaleLabel_->setText(scaleText()), showCursorPosition(); }, Qt::QueuedConnection);
  }
  // The overscale factor is known once the pass has chosen its cells.
  if (chartView.overscale != shownOverscale_) {
    shownOverscale_ = chartView.overscale;
    QMetaObject::invokeMethod(this, [this] { showOverscale(); }, Qt::QueuedConnection);
  }
}

QString MainWindow::overscaleText() const {
  if (!(chartView.overscale > 1)) return QString();
  return QStringLiteral("超比例 ×") + QString::number(chartView.overscale, 'f', chartView.overscale < 10 ? 1 : 0);
}

void MainWindow::showOverscale() {
  const QString text = overscaleText();
  overscaleLabel_->setText(text);
  overscaleLabel_->setVisible(!text.isEmpty());
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  placeChildren();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (dialogs.question(this, QStringLiteral("退出"), QStringLiteral("确认退出本程序?")) !=
      QMessageBox::Yes) {
    event->ignore();
    return;
  }
  QSettings store;
  store.setValue(QStringLiteral("window/geometry"), saveGeometry());
  store.setValue(QStringLiteral("window/state"), saveState());
  event->accept();
}

void MainWindow::grabDragPreview() {
  // The chart area as it is on the screen, from below the menu bar; it is
  // drawn back at the same place plus the drag offset.
  dragImageTop_ = chartTop();
  QScreen* screen = QGuiApplication::primaryScreen();
  dragImage_ = screen ? screen->grabWindow(winId(), 0, dragImageTop_, width(), height() - dragImageTop_)
                      : QPixmap();
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
  const QPoint at = eventPosition(event->localPos());
  if (event->button() == Qt::LeftButton) {
    setCursor(Qt::PointingHandCursor);
    press_ = lastDrag_ = at;
    dragging_ = true;
    grabDragPreview();
    if (selectionMode_) showAttributes(chartView.pick(displaySettings(), at.x(), at.y()));
  } else if (event->button() == Qt::RightButton) {
    update();
  }
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = eventPosition(event->localPos());
  if (dragging_) {
    const QPoint step = at - lastDrag_;
    if (std::abs(step.x()) > kDragThreshold || std::abs(step.y()) > kDragThreshold) {
      dragOffset_ += step;
      lastDrag_ = at;
      update();
    }
  }
  cursor_ = at;
  cursorSeen_ = true;
  showCursorPosition();
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = eventPosition(event->localPos());
  const bool previewMoved = !dragOffset_.isNull();
  dragOffset_ = QPoint();
  dragging_ = false;
  dragImage_ = QPixmap();
  setCursor(Qt::ArrowCursor);
  if (std::abs(at.x() - press_.x()) > kDragThreshold || std::abs(at.y() - press_.y()) > kDragThreshold) {
    pan(press_.x(), press_.y(), at.x(), at.y() + kPanReleaseLift, chartView);
    viewMovedByUser_ = true;
    viewChanged();
  } else if (rangeBearing_.active()) {
    // A click, not a drag: one end of a measurement.
    rangeBearing_.click(pixelToChart(at.x(), at.y(), chartView));
    showMeasurement();
    update();
  } else if (previewMoved) {
    update();  // the preview moved and came back: show the chart where it was
  }
  press_ = at;
}

QString MainWindow::latitudeText(double degrees) { return degreesMinutes(degrees, 'N', 'S'); }
QString MainWindow::longitudeText(double degrees) { return degreesMinutes(degrees, 'E', 'W'); }

void MainWindow::showFailure(const QString& text) {
  qWarning().noquote() << text;
  statusBar()->showMessage(text, kFailureMessageMs);
}

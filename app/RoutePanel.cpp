#include "RoutePanel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "PositionInput.h"
#include "ReadoutText.h"
#include "RouteBook.h"
#include "RouteText.h"

namespace {

QTableWidgetItem* fixedItem(const QString& text) {
  auto* item = new QTableWidgetItem(text);
  item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  return item;
}

QString waypointLabel(const Route& route, int index) {
  const std::string& name = route.waypoints()[static_cast<std::size_t>(index)].name;
  return name.empty() ? QStringLiteral("%1").arg(index + 1) : QString::fromStdString(name);
}

QString xtdText(const LegSettings& s) {
  if (s.portXtdNm == s.starboardXtdNm) return QString::number(s.portXtdNm, 'g', 6);
  return QStringLiteral("%1/%2").arg(QString::number(s.portXtdNm, 'g', 6), QString::number(s.starboardXtdNm, 'g', 6));
}

}  // namespace

RoutePanel::RoutePanel(RouteBook& book, QWidget* parent) : QDockWidget(QStringLiteral("航线"), parent), book_(book) {
  setObjectName(QStringLiteral("routePanel"));
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);

  auto* top = new QHBoxLayout;
  routes_ = new QComboBox(body);
  auto* add = new QPushButton(QStringLiteral("新建"), body);
  auto* remove = new QPushButton(QStringLiteral("删除"), body);
  add->setObjectName(QStringLiteral("routeNew"));
  remove->setObjectName(QStringLiteral("routeDelete"));
  top->addWidget(routes_, 1);
  top->addWidget(add);
  top->addWidget(remove);
  layout->addLayout(top);
  name_ = new QLineEdit(body);
  name_->setPlaceholderText(QStringLiteral("航线名称"));
  layout->addWidget(name_);

  legs_ = new QTableWidget(0, LegColumns, body);
  legs_->setHorizontalHeaderLabels({QStringLiteral("航段"), QStringLiteral("起点"), QStringLiteral("终点"),
                                    QStringLiteral("真航向"), QStringLiteral("距离(NM)"),
                                    QStringLiteral("偏航距(NM)"), QStringLiteral("类型")});
  legs_->verticalHeader()->hide();
  layout->addWidget(legs_, 2);
  totals_ = new QLabel(body);
  layout->addWidget(totals_);

  waypoints_ = new QTableWidget(0, WaypointColumns, body);
  waypoints_->setHorizontalHeaderLabels({QStringLiteral("航路点"), QStringLiteral("纬度"), QStringLiteral("经度")});
  layout->addWidget(waypoints_, 2);
  message_ = new QLabel(body);
  message_->setWordWrap(true);
  layout->addWidget(message_);

  auto* files = new QHBoxLayout;
  auto* import = new QPushButton(QStringLiteral("导入…"), body);
  auto* exportButton = new QPushButton(QStringLiteral("导出…"), body);
  check_ = new QPushButton(QStringLiteral("检查航线"), body);
  import->setObjectName(QStringLiteral("routeImport"));
  exportButton->setObjectName(QStringLiteral("routeExport"));
  check_->setObjectName(QStringLiteral("routeCheck"));
  files->addWidget(import);
  files->addWidget(exportButton);
  files->addWidget(check_);
  layout->addLayout(files);
  checkState_ = new QLabel(QStringLiteral("航线未检查"), body);
  checkState_->setWordWrap(true);
  layout->addWidget(checkState_);
  findings_ = new QTreeWidget(body);
  findings_->setRootIsDecorated(false);
  findings_->setHeaderLabels({QStringLiteral("航段"), QStringLiteral("类别"), QStringLiteral("物标"),
                              QStringLiteral("原因"), QStringLiteral("位置")});
  layout->addWidget(findings_, 3);
  setWidget(body);

  connect(routes_, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
    if (book_.setActive(index)) emit activeRouteChanged();
  });
  connect(add, &QPushButton::clicked, this, [this] {
    book_.add(Route(book_.freeName()));
    emit activeRouteChanged();
  });
  connect(remove, &QPushButton::clicked, this, [this] {
    if (book_.empty()) return;
    book_.removeActive();
    emit activeRouteChanged();
  });
  connect(name_, &QLineEdit::editingFinished, this, [this] {
    Route* route = book_.active();
    if (!route || route->name() == name_->text().toStdString()) return;
    route->setName(name_->text().toStdString());
    emit routeEdited();
  });
  connect(waypoints_, &QTableWidget::itemChanged, this, &RoutePanel::waypointTyped);
  connect(legs_, &QTableWidget::itemChanged, this, &RoutePanel::legTyped);
  connect(import, &QPushButton::clicked, this, &RoutePanel::importRequested);
  connect(exportButton, &QPushButton::clicked, this, &RoutePanel::exportRequested);
  connect(check_, &QPushButton::clicked, this, &RoutePanel::checkRequested);
  connect(findings_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item && !filling_) emit findingChosen(findings_->indexOfTopLevelItem(item));
  });
  refresh();
}

void RoutePanel::refresh() {
  filling_ = true;
  listRoutes();
  listLegs();
  listWaypoints();
  filling_ = false;
}

void RoutePanel::listRoutes() {
  const QSignalBlocker blocker(routes_);
  routes_->clear();
  for (const Route& r : book_.routes()) routes_->addItem(QString::fromStdString(r.name()));
  routes_->setCurrentIndex(book_.activeIndex());
  const Route* route = book_.active();
  name_->setText(route ? QString::fromStdString(route->name()) : QString());
  name_->setEnabled(route != nullptr);
}

void RoutePanel::listLegs() {
  const QSignalBlocker blocker(legs_);
  const Route* route = book_.active();
  const int count = route ? route->legCount() : 0;
  legs_->setRowCount(count);
  for (int i = 0; i < count; ++i) {
    const RouteLeg leg = route->leg(i);
    legs_->setItem(i, LegNumber, fixedItem(QString::number(i + 1)));
    legs_->setItem(i, LegFrom, fixedItem(waypointLabel(*route, i)));
    legs_->setItem(i, LegTo, fixedItem(waypointLabel(*route, i + 1)));
    legs_->setItem(i, LegCourse, fixedItem(bearingText(leg.initialCourse)));
    legs_->setItem(i, LegDistance, fixedItem(nauticalMilesText(leg.metres)));
    legs_->setItem(i, LegXtd, new QTableWidgetItem(xtdText(leg.settings)));
    auto* kind = new QComboBox(legs_);
    kind->addItems({legKindText(LegKind::Rhumb), legKindText(LegKind::GreatCircle)});
    kind->setCurrentIndex(leg.settings.kind == LegKind::GreatCircle ? 1 : 0);
    connect(kind, QOverload<int>::of(&QComboBox::activated), this, [this, i](int choice) { legKindChosen(i, choice); });
    legs_->setCellWidget(i, LegKindColumn, kind);
  }
  totals_->setText(route ? QStringLiteral("共 %1 段，总距离 %2 NM").arg(count).arg(nauticalMilesText(route->lengthMetres()))
                         : QStringLiteral("没有航线：点击“新建”，或在航线模式下点击海图"));
}

void RoutePanel::listWaypoints() {
  const QSignalBlocker blocker(waypoints_);
  const Route* route = book_.active();
  const int count = route ? static_cast<int>(route->waypoints().size()) : 0;
  waypoints_->setRowCount(count);
  for (int i = 0; i < count; ++i) {
    const Waypoint& w = route->waypoints()[static_cast<std::size_t>(i)];
    waypoints_->setItem(i, WaypointName, new QTableWidgetItem(QString::fromStdString(w.name)));
    waypoints_->setItem(i, WaypointLatitude, new QTableWidgetItem(latitudeText(w.position.latitude)));
    waypoints_->setItem(i, WaypointLongitude, new QTableWidgetItem(longitudeText(w.position.longitude)));
  }
}

void RoutePanel::waypointTyped(QTableWidgetItem* item) {
  Route* route = book_.active();
  if (filling_ || !route || item->row() >= static_cast<int>(route->waypoints().size())) return;
  const int index = item->row();
  GeoPoint position = route->waypoints()[static_cast<std::size_t>(index)].position;
  QString error;
  bool ok = true;
  if (item->column() == WaypointName) {
    ok = route->renameWaypoint(index, item->text().trimmed().toStdString());
  } else if (item->column() == WaypointLatitude) {
    ok = parseLatitude(item->text(), position.latitude, error) && route->moveWaypoint(index, position);
  } else {
    ok = parseLongitude(item->text(), position.longitude, error) && route->moveWaypoint(index, position);
  }
  // A refused value goes back to what the route holds, with the reason.
  message_->setText(ok ? QString() : QStringLiteral("航路点 %1：%2").arg(index + 1).arg(error));
  listAnew(ok);
}

void RoutePanel::legTyped(QTableWidgetItem* item) {
  Route* route = book_.active();
  if (filling_ || !route || item->column() != LegXtd || item->row() >= route->legCount()) return;
  // "0.2" for both sides, "0.1/0.3" for port and starboard, in nautical miles.
  LegSettings settings = route->legSettings()[static_cast<std::size_t>(item->row())];
  const QStringList sides = item->text().split(QLatin1Char('/'));
  bool portOk = false, starboardOk = sides.size() <= 2;
  settings.portXtdNm = sides.value(0).trimmed().toDouble(&portOk);
  settings.starboardXtdNm = sides.size() == 2 ? sides[1].trimmed().toDouble(&starboardOk) : settings.portXtdNm;
  const bool ok = portOk && starboardOk && route->setLegSettings(item->row(), settings);
  message_->setText(ok ? QString()
                       : QStringLiteral("航段 %1：偏航距须为 0 至 %2 海里的数字（如 0.1 或 0.1/0.2）")
                             .arg(item->row() + 1)
                             .arg(kMaxXtdNm));
  listAnew(ok);
}

void RoutePanel::legKindChosen(int leg, int choice) {
  Route* route = book_.active();
  if (!route || leg >= route->legCount()) return;
  LegSettings settings = route->legSettings()[static_cast<std::size_t>(leg)];
  settings.kind = choice == 1 ? LegKind::GreatCircle : LegKind::Rhumb;
  if (route->setLegSettings(leg, settings)) listAnew(true);
}

void RoutePanel::listAnew(bool edited) {
  // After the signal of the item or box typed into has returned: listing
  // anew replaces them.
  QMetaObject::invokeMethod(
      this,
      [this, edited] {
        refresh();
        if (edited) emit routeEdited();
      },
      Qt::QueuedConnection);
}

void RoutePanel::showCheck(const QString& state, const std::vector<RouteFinding>& findings) {
  filling_ = true;
  checkState_->setText(state);
  findings_->clear();
  for (const RouteFinding& f : findings) {
    auto* item = new QTreeWidgetItem(findings_);
    item->setText(0, QString::number(f.leg + 1));
    item->setText(1, findingKindText(f.kind));
    item->setText(2, f.classAcronym.empty() ? QStringLiteral("-") : QString::fromStdString(f.classAcronym));
    item->setText(3, findingReasonText(f));
    item->setText(4, positionText(f.position));
  }
  filling_ = false;
}

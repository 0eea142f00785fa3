#pragma once
// 航线: the panel of the routes, docked at the right of the chart. At the
// top the route chosen (the active route, kept with its name among the
// others), with 新建 and 删除; then its legs, one a row: from, to, true
// course, distance in nautical miles, the corridor (XTD to port and to
// starboard) and the leg's kind, with the totals below; then its waypoints
// with their positions, which take what 转到… takes (PositionInput.h);
// then the files (导入…, 导出…) and the route check (检查航线) with its
// state and findings: leg, 警报 or 提示, the object's class, the reason and
// the position. Choosing a finding asks the window to show it.
//
// The panel edits the active route of the book it is given and says so
// (routeEdited); the window keeps the book, the chart and the check in step.
#include <QDockWidget>
#include <vector>

#include "RouteFinding.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QTreeWidget;
class RouteBook;

class RoutePanel : public QDockWidget {
  Q_OBJECT

public:
  enum LegColumn { LegNumber, LegFrom, LegTo, LegCourse, LegDistance, LegXtd, LegKindColumn, LegColumns };
  enum WaypointColumn { WaypointName, WaypointLatitude, WaypointLongitude, WaypointColumns };

  RoutePanel(RouteBook& book, QWidget* parent = nullptr);

  // The book changed (another route, a waypoint added...): every list anew.
  void refresh();
  // The check's state ("未检查", "正在检查…", what it found) and findings.
  void showCheck(const QString& state, const std::vector<RouteFinding>& findings);

  QComboBox* routeChoice() const { return routes_; }
  QLineEdit* nameEdit() const { return name_; }
  QTableWidget* legTable() const { return legs_; }
  QTableWidget* waypointTable() const { return waypoints_; }
  QLabel* totals() const { return totals_; }
  QLabel* message() const { return message_; }
  QLabel* checkState() const { return checkState_; }
  QTreeWidget* findingList() const { return findings_; }
  QPushButton* checkButton() const { return check_; }

signals:
  // Another route became the active one, or one was added or removed.
  void activeRouteChanged();
  // The active route's name, a waypoint or a leg's settings changed here.
  void routeEdited();
  void checkRequested();
  void importRequested();
  void exportRequested();
  // A finding of the list was chosen (its number in the list shown).
  void findingChosen(int index);

private:
  void listRoutes();
  void listLegs();
  void listWaypoints();
  void waypointTyped(QTableWidgetItem* item);
  void legTyped(QTableWidgetItem* item);
  void legKindChosen(int leg, int choice);
  void listAnew(bool edited);

  RouteBook& book_;
  QComboBox* routes_ = nullptr;
  QLineEdit* name_ = nullptr;
  QTableWidget* legs_ = nullptr;
  QTableWidget* waypoints_ = nullptr;
  QLabel* totals_ = nullptr;
  QLabel* message_ = nullptr;  // why a typed value was refused
  QLabel* checkState_ = nullptr;
  QTreeWidget* findings_ = nullptr;
  QPushButton* check_ = nullptr;
  bool filling_ = false;  // the lists are being filled, not typed into
};

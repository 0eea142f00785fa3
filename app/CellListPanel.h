#pragma once
// 海图列表: a dock panel listing every loaded cell with its compilation
// scale ("—" when the cell gives none), edition and updates, the permit of
// an encrypted cell from the chart store ("—" for the others) and any warning
// from loading (data that is not an official ENC named so first, its row in
// magenta); after them the files that failed (in red) and the findings of
// loads that belong to no cell (in orange: catalogue findings, folders that
// cannot be read), each with its plain reason and the technical one in its
// tool tip. Those rows can be cleared (its context menu). A double click
// asks the window to show the cell.
#include <QDockWidget>
#include <QStringList>
#include <map>
#include <vector>

#include "ChartModel.h"
#include "LoadReport.h"

class QTreeWidget;
class QTreeWidgetItem;

class CellListPanel : public QDockWidget {
  Q_OBJECT

public:
  enum Column { NameColumn, ScaleColumn, EditionColumn, PermitColumn, WarningColumn };

  explicit CellListPanel(QWidget* parent = nullptr);

  // Lists the cells of `cells` not listed yet and takes off the rows of
  // cells it no longer holds (withdrawn: cancelled or replaced); the rows
  // follow it in load order, before the failed files.
  void addCells(const std::vector<S57Cell*>& cells);
  // Lists files that failed and findings below the loaded cells; a row
  // already listed is not listed again.
  void addFindings(const std::vector<LoadFinding>& findings);
  // The updates of `cells`, read from the chart store, each under its
  // cell's row with its number, issue date and the date the store applied
  // it (replacing what was shown for those cells).
  void setStoredUpdates(const QStringList& cells, const std::vector<StoredUpdateRow>& updates);
  // Where the cells of the store loaded stand (their permits, and SSE 27
  // for a cell behind its data server's product list), shown in their
  // rows (replacing what was shown for those cells).
  void setStoreStandings(const std::vector<StoredCellStanding>& standings);
  // Removes the rows of failed files and findings.
  void clearFindings();
  int findingCount() const;

  QTreeWidget* tree() const { return tree_; }
  // A width that shows each row's name, scale and edition whole, with room
  // for the start of its warnings.
  int fittingWidth() const;
  int loadedCount() const { return loaded_; }

  // "第2版 更新1-4", "第1版", "—" when the edition is not known.
  static QString editionText(int edition, const std::vector<int>& updates);
  // "1:25,000"; "—" for a compilation scale the cell does not give (0).
  static QString compilationScaleText(int scale);
  // The permit of a stored cell: "有效至 2018-12-31", "30天内到期（2018-12-31）",
  // "已过期（2018-12-31）", "无许可"; "—" for a cell that is not encrypted.
  static QString permitText(const StoredCellStanding& standing);

signals:
  // The name (DSNM) of a loaded cell the user double-clicked.
  void cellActivated(const QString& name);
  // An update row chosen: review update `number` of the cell `name`; a
  // second click on it (or 结束审阅) ends the review (number 0).
  void updateReviewed(const QString& name, int number);

private:
  void activate(QTreeWidgetItem* item);
  void addRow(const S57Cell& cell);
  void review(QTreeWidgetItem* item);
  void showStoredUpdates(QTreeWidgetItem* row);
  void showStanding(QTreeWidgetItem* row);

  QTreeWidget* tree_ = nullptr;
  int loaded_ = 0;  // rows of loaded cells, at the top
  QTreeWidgetItem* reviewed_ = nullptr;  // the update row under review
  std::vector<const S57Cell*> rowCells_;  // the cell of each of those rows
  std::map<QString, std::vector<StoredUpdateRow>> storedUpdates_;  // by cell name
  std::map<QString, StoredCellStanding> standings_;                 // by cell name
};

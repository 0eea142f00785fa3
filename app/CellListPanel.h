#pragma once
// 海图列表: a dock panel listing every loaded cell with its compilation
// scale, edition and updates and any warning from loading (data that is
// not an official ENC named so first, its row in magenta), and the cells
// that failed with their reason. A double click asks the window to show
// the cell.
#include <QDockWidget>
#include <QStringList>
#include <vector>

#include "ChartModel.h"

class QTreeWidget;
class QTreeWidgetItem;

class CellListPanel : public QDockWidget {
  Q_OBJECT

public:
  enum Column { NameColumn, ScaleColumn, EditionColumn, WarningColumn };

  explicit CellListPanel(QWidget* parent = nullptr);

  // Lists the cells of `cells` not listed yet (the cell list only grows,
  // so the rows follow it in load order, before the failed files).
  void addCells(const std::vector<S57Cell*>& cells);
  // Lists failed files, one "name: reason" per line; a line already listed
  // is not listed again.
  void addFailures(const QStringList& lines);

  QTreeWidget* tree() const { return tree_; }
  int loadedCount() const { return loaded_; }

  // "第2版 更新1-4", "第1版", "—" when the edition is not known.
  static QString editionText(int edition, const std::vector<int>& updates);

signals:
  // The name (DSNM) of a loaded cell the user double-clicked.
  void cellActivated(const QString& name);

private:
  void activate(QTreeWidgetItem* item);

  QTreeWidget* tree_ = nullptr;
  int loaded_ = 0;  // rows of loaded cells, at the top
};

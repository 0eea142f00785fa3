#include "CellListPanel.h"

#include <QFile>
#include <QHeaderView>
#include <QTreeWidget>

#include "ChineseText.h"
#include "LoadWarning.h"
#include "OfficialData.h"
#include "ReadoutText.h"

namespace {
constexpr int kNameRole = Qt::UserRole;        // DSNM of a loaded cell
constexpr int kFailedRole = Qt::UserRole + 1;  // true on a failed file's row

// The warnings in Chinese on one line; the tool tip adds under each its
// English line, which names the record or value at fault.
QString joined(const std::vector<LoadWarning>& warnings) {
  QStringList out;
  for (const LoadWarning& w : warnings) out << chineseWarningText(w);
  return out.join(QStringLiteral("；"));
}

QString warningToolTip(const std::vector<LoadWarning>& warnings) {
  QStringList out;
  for (const LoadWarning& w : warnings)
    out << chineseWarningText(w) + QLatin1Char('\n') + QFile::decodeName(QByteArray::fromStdString(w.text));
  return out.join(QStringLiteral("\n\n"));
}
}  // namespace

CellListPanel::CellListPanel(QWidget* parent) : QDockWidget(QStringLiteral("海图列表"), parent) {
  setObjectName(QStringLiteral("cellListDock"));
  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("cellList"));
  tree_->setRootIsDecorated(false);
  tree_->setUniformRowHeights(true);
  tree_->setHeaderLabels({QStringLiteral("海图"), QStringLiteral("比例尺"), QStringLiteral("版本"),
                          QStringLiteral("警告")});
  tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  setWidget(tree_);
  connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { activate(item); });
}

QString CellListPanel::editionText(int edition, const std::vector<int>& updates) {
  if (edition <= 0 && updates.empty()) return QStringLiteral("—");
  QString text = edition > 0 ? QStringLiteral("第%1版").arg(edition) : QStringLiteral("版次不明");
  if (updates.empty()) return text;
  bool consecutive = true;
  for (std::size_t i = 1; i < updates.size(); ++i) consecutive = consecutive && updates[i] == updates[i - 1] + 1;
  QStringList numbers;
  if (consecutive && updates.size() > 1) {
    numbers << QStringLiteral("%1-%2").arg(updates.front()).arg(updates.back());
  } else {
    for (int u : updates) numbers << QString::number(u);
  }
  return text + QStringLiteral(" 更新") + numbers.join(QLatin1Char(','));
}

void CellListPanel::addCells(const std::vector<S57Cell*>& cells) {
  for (std::size_t i = static_cast<std::size_t>(loaded_); i < cells.size(); ++i) {
    const S57Cell& cell = *cells[i];
    auto* item = new QTreeWidgetItem;
    const QString name = QString::fromStdString(cell.name);
    item->setText(NameColumn, name);
    item->setText(ScaleColumn, scaleText(cell.compilationScale));
    item->setText(EditionColumn, editionText(cell.edition, cell.updatesApplied));
    // Data that is not an official ENC is named first among the warnings,
    // with the English reason in the tool tip, and its row is in magenta.
    const QString nonOfficial = chineseNonOfficialText(cell);
    QString warnings = joined(cell.loadWarnings), toolTip = warningToolTip(cell.loadWarnings);
    if (!nonOfficial.isEmpty()) {
      item->setToolTip(NameColumn, nonOfficial);
      const QString english = QString::fromStdString(nonOfficialReason(cell));
      warnings = warnings.isEmpty() ? nonOfficial : nonOfficial + QStringLiteral("；") + warnings;
      toolTip = nonOfficial + QLatin1Char('\n') + english + (toolTip.isEmpty() ? QString() : QStringLiteral("\n\n") + toolTip);
      for (int c = 0; c <= WarningColumn; ++c) item->setForeground(c, QColor(200, 0, 160));
    }
    item->setText(WarningColumn, warnings);
    item->setToolTip(WarningColumn, toolTip);
    item->setData(NameColumn, kNameRole, name);
    item->setData(NameColumn, kFailedRole, false);
    if (!warnings.isEmpty() && nonOfficial.isEmpty()) item->setForeground(WarningColumn, QColor(200, 120, 0));
    tree_->insertTopLevelItem(loaded_++, item);
  }
}

void CellListPanel::addFailures(const QStringList& lines) {
  for (const QString& line : lines) {
    if (line.isEmpty()) continue;
    const int colon = line.indexOf(QStringLiteral(": "));
    const QString file = colon < 0 ? line : line.left(colon);
    const QString reason = QStringLiteral("未加载：") + (colon < 0 ? QString() : line.mid(colon + 2));
    bool listed = false;
    for (int i = loaded_; i < tree_->topLevelItemCount() && !listed; ++i) {
      const QTreeWidgetItem* row = tree_->topLevelItem(i);
      listed = row->text(NameColumn) == file && row->text(WarningColumn) == reason;
    }
    if (listed) continue;
    auto* item = new QTreeWidgetItem;
    item->setText(NameColumn, file);
    item->setText(WarningColumn, reason);
    item->setToolTip(WarningColumn, reason);
    item->setData(NameColumn, kFailedRole, true);
    for (int c = 0; c <= WarningColumn; ++c) item->setForeground(c, QColor(220, 50, 50));
    tree_->addTopLevelItem(item);
  }
}

void CellListPanel::activate(QTreeWidgetItem* item) {
  if (!item || item->data(NameColumn, kFailedRole).toBool()) return;
  emit cellActivated(item->data(NameColumn, kNameRole).toString());
}

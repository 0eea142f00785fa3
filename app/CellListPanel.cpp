#include "CellListPanel.h"

#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>
#include <unordered_set>
#include <QTreeWidget>

#include "ChineseText.h"
#include "LoadWarning.h"
#include "OfficialData.h"
#include "ReadoutText.h"
#include "StoreText.h"

namespace {
constexpr int kNameRole = Qt::UserRole;        // DSNM of a loaded cell
constexpr int kFailedRole = Qt::UserRole + 1;  // true on a failed file's row
constexpr int kUpdateRole = Qt::UserRole + 2;  // the update number of an update row
// A loaded cell's own warnings and their tool tip, before what the store
// says of it is put in front.
constexpr int kWarningsRole = Qt::UserRole + 3;
constexpr int kWarningsTipRole = Qt::UserRole + 4;

// The warnings in Chinese on one line; the tool tip adds under each its
// English line, which names the record or value at fault.
QString joined(const std::vector<LoadWarning>& warnings) {
  QStringList out;
  for (const LoadWarning& w : warnings) out << chineseWarningText(w);
  return out.join(QStringLiteral("；"));
}

// The cell's name as the chart store knows it: its data set name before the dot.
QString storedName(const QTreeWidgetItem* row) { return row->data(0, Qt::UserRole).toString().section(QLatin1Char('.'), 0, 0); }

QString warningToolTip(const std::vector<LoadWarning>& warnings) {
  QStringList out;
  for (const LoadWarning& w : warnings)
    out << chineseWarningText(w) + QLatin1Char('\n') + QFile::decodeName(QByteArray::fromStdString(w.text));
  return out.join(QStringLiteral("\n\n"));
}
}  // namespace

CellListPanel::CellListPanel(QWidget* parent) : QDockWidget(QStringLiteral("海图列表"), parent) {
  setObjectName(QStringLiteral("cellListDock"));
  // Opaque, title bar included, in every colour table.
  setAutoFillBackground(true);
  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("cellList"));
  tree_->setRootIsDecorated(false);
  tree_->setUniformRowHeights(true);
  tree_->setHeaderLabels({QStringLiteral("海图"), QStringLiteral("比例尺"), QStringLiteral("版本"),
                          QStringLiteral("许可"), QStringLiteral("警告")});
  // Name, scale and edition as wide as their texts; the warnings take the rest.
  tree_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  tree_->header()->setStretchLastSection(true);
  setWidget(tree_);
  connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { activate(item); });
  connect(tree_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { review(item); });
  auto* endReview = new QAction(QStringLiteral("结束审阅"), this);
  endReview->setObjectName(QStringLiteral("endReview"));
  connect(endReview, &QAction::triggered, this, [this] {
    if (reviewed_) review(reviewed_);
  });
  auto* clear = new QAction(QStringLiteral("清除未加载的文件和提示"), this);
  clear->setObjectName(QStringLiteral("clearFindings"));
  connect(clear, &QAction::triggered, this, &CellListPanel::clearFindings);
  tree_->setContextMenuPolicy(Qt::ActionsContextMenu);
  tree_->addAction(clear);
  tree_->addAction(endReview);
}

void CellListPanel::review(QTreeWidgetItem* item) {
  if (!item || !item->parent()) return;
  if (item == reviewed_) {
    reviewed_ = nullptr;
    emit updateReviewed(QString(), 0);
    return;
  }
  reviewed_ = item;
  emit updateReviewed(item->data(NameColumn, kNameRole).toString(), item->data(NameColumn, kUpdateRole).toInt());
}

QString CellListPanel::compilationScaleText(int scale) {
  return scale > 0 ? scaleText(scale) : QStringLiteral("—");
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
  // The list grows at its end; a cell withdrawn (cancelled, or replaced by
  // its newer copy, which comes later) leaves it, and its row goes.
  const bool grown = cells.size() >= rowCells_.size() && std::equal(rowCells_.begin(), rowCells_.end(), cells.begin());
  if (grown) {
    for (std::size_t i = rowCells_.size(); i < cells.size(); ++i) addRow(*cells[i]);
    return;
  }
  const std::unordered_set<const S57Cell*> listed(cells.begin(), cells.end());
  for (int i = loaded_ - 1; i >= 0; --i) {
    if (listed.count(rowCells_[static_cast<std::size_t>(i)])) continue;
    if (reviewed_ && reviewed_->parent() == tree_->topLevelItem(i)) review(reviewed_);
    // What the store said of the copy withdrawn is no word on the next.
    standings_.erase(storedName(tree_->topLevelItem(i)));
    delete tree_->takeTopLevelItem(i);
    rowCells_.erase(rowCells_.begin() + i);
    --loaded_;
  }
  const std::unordered_set<const S57Cell*> shown(rowCells_.begin(), rowCells_.end());
  for (const S57Cell* cell : cells)
    if (!shown.count(cell)) addRow(*cell);
}

void CellListPanel::addRow(const S57Cell& cell) {
  auto* item = new QTreeWidgetItem;
  const QString name = QString::fromStdString(cell.name);
  item->setText(NameColumn, name);
  item->setText(ScaleColumn, compilationScaleText(cell.compilationScale));
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
  // A cell shown under a permit that has expired says so first, for as
  // long as it is shown.
  if (cell.permitExpired) {
    const QString expired = chineseSseText(SseCode::PermitExpiredWhenShown, cell.name.substr(0, cell.name.find('.')));
    warnings = warnings.isEmpty() ? expired : expired + QStringLiteral("；") + warnings;
    toolTip = expired + QLatin1Char('\n') +
              QString::fromStdString(sseEnglish(SseCode::PermitExpiredWhenShown, cell.name.substr(0, cell.name.find('.')))) +
              (toolTip.isEmpty() ? QString() : QStringLiteral("\n\n") + toolTip);
    for (int c = 0; c <= WarningColumn; ++c) item->setForeground(c, QColor(220, 50, 50));
  }
  item->setText(PermitColumn, QStringLiteral("—"));
  item->setText(WarningColumn, warnings);
  item->setToolTip(WarningColumn, toolTip);
  item->setData(NameColumn, kWarningsRole, warnings);
  item->setData(NameColumn, kWarningsTipRole, toolTip);
  item->setData(NameColumn, kNameRole, name);
  item->setData(NameColumn, kFailedRole, false);
  if (!warnings.isEmpty() && nonOfficial.isEmpty() && !cell.permitExpired) item->setForeground(WarningColumn, QColor(200, 120, 0));
  rowCells_.push_back(&cell);
  tree_->insertTopLevelItem(loaded_++, item);
  showStoredUpdates(item);
  showStanding(item);
}

QString CellListPanel::permitText(const StoredCellStanding& s) {
  if (!s.encrypted) return QStringLiteral("—");
  if (!s.permitted) return QStringLiteral("无许可");
  switch (s.permit) {
    case PermitState::Valid: return QStringLiteral("有效至 ") + s.expiry;
    case PermitState::Expiring: return QStringLiteral("30天内到期（%1）").arg(s.expiry);
    case PermitState::Expired: return QStringLiteral("已过期（%1）").arg(s.expiry);
    case PermitState::Refused: break;
  }
  return QStringLiteral("无许可");
}

void CellListPanel::setStoreStandings(const std::vector<StoredCellStanding>& standings) {
  for (const StoredCellStanding& s : standings) standings_[s.cell] = s;
  for (int i = 0; i < loaded_; ++i) showStanding(tree_->topLevelItem(i));
}

void CellListPanel::showStanding(QTreeWidgetItem* row) {
  const auto it = standings_.find(storedName(row));
  if (it == standings_.end()) return;  // not from the store: a dash
  const StoredCellStanding& s = it->second;
  row->setText(PermitColumn, permitText(s));
  if (s.encrypted) {
    const QString english = !s.permitted ? QStringLiteral("no permit installed")
                                         : QStringLiteral("permit %1 until %2, data server %3")
                                               .arg(QString::fromLatin1(permitStateName(s.permit)), s.expiry, s.dataServer);
    row->setToolTip(PermitColumn, permitText(s) + QLatin1Char('\n') + english);
  }
  QColor permitColour;  // none: the row's own
  if (s.encrypted && (!s.permitted || s.permit == PermitState::Expired)) permitColour = QColor(220, 50, 50);
  else if (s.encrypted && s.permit == PermitState::Expiring) permitColour = QColor(200, 120, 0);
  if (permitColour.isValid()) row->setForeground(PermitColumn, permitColour);
  // A cell behind its data server's product list says so first, for as
  // long as it is shown.
  QString warnings = row->data(NameColumn, kWarningsRole).toString();
  QString toolTip = row->data(NameColumn, kWarningsTipRole).toString();
  if (s.notUpToDate) {
    const std::string name = s.cell.toStdString();
    const QString behind = chineseSseText(SseCode::CellNotUpToDate, name);
    warnings = warnings.isEmpty() ? behind : behind + QStringLiteral("；") + warnings;
    toolTip = behind + QLatin1Char('\n') + QString::fromStdString(sseEnglish(SseCode::CellNotUpToDate, name)) +
              (toolTip.isEmpty() ? QString() : QStringLiteral("\n\n") + toolTip);
    for (int c = 0; c <= WarningColumn; ++c)
      if (c != PermitColumn || !permitColour.isValid()) row->setForeground(c, QColor(220, 50, 50));
  }
  row->setText(WarningColumn, warnings);
  row->setToolTip(WarningColumn, toolTip);
}

void CellListPanel::setStoredUpdates(const QStringList& cells, const std::vector<StoredUpdateRow>& updates) {
  for (const QString& cell : cells) storedUpdates_[cell].clear();
  for (const StoredUpdateRow& u : updates) storedUpdates_[u.cell].push_back(u);
  for (int i = 0; i < loaded_; ++i)
    if (cells.contains(storedName(tree_->topLevelItem(i))))
      showStoredUpdates(tree_->topLevelItem(i));
}

void CellListPanel::showStoredUpdates(QTreeWidgetItem* row) {
  if (reviewed_ && reviewed_->parent() == row) review(reviewed_);  // its row goes: the review ends
  qDeleteAll(row->takeChildren());
  const auto it = storedUpdates_.find(storedName(row));
  if (it == storedUpdates_.end() || it->second.empty()) return;
  for (const StoredUpdateRow& u : it->second) {
    auto* child = new QTreeWidgetItem;
    child->setText(NameColumn, QStringLiteral("第%1次更新").arg(u.number));
    child->setText(EditionColumn, QStringLiteral("发布 ") + u.issued);
    child->setText(WarningColumn, QStringLiteral("应用于 ") + u.applied);
    child->setData(NameColumn, kNameRole, row->data(NameColumn, kNameRole));
    child->setData(NameColumn, kFailedRole, false);
    child->setData(NameColumn, kUpdateRole, u.number);
    row->addChild(child);
  }
  tree_->setRootIsDecorated(true);  // the cells with updates open to show them
}

void CellListPanel::addFindings(const std::vector<LoadFinding>& findings) {
  for (const LoadFinding& f : findings) {
    const QString text = f.failed ? QStringLiteral("未加载：") + f.text : f.text;
    bool listed = false;
    for (int i = loaded_; i < tree_->topLevelItemCount() && !listed; ++i) {
      const QTreeWidgetItem* row = tree_->topLevelItem(i);
      listed = row->text(NameColumn) == f.name && row->text(WarningColumn) == text;
    }
    if (listed) continue;
    auto* item = new QTreeWidgetItem;
    item->setText(NameColumn, f.name);
    item->setText(WarningColumn, text);
    item->setToolTip(NameColumn, f.name);
    item->setToolTip(WarningColumn, f.detail.isEmpty() ? text : text + QLatin1Char('\n') + f.detail);
    item->setData(NameColumn, kFailedRole, true);
    const QColor colour = f.failed ? QColor(220, 50, 50) : QColor(200, 120, 0);
    for (int c = 0; c <= WarningColumn; ++c) item->setForeground(c, colour);
    tree_->addTopLevelItem(item);
  }
}

void CellListPanel::clearFindings() {
  while (tree_->topLevelItemCount() > loaded_) delete tree_->takeTopLevelItem(tree_->topLevelItemCount() - 1);
}

int CellListPanel::fittingWidth() const {
  int width = 0;
  const QAbstractItemView* view = tree_;  // the width of a column's contents is the view's to tell
  for (int column : {NameColumn, ScaleColumn, EditionColumn, PermitColumn})
    width += std::max(view->sizeHintForColumn(column), tree_->header()->sectionSizeHint(column));
  const int frame = 2 * tree_->frameWidth() + tree_->verticalScrollBar()->sizeHint().width();
  return width + frame + 120;  // and the start of the warnings
}

int CellListPanel::findingCount() const { return tree_->topLevelItemCount() - loaded_; }

void CellListPanel::activate(QTreeWidgetItem* item) {
  if (!item || item->data(NameColumn, kFailedRole).toBool()) return;
  emit cellActivated(item->data(NameColumn, kNameRole).toString());
}

#pragma once
// 许可证列表: the cell permits the chart store holds, one row per permit:
// cell, expiry, data server and state on the data client's date (有效,
// 即将到期, 已过期), expired ones in red.
#include <QDialog>
#include <vector>

#include "StoredPermits.h"

class QTreeWidget;

class PermitListDialog : public QDialog {
public:
  explicit PermitListDialog(const std::vector<PermitListing>& permits, QWidget* parent = nullptr);
  QTreeWidget* list() const { return list_; }

private:
  QTreeWidget* list_ = nullptr;
};

#pragma once
// The chart store in the window's words: what an import did with each cell
// (已安装, 已更新至第N次更新, 已替换（新版N）, 已重新发行, 已注销, 拒绝：原因),
// why a file was refused, and what the store says of itself. The English
// line the store wrote goes beside each, for a tool tip.
#include <QString>
#include <vector>

#include "ImportOutcome.h"
#include "ManufacturerIdentity.h"
#include "PermitInstall.h"
#include "StoreKeys.h"
#include "SseCode.h"

// One row of an import's outcome list.
struct ImportOutcomeRow {
  QString cell;
  QString text;     // in Chinese
  QString detail;   // the store's English line, for the tool tip
  bool refused = false;  // something offered for the cell was refused
};

// Why the store refused a file, in Chinese, beginning with the file.
QString chineseIssueText(const StoreIssue& issue);
// A store message (index rebuilt, store busy, ...) in Chinese; empty for None.
QString chineseStoreMessage(const StoreMessage& message);
// An SSE code with its Chinese message and what the mariner can do:
// "SSE 25：……。……".
QString chineseSseText(SseCode code, const std::string& cell = {});
// One row per cell of the report, in its order; then a row per file
// refused for its name. A failed import gives one row saying why.
std::vector<ImportOutcomeRow> importOutcomeRows(const ImportReport& report);

// One row per permit of a PERMIT.TXT installed: 已安装许可 / 已替换许可 /
// 许可未变 with its expiry, or 拒绝 with each SSE code and its Chinese
// message; a file refused whole, or a store not written, gives one row.
std::vector<ImportOutcomeRow> permitOutcomeRows(const PermitInstallReport& report);
// How installing a certificate went, in Chinese (SSE code and what to do
// when it was refused).
QString chineseKeyOutcome(const KeyInstallOutcome& outcome);
// Reads the manufacturer's key file at `path` into `identity` (changed only
// when it is taken); false, with why it is refused in Chinese in `reason`
// and the English line naming the file in `detail`. Neither names a key.
bool readKeyFile(const QString& path, ManufacturerIdentity& identity, QString& reason, QString& detail);
// "2018-12-31".
QString dayText(const CalendarDay& day);

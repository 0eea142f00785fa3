#include "StoreText.h"

#include <QFile>
#include <QStringList>

#include "ChineseText.h"

namespace {
QString text(const std::string& s) { return QString::fromStdString(s); }
QString file(const std::string& name) { return QFile::decodeName(QByteArray::fromStdString(name)); }

QString numbers(const std::vector<int>& list) {
  QStringList out;
  for (int n : list) out << QString::number(n);
  return out.join(QLatin1Char(','));
}

// "，其后的更新3至5也未应用" when later updates were offered.
QString laterNotApplied(const std::vector<int>& later) {
  if (later.empty()) return QString();
  if (later.size() == 1) return QStringLiteral("，其后的更新%1也未应用").arg(later.front());
  return QStringLiteral("，其后的更新%1至%2也未应用").arg(later.front()).arg(later.back());
}

QString sseCodes(const std::vector<int>& codes) {
  QStringList out;
  for (int c : codes) out << chineseSseText(static_cast<SseCode>(c));
  return out.join(QStringLiteral("；"));
}

QString outcomeText(const CellOutcome& o) {
  switch (o.action) {
    case ImportAction::Installed:
      return o.updateNumber > 0 ? QStringLiteral("已安装（第%1版，更新至第%2次更新）").arg(o.edition).arg(o.updateNumber)
                                : QStringLiteral("已安装（第%1版）").arg(o.edition);
    case ImportAction::Updated: return QStringLiteral("已更新至第%1次更新").arg(o.updateNumber);
    case ImportAction::NewEdition: return QStringLiteral("已替换（新版%1）").arg(o.edition);
    case ImportAction::Reissued: return QStringLiteral("已重新发行");
    case ImportAction::Cancelled: return QStringLiteral("已注销，不再显示");
    case ImportAction::Unchanged: return QStringLiteral("未变（海图库中已是最新）");
    case ImportAction::NotInstalled: return QStringLiteral("未安装：海图库中没有此海图，其更新未应用");
    case ImportAction::Refused: break;
  }
  return QStringLiteral("拒绝");
}
}  // namespace

QString chineseSseText(SseCode code, const std::string& cell) {
  const QString action = QString::fromUtf8(sseChineseAction(code).c_str());
  QString line = QStringLiteral("SSE %1：%2").arg(sseNumber(code), 2, 10, QLatin1Char('0'))
                     .arg(QString::fromUtf8(sseChinese(code, cell).c_str()));
  if (!action.isEmpty()) line += QStringLiteral("（") + action + QStringLiteral("）");
  return line;
}

QString chineseIssueText(const StoreIssue& i) {
  const QString f = file(i.file);
  switch (i.kind) {
    case IssueKind::None: return QString();
    case IssueKind::CrcMismatch:
      return QStringLiteral("%1：CRC-32校验值为%2，与交换集目录所列的%3不符，未使用").arg(f, text(i.found), text(i.listed));
    case IssueKind::Unreadable:
      return QStringLiteral("%1：无法作为海图读取（%2）").arg(f, chinesePlainFailureText(i.reader, false));
    case IssueKind::NotACell: return QStringLiteral("%1：文件名不是海图名，未存入海图库").arg(f);
    case IssueKind::OlderEdition:
      return QStringLiteral("%1：第%2版比已安装的第%3版旧").arg(f).arg(i.edition).arg(i.installedEdition);
    case IssueKind::OlderBase:
      return QStringLiteral("%1：第%2版的重新发行只含到第%3次更新，少于已安装的基础文件")
          .arg(f)
          .arg(i.edition)
          .arg(i.number);
    case IssueKind::CellCancelled: return QStringLiteral("%1：此海图已注销，只有新版才能恢复").arg(f);
    case IssueKind::UpdateStopped:
      return QStringLiteral("%1：第%2次更新未应用：%3%4")
          .arg(f)
          .arg(i.number)
          .arg(chineseUpdateReason(i.update), laterNotApplied(i.numbers));
    case IssueKind::WrongEdition:
      return QStringLiteral("%1：第%2次更新属于第%3版，已安装的是第%4版")
          .arg(f)
          .arg(i.number)
          .arg(i.edition)
          .arg(i.installedEdition);
    case IssueKind::NotInstalled:
      return QStringLiteral("%1：海图库中没有此海图，更新%2未应用").arg(f, numbers(i.numbers));
    case IssueKind::StoredFileDamaged: return QStringLiteral("%1：海图库中的副本已损坏（CRC-32不符）").arg(f);
    case IssueKind::Protection:
      return QStringLiteral("%1：加密保护拒绝此文件：%2%3").arg(f, sseCodes(i.sse), laterNotApplied(i.numbers));
    case IssueKind::KeptUnread:
      return QStringLiteral("%1：重建海图库索引时未能解密（%2），海图及其文件保留%3，安装其许可证后再次显示")
          .arg(f, sseCodes(i.sse),
               i.installedEdition > 0 ? QStringLiteral("（第%1版）").arg(i.installedEdition)
                                      : QStringLiteral("（版次待读取后可知）"));
  }
  return text(i.text);
}

QString chineseStoreMessage(const StoreMessage& m) {
  switch (m.kind) {
    case StoreMessageKind::None: return QString();
    case StoreMessageKind::IndexRebuilt:
      return QStringLiteral("海图库索引已损坏，已从海图文件重建（%1幅海图）").arg(m.count);
    case StoreMessageKind::Busy: return QStringLiteral("另一程序正在修改海图库，请稍后再试");
    case StoreMessageKind::CannotWrite: return QStringLiteral("海图库无法写入，保持原样（%1）").arg(text(m.detail));
    case StoreMessageKind::NoSuchSource:
      return QStringLiteral("“%1”既不是文件夹也不是海图文件，未导入").arg(file(m.detail));
    case StoreMessageKind::PermitsDamaged:
      return QStringLiteral("海图库中的许可证已损坏，重新安装许可证前不使用任何许可证");
    case StoreMessageKind::ProductListUnreadable:
      return QStringLiteral("产品列表“%1”无法读取，未用于检查海图是否最新").arg(file(m.detail));
  }
  return text(m.text);
}

std::vector<ImportOutcomeRow> importOutcomeRows(const ImportReport& report) {
  std::vector<ImportOutcomeRow> rows;
  if (report.failed()) {
    rows.push_back({QStringLiteral("海图库"), QStringLiteral("未导入：") + chineseStoreMessage(report.failure),
                    text(report.failure.text), true});
    return rows;
  }
  for (const CellOutcome& o : report.cells) {
    ImportOutcomeRow row;
    row.cell = text(o.cell);
    row.refused = o.refused();
    QStringList reasons;
    for (const StoreIssue& issue : o.issues) reasons << chineseIssueText(issue);
    // What the protection scheme warned of for files it took.
    for (SseCode code : o.sse)
      if (!sseRefuses(code)) reasons << chineseSseText(code, o.cell);
    if (o.action == ImportAction::Refused)
      row.text = QStringLiteral("拒绝：") + reasons.join(QStringLiteral("；"));
    else if (o.refused())
      row.text = outcomeText(o) + QStringLiteral("；拒绝：") + reasons.join(QStringLiteral("；"));
    else
      row.text = outcomeText(o) + (reasons.isEmpty() ? QString() : QStringLiteral("；") + reasons.join(QStringLiteral("；")));
    QString english = QString::fromLatin1(importActionName(o.action));
    if (!o.reason().empty()) english += QStringLiteral(": ") + text(o.reason());
    if (!o.sse.empty()) english += QStringLiteral(" (") + text(o.sseMessage()) + QLatin1Char(')');
    row.detail = english;
    rows.push_back(row);
  }
  for (const StoreIssue& issue : report.filesRefused)
    rows.push_back({file(issue.file), QStringLiteral("拒绝：") + chineseIssueText(issue), text(issue.text), true});
  return rows;
}

QString dayText(const CalendarDay& day) {
  return QStringLiteral("%1-%2-%3").arg(day.year, 4, 10, QLatin1Char('0')).arg(day.month, 2, 10, QLatin1Char('0')).arg(day.day, 2, 10, QLatin1Char('0'));
}

std::vector<ImportOutcomeRow> permitOutcomeRows(const PermitInstallReport& report) {
  std::vector<ImportOutcomeRow> rows;
  if (report.failed()) {
    rows.push_back({file(report.file), QStringLiteral("未安装：") + chineseStoreMessage(report.failure),
                    text(report.failure.text), true});
    return rows;
  }
  if (report.code != SseCode::None) {
    rows.push_back({file(report.file), QStringLiteral("拒绝：") + chineseSseText(report.code), text(report.reason), true});
    return rows;
  }
  for (const PermitOutcome& p : report.permits) {
    ImportOutcomeRow row;
    row.cell = p.read ? text(p.cell) : QStringLiteral("第%1行").arg(p.line);
    QStringList codes;
    for (SseCode code : p.codes) codes << chineseSseText(code, p.cell);
    const QString expiry = p.read ? QStringLiteral("，有效期至%1，数据服务商%2").arg(dayText(p.expiry), text(p.dataServer)) : QString();
    switch (p.action) {
      case PermitAction::Installed: row.text = QStringLiteral("已安装许可") + expiry; break;
      case PermitAction::Replaced: row.text = QStringLiteral("已替换许可") + expiry; break;
      case PermitAction::Unchanged: row.text = QStringLiteral("许可未变") + expiry; break;
      case PermitAction::Refused: row.refused = true; row.text = QStringLiteral("拒绝"); break;
    }
    if (!codes.isEmpty()) row.text += QStringLiteral("：") + codes.join(QStringLiteral("；"));
    row.detail = QString::fromLatin1(permitActionName(p.action)) +
                 (p.reason.empty() ? QString() : QStringLiteral(": ") + text(p.reason));
    rows.push_back(row);
  }
  return rows;
}

QString chineseKeyOutcome(const KeyInstallOutcome& o) {
  if (o.failure.kind != StoreMessageKind::None) return QStringLiteral("证书未安装：") + chineseStoreMessage(o.failure);
  if (!o.installed) return QStringLiteral("证书未安装：") + chineseSseText(o.code);
  QString line = QStringLiteral("已安装方案管理者证书%1").arg(file(o.name));
  if (o.notAfter) line += QStringLiteral("（有效期至%1）").arg(dayText(*o.notAfter));
  return line;
}

bool readKeyFile(const QString& path, ManufacturerIdentity& identity, QString& reason, QString& detail) {
  std::string error;
  KeyFileFault fault = KeyFileFault::None;
  if (readManufacturerFile(QFile::encodeName(path).toStdString(), identity, error, &fault)) return true;
  detail = text(error);
  switch (fault) {
    case KeyFileFault::None:
    case KeyFileFault::CannotOpen: reason = QStringLiteral("文件无法打开或读取"); break;
    case KeyFileFault::NotRegular: reason = QStringLiteral("不是普通文件"); break;
    case KeyFileFault::OtherOwner: reason = QStringLiteral("文件属于其他用户，须为本用户自己的文件"); break;
    case KeyFileFault::OpenToOthers:
      reason = QStringLiteral("除所有者外其他人也可读写该文件，须设为只有其所有者可读写（chmod 600）");
      break;
    case KeyFileFault::TooLarge: reason = QStringLiteral("文件过大，不是密钥文件（最多4096字节）"); break;
    case KeyFileFault::Content:
      reason = QStringLiteral("内容不正确（须各有一行M_ID、M_KEY和HW_ID）");
      break;
  }
  return false;
}

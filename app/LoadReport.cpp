#include "LoadReport.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

#include "ChartEngine.h"
#include "ChineseText.h"

QString libraryFailureText(const ChartEngine& engine) { return chineseLibraryFailureText(engine.libraryResult()); }

LoadFinding failedFile(const QString& path, const CellLoadResult& result, const ChartEngine& engine) {
  const QFileInfo file(path);
  LoadFinding f;
  f.name = file.fileName();
  f.failed = true;
  if (result.libraryMissing()) {
    f.text = libraryFailureText(engine);
    f.detail = f.text;
    return f;
  }
  const bool empty = file.isFile() && file.size() == 0;
  f.text = chinesePlainFailureText(result.reader(), empty);
  f.detail = chineseFailureText(result) + QStringLiteral("（代码%1：%2）")
                                              .arg(resultCode(result))
                                              .arg(QString::fromLatin1(cellLoadResultText(result)));
  return f;
}

QString loadSummaryText(const LoadReport& r) {
  const QString prefix = r.requested ? QStringLiteral("批量导入：") : QStringLiteral("加载海图：");
  const QString folder = QStringLiteral("文件夹“%1”").arg(QDir::toNativeSeparators(QDir::cleanPath(r.directory)));
  if (r.folderError != 0) {
    // A start-up folder that is not there is no fault.
    if (!r.requested && r.folderError == ENOENT) return QString();
    return prefix + QStringLiteral("%1无法读取（%2），未加载任何海图").arg(folder, chineseSystemReason(r.folderError));
  }
  int failed = 0, findings = 0;
  for (const LoadFinding& f : r.findings) (f.failed ? failed : findings) += 1;
  findings -= r.unreadableFolders;
  if (r.found == 0) {
    if (!r.requested) return QString();
    if (r.unreadableFolders > 0)
      return prefix + QStringLiteral("%1中没有可读取的S-57海图文件，%2个文件夹无法读取，见海图列表")
                          .arg(folder)
                          .arg(r.unreadableFolders);
    return prefix + QStringLiteral("%1中没有S-57海图文件（*.000），未加载任何海图").arg(folder);
  }
  const int notes = findings + r.cellWarnings;
  if (!r.requested) {
    // Only what went wrong: one line in full, more counted.
    QStringList lines;
    for (const LoadFinding& f : r.findings) lines << f.name + QStringLiteral("：") + f.text;
    if (!r.firstCellWarning.isEmpty()) lines << r.firstCellWarning;
    const int count = failed + r.unreadableFolders + notes;
    if (count == 0) return QString();
    return count == 1 ? lines.first() : lines.first() + QStringLiteral("（另有%1条，见海图列表）").arg(count - 1);
  }
  QStringList parts;
  parts << QStringLiteral("加载%1幅海图").arg(r.listed);
  if (!r.alreadyLoaded.isEmpty()) parts << QStringLiteral("%1幅此前已加载").arg(r.alreadyLoaded.size());
  if (failed > 0) parts << QStringLiteral("%1个文件未加载").arg(failed);
  if (r.unreadableFolders > 0) parts << QStringLiteral("%1个文件夹无法读取").arg(r.unreadableFolders);
  if (notes > 0) parts << QStringLiteral("%1条提示").arg(notes);
  if (r.stopped) parts << QStringLiteral("已中止");
  QString text = prefix + parts.join(QStringLiteral("，"));
  if (failed + r.unreadableFolders + notes > 0) text += QStringLiteral("，见海图列表");
  return text;
}

#include "ChineseText.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>
#include <cerrno>

#include "LibraryResult.h"
#include "LoadWarning.h"
#include "OfficialData.h"
#include "PresentationLibrary.h"
#include "ExchangeSetPath.h"
#include "ReaderResult.h"
#include "RecordKinds.h"
#include "UpdateResult.h"

QString chineseFailureText(const CellLoadResult& result) {
  if (result.libraryMissing()) return QStringLiteral("未加载海图符号库（S57Lib）");
  switch (result.reader()) {
    case ReaderResult::CannotOpen: return QStringLiteral("文件无法打开或读取");
    case ReaderResult::FileTooShort: return QStringLiteral("文件不足25字节");
    case ReaderResult::NoDescriptiveRecord: return QStringLiteral("第一条记录不是ISO 8211描述记录，或文件比它短");
    case ReaderResult::BadRecordLength: return QStringLiteral("有数据记录的长度为0或负数");
    case ReaderResult::DescriptiveTooShort: return QStringLiteral("描述记录不足24字节");
    case ReaderResult::DescriptiveOutOfBounds: return QStringLiteral("描述记录中的字段位置或长度越界");
    case ReaderResult::NotDataRecord: return QStringLiteral("数据记录的标识符不是“D”");
    case ReaderResult::NoFeatures: return QStringLiteral("海图中没有任何物标记录，无内容可显示");
    case ReaderResult::DuplicateCell: return QStringLiteral("已加载同名海图");
    case ReaderResult::RecordOutOfBounds: return QStringLiteral("数据记录比其头部短，或有字段越过记录末尾");
    case ReaderResult::NoFactors: return QStringLiteral("坐标或水深比例因子为0（缺少DSPM记录）");
    case ReaderResult::TruncatedRecord:
      return QStringLiteral("文件已损坏：有记录越过文件末尾，海图不完整，未加载");
    case ReaderResult::FileTooLarge: return QStringLiteral("文件超过大小上限（50 MB），海图不完整，未加载");
    case ReaderResult::GeometryTooLarge:
      return QStringLiteral("几何数据超出上限（同一边线被引用次数异常），未加载");
    case ReaderResult::NotRegularFile: return QStringLiteral("不是普通文件（文件夹、管道或设备），未读取");
    case ReaderResult::RecordCountMismatch:
      return QStringLiteral("记录数与数据集声明（DSSI）不符，有记录缺失或多出，海图不完整");
    case ReaderResult::DuplicateRecord: return QStringLiteral("有记录与前面的记录同名（RCNM和RCID相同）");
    case ReaderResult::CrcMismatch: return QStringLiteral("基础文件的CRC-32与交换集目录所列不符，未使用");
    case ReaderResult::CellCancelled: return QStringLiteral("版次为0的更新取消了此海图，不再列出");
    case ReaderResult::Encrypted:
      return QStringLiteral("加密海图（S-63）：须连同许可证导入海图库（开始 → 导入海图…）后才能显示");
    default:
      return QStringLiteral("读取失败（代码%1：%2）")
          .arg(resultCode(result))
          .arg(QString::fromLatin1(readerResultText(result.reader())));
  }
}

QString chinesePlainFailureText(ReaderResult result, bool emptyFile) {
  switch (result) {
    case ReaderResult::CannotOpen: return QStringLiteral("文件无法打开或读取");
    case ReaderResult::FileTooShort: return emptyFile ? QStringLiteral("文件为空") : QStringLiteral("不是S-57海图文件");
    case ReaderResult::NoDescriptiveRecord:
    case ReaderResult::BadRecordLength:
    case ReaderResult::DescriptiveTooShort:
    case ReaderResult::DescriptiveOutOfBounds:
    case ReaderResult::NotDataRecord:
    case ReaderResult::RecordOutOfBounds: return QStringLiteral("不是S-57海图文件，或文件已损坏");
    case ReaderResult::NoFeatures: return QStringLiteral("海图中没有任何物标，无内容可显示");
    case ReaderResult::DuplicateCell: return QStringLiteral("已加载同名海图");
    case ReaderResult::NoFactors: return QStringLiteral("海图数据不完整，无法定位");
    case ReaderResult::TruncatedRecord: return QStringLiteral("文件已损坏（不完整），未加载");
    case ReaderResult::FileTooLarge: return QStringLiteral("文件过大（超过50 MB），未加载");
    case ReaderResult::GeometryTooLarge: return QStringLiteral("海图几何数据异常，未加载");
    case ReaderResult::NotRegularFile: return QStringLiteral("不是普通文件，未读取");
    case ReaderResult::RecordCountMismatch: return QStringLiteral("海图不完整，有记录缺失或多出");
    case ReaderResult::DuplicateRecord: return QStringLiteral("海图中有重复的记录");
    case ReaderResult::CrcMismatch: return QStringLiteral("文件校验不符（CRC-32），未加载");
    case ReaderResult::CellCancelled: return QStringLiteral("海图已被取消");
    case ReaderResult::Encrypted: return QStringLiteral("加密海图：请连同许可证导入海图库（开始 → 导入海图…）");
    default: return QStringLiteral("读取失败（代码%1）").arg(resultCode(result));
  }
}

namespace {
QString updateReason(UpdateResult result) {
  switch (result) {
    case UpdateResult::CannotRead: return QStringLiteral("更新文件无法读取");
    case UpdateResult::Truncated: return QStringLiteral("更新文件不完整，可能被截断");
    case UpdateResult::NotAnUpdate: return QStringLiteral("不是本海图的更新文件");
    case UpdateResult::WrongEdition: return QStringLiteral("更新所属的版次与海图不同");
    case UpdateResult::Gap: return QStringLiteral("缺少前一个更新，更新序号不连续");
    case UpdateResult::WrongNumber: return QStringLiteral("文件内的更新号与文件名不符");
    case UpdateResult::RecordExists: return QStringLiteral("要插入的记录海图中已有");
    case UpdateResult::RecordMissing: return QStringLiteral("要修改或删除的记录海图中没有");
    case UpdateResult::VersionMismatch: return QStringLiteral("记录版本号与海图中的不衔接");
    case UpdateResult::BadInstruction: return QStringLiteral("更新指令无法执行");
    default:
      return QStringLiteral("代码%1：%2")
          .arg(resultCode(result))
          .arg(QString::fromLatin1(updateResultText(result)));
  }
}

QString name(const std::string& file) { return QFile::decodeName(QByteArray::fromStdString(file)); }

// The kinds of record a data set counts, as its DSSI field names them.
QString recordKindText(int kind) {
  switch (kind) {
    case MetaFeatureRecords: return QStringLiteral("元物标记录");
    case CartographicFeatureRecords: return QStringLiteral("制图物标记录");
    case GeoFeatureRecords: return QStringLiteral("地理物标记录");
    case CollectionFeatureRecords: return QStringLiteral("集合物标记录");
    case IsolatedNodeRecords: return QStringLiteral("孤立节点记录");
    case ConnectedNodeRecords: return QStringLiteral("连接节点记录");
    case EdgeRecords: return QStringLiteral("边记录");
    case FaceRecords: return QStringLiteral("面记录");
    default: return QStringLiteral("类型不明的空间记录");
  }
}

QString recordsText(const LoadWarning& w) {
  switch (w.reader) {
    case ReaderResult::RecordCountMismatch: {
      QStringList counts;
      for (const RecordTally& t : w.tallies) {
        if (t.kind >= kRecordKindCount)
          counts << QStringLiteral("读到%1条%2").arg(t.read).arg(recordKindText(t.kind));
        else
          counts << QStringLiteral("%1声明%2条%3，读到%4条")
                        .arg(QString::fromLatin1(recordKindField(t.kind)))
                        .arg(t.declared)
                        .arg(recordKindText(t.kind))
                        .arg(t.read);
      }
      return QStringLiteral("%1：%2：%3")
          .arg(name(w.file), chineseFailureText(w.reader), counts.join(QStringLiteral("；")));
    }
    case ReaderResult::DuplicateRecord:
      return QStringLiteral("%1：有%2条记录与前面的记录同名（RCNM和RCID相同），第一条为%3")
          .arg(name(w.file))
          .arg(w.count)
          .arg(name(w.detail));
    default: return QStringLiteral("%1：%2").arg(name(w.file), chineseFailureText(w.reader));
  }
}

// Why a catalogue entry was refused.
QString refusalText(EntryRefusal refusal) {
  switch (refusal) {
    case EntryRefusal::AbsolutePath: return QStringLiteral("绝对路径");
    case EntryRefusal::ParentStep: return QStringLiteral("含“..”上级目录");
    case EntryRefusal::NulByte: return QStringLiteral("文件名含空字符");
    case EntryRefusal::TooManyLinks: return QStringLiteral("符号链接层数过多");
    default: return QStringLiteral("路径上的符号链接指向交换集之外");
  }
}
}  // namespace

QString chineseUpdateReason(UpdateResult result) { return updateReason(result); }

QString chineseWarningText(const LoadWarning& w) {
  switch (w.kind) {
    case LoadWarningKind::UpdateStopped:
      return QStringLiteral("%1：此更新及其后的更新未应用：%2").arg(name(w.file), updateReason(w.update));
    case LoadWarningKind::CrcMismatch:
      return QStringLiteral("%1：CRC-32校验值为%2，与目录%3所列的%4不符")
          .arg(name(w.file), name(w.detail), name(w.related), name(w.listed));
    case LoadWarningKind::CrcUnreadable:
      return QStringLiteral("%1：文件无法读取，未能按目录%2校验CRC-32").arg(name(w.file), name(w.related));
    case LoadWarningKind::NotInCatalogue:
      return QStringLiteral("%1：目录%2中未列出此文件").arg(name(w.file), name(w.related));
    case LoadWarningKind::ListedButAbsent:
      return QStringLiteral("%1：目录所列的文件%2不存在").arg(name(w.related), name(w.file));
    case LoadWarningKind::CatalogueUnreadable:
      return QStringLiteral("%1：目录文件无法读取：%2").arg(name(w.file), chineseFailureText(w.reader));
    case LoadWarningKind::SameCellTwice:
      return QStringLiteral("%1：与%2是同一海图，只读取一次").arg(name(w.file), name(w.related));
    case LoadWarningKind::RecordsDisagree: return recordsText(w);
    case LoadWarningKind::EntryRefused:
      return QStringLiteral("%1：目录所列的%2指向交换集之外（%3），已拒绝，未打开")
          .arg(name(w.related), name(w.file), refusalText(w.refusal));
    case LoadWarningKind::CatalogueOutside:
      return QStringLiteral("%1：目录文件是指向文件夹%2之外的符号链接，未读取").arg(name(w.file), name(w.related));
    case LoadWarningKind::ListedRepeatedly:
      return QStringLiteral("%1：目录%2将此文件列出%3次，只校验一次").arg(name(w.file), name(w.related)).arg(w.count);
    case LoadWarningKind::NotRegularFile:
      return QStringLiteral("%1：不是普通文件（文件夹、管道、设备或失效的链接），未读取").arg(name(w.file));
    case LoadWarningKind::FolderUnreadable:
      return QStringLiteral("%1：文件夹无法读取（%2），其中的海图未加载").arg(name(w.file), chineseSystemReason(w.systemError));
  }
  return name(w.text);
}

QString chineseSystemReason(int error) {
  switch (error) {
    case EACCES:
    case EPERM: return QStringLiteral("权限不足");
    case ENOENT: return QStringLiteral("不存在");
    case ENOTDIR: return QStringLiteral("不是文件夹");
    case ELOOP: return QStringLiteral("符号链接层数过多");
    case EIO: return QStringLiteral("读取出错");
    default: return QStringLiteral("系统错误%1").arg(error);
  }
}

QString chineseNonOfficialText(const S57Cell& cell) {
  const unsigned causes = nonOfficialCauses(cell);
  if (causes == kOfficialData) return QString();
  QStringList reasons;
  if (causes & kProducerNotOfficial)
    reasons << QStringLiteral("生产者不是官方海道测量机构（AGEN %1）").arg(cell.producingAgency);
  if (causes & kProductNotEnc)
    reasons << QStringLiteral("产品不是电子航海图（PRSP %1）").arg(cell.productSpecification);
  return QStringLiteral("非官方数据：") + reasons.join(QStringLiteral("；"));
}

QString chineseLibraryFailureText(LibraryResult result) {
  QString text = QStringLiteral("未加载海图符号库（S57Lib）");
  const int file = libraryFileOfResult(result);
  if (file >= 0) {
    const QString name = QString::fromLatin1(libraryFileName(file));
    if (resultCode(result) >= resultCode(LibraryResult::NothingRead))
      text += QStringLiteral("：文件%1中没有读到任何内容").arg(name);
    else
      text += QStringLiteral("：文件%1缺少结束标记，可能被截断").arg(name);
  } else if (result == LibraryResult::CannotOpen) {
    text += QStringLiteral("：有符号库文件无法打开");
  } else if (result == LibraryResult::BadColourRow) {
    text += QStringLiteral("：颜色表S57Colours中有格式错误的行");
  }
  return text;
}

bool installChineseTranslation(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

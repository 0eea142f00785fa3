#include "ChineseText.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "LibraryResult.h"
#include "PresentationLibrary.h"
#include "ReaderResult.h"

QString chineseFailureText(int code, bool libraryLoaded) {
  if (code == ReaderCannotOpen && !libraryLoaded) return QStringLiteral("未加载海图符号库（S57Lib）");
  switch (code) {
    case ReaderCannotOpen: return QStringLiteral("文件无法打开或读取");
    case ReaderFileTooShort: return QStringLiteral("文件不足25字节");
    case ReaderNoDescriptiveRecord: return QStringLiteral("第一条记录不是ISO 8211描述记录，或文件比它短");
    case ReaderBadRecordLength: return QStringLiteral("有数据记录的长度为0或负数");
    case ReaderDescriptiveTooShort: return QStringLiteral("描述记录不足24字节");
    case ReaderDescriptiveOutOfBounds: return QStringLiteral("描述记录中的字段位置或长度越界");
    case ReaderNotDataRecord: return QStringLiteral("数据记录的标识符不是“D”");
    case ReaderDuplicateCell: return QStringLiteral("已加载同名海图");
    case ReaderRecordOutOfBounds: return QStringLiteral("数据记录比其头部短，或有字段越过记录末尾");
    case ReaderNoFactors: return QStringLiteral("坐标或水深比例因子为0（缺少DSPM记录）");
    case ReaderTruncatedRecord: return QStringLiteral("文件已损坏：有记录越过文件末尾，海图不完整，未加载");
    case ReaderFileTooLarge: return QStringLiteral("文件超过大小上限（50 MB），海图不完整，未加载");
    case ReaderGeometryTooLarge: return QStringLiteral("几何数据超出上限（同一边线被引用次数异常），未加载");
    default:
      return QStringLiteral("读取失败（代码%1：%2）").arg(code).arg(QString::fromLatin1(readerResultText(code)));
  }
}

QString chineseLibraryFailureText(int code) {
  QString text = QStringLiteral("未加载海图符号库（S57Lib）");
  const int file = libraryFileOfResult(code);
  if (file >= 0) {
    const QString name = QString::fromLatin1(libraryFileName(file));
    if (code >= LibraryNothingRead)
      text += QStringLiteral("：文件%1中没有读到任何内容").arg(name);
    else
      text += QStringLiteral("：文件%1缺少结束标记，可能被截断").arg(name);
  } else if (code == LibraryCannotOpen) {
    text += QStringLiteral("：有符号库文件无法打开");
  } else if (code == LibraryBadColourRow) {
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

#include "ChineseText.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

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
    default:
      return QStringLiteral("读取失败（代码%1：%2）").arg(code).arg(QString::fromLatin1(readerResultText(code)));
  }
}

bool installChineseTranslation(QCoreApplication& application) {
  auto* translator = new QTranslator(&application);
  if (!translator->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

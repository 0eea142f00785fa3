#pragma once
// The window speaks Chinese: the reasons a cell is not loaded, the warnings
// of a cell that loaded, and Qt's own dialog buttons through Qt's Chinese
// translation.
#include <QString>

#include "CellLoadResult.h"
#include "LibraryResult.h"
#include "UpdateResult.h"

class QCoreApplication;
struct LoadWarning;
struct S57Cell;

// The reason for a loadCell result other than Ok, in Chinese. A reader
// result this window does not know keeps the reader's English reason after
// its number; a missing library is named without its reason
// (chineseLibraryFailureText gives that).
QString chineseFailureText(const CellLoadResult& result);

// A reader's result in the words of a user who does not read ISO 8211:
// "文件为空" (for an empty file), "不是S-57海图文件"; the technical reason
// above goes into a tool tip.
QString chinesePlainFailureText(ReaderResult result, bool emptyFile);

// A loading warning (an update that stopped the chain, a catalogue
// finding) in Chinese: one line beginning with the file it names. The
// record or value at fault stays in the warning's English line.
QString chineseWarningText(const LoadWarning& warning);

// Why an update was not applied, in Chinese: "缺少前一个更新，更新序号不连续".
QString chineseUpdateReason(UpdateResult result);

// A system error number (errno) as a short reason: "权限不足", "不存在".
QString chineseSystemReason(int error);

// Why a cell's data is not an ENC of an official hydrographic office
// (OfficialData.h), in Chinese: "非官方数据：生产者不是官方海道测量机构（AGEN
// 65535）"; empty for official data.
QString chineseNonOfficialText(const S57Cell& cell);

// Why the presentation library is not loaded, from the loader's result: the
// file a damaged library names, in Chinese.
QString chineseLibraryFailureText(LibraryResult result);

// Installs Qt's Chinese translation (qtbase_zh_CN.qm of the Debian package
// qttranslations5-l10n, from Qt's translations folder), so that the buttons
// of message boxes, file dialogs and input dialogs read 是, 否, 确定 and 取消.
// False when the file is missing; the buttons then stay English.
bool installChineseTranslation(QCoreApplication& application);

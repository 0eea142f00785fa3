#include "RouteText.h"

#include <cmath>

#include "Geodesic.h"

namespace {
QString metres(float value) { return QString::number(static_cast<double>(value), 'f', 1); }
QString scale(int value) { return QStringLiteral("1:%1").arg(value); }

QString fileCodeText(RouteFileCode code) {
  switch (code) {
    case RouteFileCode::Ok: return QStringLiteral("成功");
    case RouteFileCode::CannotRead: return QStringLiteral("无法读取文件");
    case RouteFileCode::TooLarge: return QStringLiteral("文件过大");
    case RouteFileCode::NotXml: return QStringLiteral("不是格式正确的 XML");
    case RouteFileCode::NotARoute: return QStringLiteral("既不是 RTZ 航线也不是 GPX 文件");
    case RouteFileCode::UnknownVersion: return QStringLiteral("不支持的 RTZ 或 GPX 版本");
    case RouteFileCode::BadNumber: return QStringLiteral("数值不是数字");
    case RouteFileCode::OutOfRange: return QStringLiteral("纬度、经度、偏航距或转弯半径超出范围");
    case RouteFileCode::MissingValue: return QStringLiteral("缺少位置或坐标");
    case RouteFileCode::BadValue: return QStringLiteral("取值无效");
    case RouteFileCode::TooFewWaypoints: return QStringLiteral("航线少于两个航路点");
    case RouteFileCode::NoRoute: return QStringLiteral("GPX 文件中没有航线");
    case RouteFileCode::CannotWrite: return QStringLiteral("无法写入文件");
  }
  return QStringLiteral("未知错误");
}
}  // namespace

QString legKindText(LegKind kind) {
  return kind == LegKind::GreatCircle ? QStringLiteral("大圆航线") : QStringLiteral("恒向线");
}

QString nauticalMilesText(double m) { return QString::number(m / kMetresPerNauticalMile, 'f', 2); }

QString findingKindText(FindingKind kind) {
  return kind == FindingKind::Alarm ? QStringLiteral("警报") : QStringLiteral("提示");
}

QString findingReasonText(const RouteFinding& f) {
  switch (f.reason) {
    case FindingReason::ShallowWater:
      return QStringLiteral("水深 %1 m，浅于安全等深线 %2 m").arg(metres(f.depth), metres(f.limit));
    case FindingReason::NotNavigable: return QStringLiteral("陆地或不可航行水域");
    case FindingReason::Danger:
      return std::isnan(f.depth) ? QStringLiteral("碍航物，水深未知")
                                 : QStringLiteral("碍航物水深 %1 m，不深于安全等深线 %2 m")
                                       .arg(metres(f.depth), metres(f.limit));
    case FindingReason::ShoalSounding:
      return QStringLiteral("水深点 %1 m，浅于安全等深线 %2 m").arg(metres(f.depth), metres(f.limit));
    case FindingReason::Obstacle: return QStringLiteral("任何水深都可能碰撞的物标");
    case FindingReason::SpecialArea:
      return f.kind == FindingKind::Alarm ? QStringLiteral("禁止进入或应避开的区域")
                                          : QStringLiteral("有特殊条件的区域");
    case FindingReason::OutsideCoverage: return QStringLiteral("航段驶出海图覆盖范围");
    case FindingReason::LessDetailedData:
      return QStringLiteral("此处以较小比例尺 %1 的海图检查（最佳 %2）").arg(scale(f.scale), scale(f.betterScale));
    case FindingReason::Overscaled:
      return QStringLiteral("数据编绘比例尺 %1 小于海图比例尺 %2").arg(scale(f.scale), scale(f.betterScale));
    case FindingReason::CellNotLoaded:
      return QStringLiteral("图幅 %1 未载入内存，其物标未检查（正在读取后重新检查）").arg(QString::fromStdString(f.cell));
  }
  return QString();
}

QString routeFileErrorText(const RouteFileResult& result) {
  const QString chinese = result.line > 0 ? QStringLiteral("第 %1 行：%2").arg(result.line).arg(fileCodeText(result.code))
                                          : fileCodeText(result.code);
  return chinese + QStringLiteral("\n\n") + QString::fromStdString(result.text());
}

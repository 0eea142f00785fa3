#include "RtzFormat.h"

#include <QBuffer>
#include <QXmlStreamWriter>
#include <optional>

#include "XmlValues.h"

namespace {
const char* namespaceOf(RtzVersion v) {
  switch (v) {
    case RtzVersion::V1_0: return "http://www.cirm.org/RTZ/1/0";
    case RtzVersion::V1_1: return "http://www.cirm.org/RTZ/1/1";
    case RtzVersion::V1_2: return "http://www.cirm.org/RTZ/1/2";
  }
  return "";
}

std::optional<RtzVersion> versionFrom(const QString& text) {
  for (RtzVersion v : {RtzVersion::V1_0, RtzVersion::V1_1, RtzVersion::V1_2}) {
    if (text.trimmed() == QLatin1String(rtzVersionText(v))) return v;
  }
  return std::nullopt;
}

std::optional<RtzVersion> versionFromNamespace(const QString& uri) {
  for (RtzVersion v : {RtzVersion::V1_0, RtzVersion::V1_1, RtzVersion::V1_2})
    if (uri == QLatin1String(namespaceOf(v))) return v;
  return std::nullopt;
}

// A number attribute of 0 or more, when present.
std::optional<double> nonNegative(RouteXmlReader& xml, const char* name, const char* what) {
  const std::optional<double> value = xml.numberAttribute(name, what);
  if (value && *value < 0)
    xml.fail(RouteFileCode::OutOfRange, xml.line(), std::string(what) + " " + formatXmlNumber(*value).toStdString() + " is negative");
  return value;
}

// An XTD attribute (nautical miles), when present.
std::optional<double> xtd(RouteXmlReader& xml, const char* name) {
  const std::optional<double> value = nonNegative(xml, name, name);
  if (value && *value > kMaxXtdNm)
    xml.fail(RouteFileCode::OutOfRange, xml.line(),
             std::string(name) + " " + formatXmlNumber(*value).toStdString() + " NM is more than " +
                 formatXmlNumber(kMaxXtdNm).toStdString() + " NM");
  return value;
}

// The values of a <leg> element over those it does not give.
void readLeg(RouteXmlReader& xml, LegSettings& leg) {
  if (const auto v = xtd(xml, "portXTD")) leg.portXtdNm = *v;
  if (const auto v = xtd(xml, "starboardXTD")) leg.starboardXtdNm = *v;
  const QString geometry = xml.attribute("geometryType").trimmed();
  if (geometry.isNull() || xml.failed()) {
  } else if (geometry.compare(QLatin1String("Loxodrome"), Qt::CaseInsensitive) == 0) {
    leg.kind = LegKind::Rhumb;
  } else if (geometry.compare(QLatin1String("Orthodrome"), Qt::CaseInsensitive) == 0) {
    leg.kind = LegKind::GreatCircle;
  } else {
    xml.fail(RouteFileCode::BadValue, xml.line(),
             "geometryType " + RouteXmlReader::quote(geometry) + " is neither Loxodrome nor Orthodrome");
  }
  xml.skipElement();
}

std::optional<GeoPoint> readPosition(RouteXmlReader& xml) {
  const int line = xml.line();
  const std::optional<double> lat = xml.numberAttribute("lat", "latitude");
  const std::optional<double> lon = xml.numberAttribute("lon", "longitude");
  if (xml.failed()) return std::nullopt;
  if (!lat || !lon) {
    xml.fail(RouteFileCode::MissingValue, line, std::string("<position> has no ") + (!lat ? "lat" : "lon"));
    return std::nullopt;
  }
  if (*lat < -90 || *lat > 90 || *lon < -180 || *lon > 180) {
    xml.fail(RouteFileCode::OutOfRange, line,
             "position " + formatXmlNumber(*lat).toStdString() + ", " + formatXmlNumber(*lon).toStdString() +
                 " is off the globe (latitude -90..90, longitude -180..180)");
    return std::nullopt;
  }
  xml.skipElement();
  return GeoPoint{*lat, *lon};
}

struct Defaults {
  std::optional<double> radius;
  LegSettings leg;
};

void readDefaultWaypoint(RouteXmlReader& xml, Defaults& defaults) {
  if (const auto r = nonNegative(xml, "radius", "radius")) defaults.radius = *r;
  while (xml.nextChild()) {
    if (xml.name() == QLatin1String("leg")) readLeg(xml, defaults.leg);
    else xml.skipElement();
  }
}

bool readWaypoint(RouteXmlReader& xml, const Defaults& defaults, Waypoint& waypoint, LegSettings& leg) {
  const int line = xml.line();
  waypoint = Waypoint{};
  waypoint.name = xml.attribute("name").toStdString();
  waypoint.turnRadiusNm = defaults.radius;
  if (const auto r = nonNegative(xml, "radius", "radius")) waypoint.turnRadiusNm = *r;
  leg = defaults.leg;
  bool hasPosition = false, hasLeg = false;
  while (xml.nextChild()) {
    if (xml.name() == QLatin1String("position")) {
      if (hasPosition) {
        xml.fail(RouteFileCode::BadValue, xml.line(), "a second <position> in one waypoint");
        return false;
      }
      const std::optional<GeoPoint> p = readPosition(xml);
      if (!p) return false;
      waypoint.position = *p;
      hasPosition = true;
    } else if (xml.name() == QLatin1String("leg")) {
      if (hasLeg) {
        xml.fail(RouteFileCode::BadValue, xml.line(), "a second <leg> in one waypoint");
        return false;
      }
      readLeg(xml, leg);
      hasLeg = true;
    } else {
      xml.skipElement();
    }
  }
  if (xml.failed()) return false;
  if (!hasPosition) {
    xml.fail(RouteFileCode::MissingValue, line, "<waypoint> has no <position>");
    return false;
  }
  return true;
}

void readWaypoints(RouteXmlReader& xml, Route& route) {
  const int line = xml.line();
  Defaults defaults;
  while (xml.nextChild()) {
    if (xml.name() == QLatin1String("defaultWaypoint")) {
      readDefaultWaypoint(xml, defaults);
    } else if (xml.name() == QLatin1String("waypoint")) {
      Waypoint waypoint;
      LegSettings leg;
      if (!readWaypoint(xml, defaults, waypoint, leg)) return;
      if (!route.appendWaypoint(waypoint, leg)) {
        xml.fail(RouteFileCode::OutOfRange, xml.line(), "the waypoint's values are out of range");
        return;
      }
    } else {
      xml.skipElement();
    }
  }
  if (!xml.failed() && route.waypoints().size() < 2)
    xml.fail(RouteFileCode::TooFewWaypoints, line,
             "<waypoints> holds " + std::to_string(route.waypoints().size()) +
                 " waypoint(s); a route needs two or more");
}
}  // namespace

const char* rtzVersionText(RtzVersion v) {
  switch (v) {
    case RtzVersion::V1_0: return "1.0";
    case RtzVersion::V1_1: return "1.1";
    case RtzVersion::V1_2: return "1.2";
  }
  return "";
}

void readRtz(RouteXmlReader& xml, RouteDocument& document) {
  const int rootLine = xml.line();
  const QString versionText = xml.attribute("version");
  std::optional<RtzVersion> version =
      versionText.isNull() ? versionFromNamespace(xml.namespaceUri()) : versionFrom(versionText);
  if (!version) {
    xml.fail(RouteFileCode::UnknownVersion, rootLine,
             versionText.isNull() ? std::string("the RTZ route gives no version")
                                  : "RTZ version " + RouteXmlReader::quote(versionText) +
                                        " is not one of 1.0, 1.1 and 1.2");
    return;
  }
  Route route;
  bool hasWaypoints = false;
  while (xml.nextChild()) {
    if (xml.name() == QLatin1String("routeInfo")) {
      route.setName(xml.attribute("routeName").toStdString());
      xml.skipElement();
    } else if (xml.name() == QLatin1String("waypoints") && !hasWaypoints) {
      hasWaypoints = true;
      readWaypoints(xml, route);
    } else if (xml.name() == QLatin1String("waypoints")) {
      xml.fail(RouteFileCode::BadValue, xml.line(), "a second <waypoints> in one route");
    } else {
      xml.skipElement();
    }
  }
  if (xml.failed()) return;
  if (!hasWaypoints) {
    xml.fail(RouteFileCode::TooFewWaypoints, rootLine, "the route has no <waypoints>");
    return;
  }
  document.format = RouteFormat::Rtz;
  document.rtzVersion = *version;
  document.routes.assign(1, std::move(route));
}

QByteArray writeRtz(const Route& route, RtzVersion version) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QXmlStreamWriter w(&buffer);
  w.setAutoFormatting(true);
  w.setAutoFormattingIndent(2);
  w.writeStartDocument();
  w.writeStartElement(QStringLiteral("route"));
  w.writeDefaultNamespace(QLatin1String(namespaceOf(version)));
  w.writeAttribute(QStringLiteral("version"), QLatin1String(rtzVersionText(version)));
  w.writeEmptyElement(QStringLiteral("routeInfo"));
  w.writeAttribute(QStringLiteral("routeName"), xmlText(route.name()));
  w.writeStartElement(QStringLiteral("waypoints"));
  const std::vector<Waypoint>& waypoints = route.waypoints();
  for (std::size_t i = 0; i < waypoints.size(); ++i) {
    const Waypoint& wp = waypoints[i];
    w.writeStartElement(QStringLiteral("waypoint"));
    w.writeAttribute(QStringLiteral("id"), QString::number(i + 1));
    if (!wp.name.empty()) w.writeAttribute(QStringLiteral("name"), xmlText(wp.name));
    if (wp.turnRadiusNm) w.writeAttribute(QStringLiteral("radius"), formatXmlNumber(*wp.turnRadiusNm));
    w.writeEmptyElement(QStringLiteral("position"));
    w.writeAttribute(QStringLiteral("lat"), formatXmlNumber(wp.position.latitude));
    w.writeAttribute(QStringLiteral("lon"), formatXmlNumber(wp.position.longitude));
    if (i > 0) {
      const LegSettings& leg = route.legSettings()[i - 1];
      w.writeEmptyElement(QStringLiteral("leg"));
      w.writeAttribute(QStringLiteral("starboardXTD"), formatXmlNumber(leg.starboardXtdNm));
      w.writeAttribute(QStringLiteral("portXTD"), formatXmlNumber(leg.portXtdNm));
      w.writeAttribute(QStringLiteral("geometryType"),
                       leg.kind == LegKind::GreatCircle ? QStringLiteral("Orthodrome") : QStringLiteral("Loxodrome"));
    }
    w.writeEndElement();
  }
  w.writeEndElement();  // waypoints
  w.writeEndElement();  // route
  w.writeEndDocument();
  return bytes;
}

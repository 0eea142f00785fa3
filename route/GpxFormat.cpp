#include "GpxFormat.h"

#include <QBuffer>
#include <QXmlStreamWriter>
#include <optional>

#include "XmlValues.h"

namespace {
// A text element whose carriage returns survive: written raw, XML's line
// ends would read back as line feeds, so they are written as &#13;.
void writeText(QXmlStreamWriter& w, const QString& element, const std::string& text) {
  w.writeStartElement(element);
  const QStringList parts = xmlText(text).split(QLatin1Char('\r'));
  for (int i = 0; i < parts.size(); ++i) {
    if (i > 0) w.writeEntityReference(QStringLiteral("#13"));
    if (!parts[i].isEmpty()) w.writeCharacters(parts[i]);
  }
  w.writeEndElement();
}

bool readRoutePoint(RouteXmlReader& xml, Waypoint& waypoint) {
  const int line = xml.line();
  const std::optional<double> lat = xml.numberAttribute("lat", "latitude");
  const std::optional<double> lon = xml.numberAttribute("lon", "longitude");
  if (xml.failed()) return false;
  if (!lat || !lon) {
    xml.fail(RouteFileCode::MissingValue, line, std::string("<rtept> has no ") + (!lat ? "lat" : "lon"));
    return false;
  }
  if (*lat < -90 || *lat > 90 || *lon < -180 || *lon > 180) {
    xml.fail(RouteFileCode::OutOfRange, line,
             "position " + formatXmlNumber(*lat).toStdString() + ", " + formatXmlNumber(*lon).toStdString() +
                 " is off the globe (latitude -90..90, longitude -180..180)");
    return false;
  }
  waypoint = Waypoint{};
  waypoint.position = {*lat, *lon};
  while (xml.nextChild()) {
    if (xml.name() == QLatin1String("name")) waypoint.name = xml.readText().toStdString();
    else xml.skipElement();
  }
  return !xml.failed();
}

void readRoute(RouteXmlReader& xml, LegKind legs, std::vector<Route>& routes) {
  const int line = xml.line();
  Route route;
  LegSettings settings;
  settings.kind = legs;
  while (xml.nextChild()) {
    if (xml.name() == QLatin1String("name")) {
      route.setName(xml.readText().toStdString());
    } else if (xml.name() == QLatin1String("rtept")) {
      Waypoint waypoint;
      if (!readRoutePoint(xml, waypoint)) return;
      route.appendWaypoint(waypoint, settings);
    } else {
      xml.skipElement();
    }
  }
  if (xml.failed()) return;
  if (route.waypoints().size() < 2) {
    xml.fail(RouteFileCode::TooFewWaypoints, line,
             "<rte> holds " + std::to_string(route.waypoints().size()) +
                 " route point(s) (rtept); a route needs two or more");
    return;
  }
  routes.push_back(std::move(route));
}
}  // namespace

void readGpx(RouteXmlReader& xml, LegKind legs, RouteDocument& document) {
  const int rootLine = xml.line();
  const QString version = xml.attribute("version").trimmed();
  if (version != QLatin1String("1.1") && version != QLatin1String("1.0")) {
    xml.fail(RouteFileCode::UnknownVersion, rootLine,
             version.isNull() ? std::string("the GPX file gives no version")
                              : "GPX version " + RouteXmlReader::quote(version) + " is neither 1.1 nor 1.0");
    return;
  }
  std::vector<Route> routes;
  while (xml.nextChild()) {
    if (xml.name() == QLatin1String("rte")) readRoute(xml, legs, routes);
    else xml.skipElement();
  }
  if (xml.failed()) return;
  if (routes.empty()) {
    xml.fail(RouteFileCode::NoRoute, rootLine, "the GPX file holds no route (<rte>)");
    return;
  }
  document.format = RouteFormat::Gpx;
  document.routes = std::move(routes);
}

QByteArray writeGpx(const std::vector<Route>& routes) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QXmlStreamWriter w(&buffer);
  w.setAutoFormatting(true);
  w.setAutoFormattingIndent(2);
  w.writeStartDocument();
  w.writeStartElement(QStringLiteral("gpx"));
  w.writeDefaultNamespace(QStringLiteral("http://www.topografix.com/GPX/1/1"));
  w.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
  w.writeAttribute(QStringLiteral("creator"), QStringLiteral("chartdisplay"));
  for (const Route& route : routes) {
    w.writeStartElement(QStringLiteral("rte"));
    if (!route.name().empty()) writeText(w, QStringLiteral("name"), route.name());
    for (const Waypoint& wp : route.waypoints()) {
      w.writeStartElement(QStringLiteral("rtept"));
      w.writeAttribute(QStringLiteral("lat"), formatXmlNumber(wp.position.latitude));
      w.writeAttribute(QStringLiteral("lon"), formatXmlNumber(wp.position.longitude));
      if (!wp.name.empty()) writeText(w, QStringLiteral("name"), wp.name);
      w.writeEndElement();
    }
    w.writeEndElement();
  }
  w.writeEndElement();
  w.writeEndDocument();
  return bytes;
}

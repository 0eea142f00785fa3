#include "RouteExchange.h"

#include <QFile>
#include <QSaveFile>
#include <cctype>
#include <cstdio>

#include "GpxFormat.h"
#include "RegularFile.h"
#include "RouteXmlReader.h"
#include "RtzFormat.h"

RouteFileResult readRouteDocument(const QByteArray& bytes, LegKind gpxLegs, RouteDocument& document) {
  RouteXmlReader xml(bytes);
  RouteDocument parsed;
  if (xml.enterRoot()) {
    if (xml.name() == QLatin1String("route")) {
      readRtz(xml, parsed);
    } else if (xml.name() == QLatin1String("gpx")) {
      readGpx(xml, gpxLegs, parsed);
    } else {
      xml.fail(RouteFileCode::NotARoute, xml.line(),
               "the root element <" + xml.name().toStdString() + "> is neither an RTZ <route> nor a GPX <gpx>");
    }
    xml.finish();
  }
  if (xml.failed()) return xml.result();
  document = std::move(parsed);
  return {};
}

RouteFileResult readRouteFile(const std::string& path, LegKind gpxLegs, RouteDocument& document) {
  std::FILE* file = nullptr;
  std::uint64_t size = 0;
  switch (openRegularFile(path, file, size)) {
    case RegularFileOpen::CannotOpen:
      return {RouteFileCode::CannotRead, 0, "cannot open " + path};
    case RegularFileOpen::NotRegular:
      return {RouteFileCode::CannotRead, 0, path + " is not a regular file"};
    case RegularFileOpen::Opened:
      break;
  }
  if (size > kMaxRouteFileBytes) {
    std::fclose(file);
    return {RouteFileCode::TooLarge, 0,
            path + " holds " + std::to_string(size) + " bytes, more than a route file may (" +
                std::to_string(kMaxRouteFileBytes) + ")"};
  }
  QByteArray bytes(static_cast<int>(size), Qt::Uninitialized);
  const std::size_t got = size > 0 ? std::fread(bytes.data(), 1, size, file) : 0;
  const bool readError = std::ferror(file) != 0;
  std::fclose(file);
  if (readError || got != size) return {RouteFileCode::CannotRead, 0, "cannot read " + path};
  return readRouteDocument(bytes, gpxLegs, document);
}

std::optional<RouteFormat> routeFormatOfName(const std::string& path) {
  if (path.size() < 4) return std::nullopt;
  std::string ext = path.substr(path.size() - 4);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == ".rtz") return RouteFormat::Rtz;
  if (ext == ".gpx") return RouteFormat::Gpx;
  return std::nullopt;
}

RouteFileResult encodeRouteDocument(const RouteDocument& document, QByteArray& bytes) {
  for (const Route& route : document.routes)
    if (route.waypoints().size() < 2)
      return {RouteFileCode::TooFewWaypoints, 0,
              "route '" + route.name() + "' has " + std::to_string(route.waypoints().size()) +
                  " waypoint(s); a route needs two or more"};
  if (document.format == RouteFormat::Rtz) {
    if (document.routes.size() != 1)
      return {document.routes.empty() ? RouteFileCode::TooFewWaypoints : RouteFileCode::BadValue, 0,
              "an RTZ file holds one route, not " + std::to_string(document.routes.size())};
    bytes = writeRtz(document.routes.front(), document.rtzVersion);
    return {};
  }
  if (document.routes.empty()) return {RouteFileCode::NoRoute, 0, "there is no route to write"};
  bytes = writeGpx(document.routes);
  return {};
}

RouteFileResult writeRouteFile(const std::string& path, const RouteDocument& document) {
  QByteArray bytes;
  const RouteFileResult encoded = encodeRouteDocument(document, bytes);
  if (!encoded.ok()) return encoded;
  QSaveFile file(QFile::decodeName(path.c_str()));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
    return {RouteFileCode::CannotWrite, 0, "cannot write " + path + ": " + file.errorString().toStdString()};
  return {};
}

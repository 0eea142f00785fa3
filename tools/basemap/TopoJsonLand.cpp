#include "TopoJsonLand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <cmath>

namespace {

using Arc = std::vector<GeoPoint>;

struct Decoder {
  std::vector<Arc> arcs;
  std::vector<WorldLandPolygon>* polygons = nullptr;
  QString error;
  // In a topology each arc bounds at most two polygons, so the rings hold
  // at most about twice the arcs' positions; a file whose rings repeat arcs
  // beyond that is refused before it costs more than its size.
  std::size_t arcPositions = 0, ringPositions = 0;

  bool fail(const QString& text) {
    if (error.isEmpty()) error = text;
    return false;
  }

  bool readArcs(const QJsonArray& source, const QJsonObject& transform) {
    const bool quantised = !transform.isEmpty();
    double sx = 1, sy = 1, tx = 0, ty = 0;
    if (quantised) {
      const QJsonArray scale = transform.value("scale").toArray();
      const QJsonArray translate = transform.value("translate").toArray();
      if (scale.size() != 2 || translate.size() != 2 || !scale[0].isDouble() || !scale[1].isDouble() ||
          !translate[0].isDouble() || !translate[1].isDouble())
        return fail(QStringLiteral("transform needs a scale and a translate of two numbers each"));
      sx = scale[0].toDouble(), sy = scale[1].toDouble();
      tx = translate[0].toDouble(), ty = translate[1].toDouble();
    }
    arcs.reserve(static_cast<std::size_t>(source.size()));
    for (int i = 0; i < source.size(); ++i) {
      const QJsonArray positions = source[i].toArray();
      Arc arc;
      arc.reserve(static_cast<std::size_t>(positions.size()));
      double x = 0, y = 0;  // running sums of the quantised steps
      for (const QJsonValue& value : positions) {
        const QJsonArray p = value.toArray();
        if (p.size() < 2 || !p[0].isDouble() || !p[1].isDouble())
          return fail(QStringLiteral("arc %1: a position is not two numbers").arg(i));
        if (quantised) {
          x += p[0].toDouble(), y += p[1].toDouble();
          arc.push_back({y * sy + ty, x * sx + tx});
        } else {
          arc.push_back({p[1].toDouble(), p[0].toDouble()});
        }
      }
      arcPositions += arc.size();
      arcs.push_back(std::move(arc));
    }
    return true;
  }

  bool ring(const QJsonArray& indices, std::vector<GeoPoint>& out) {
    out.clear();
    for (const QJsonValue& value : indices) {
      if (!value.isDouble()) return fail(QStringLiteral("an arc index is not a number"));
      const double d = value.toDouble();
      const long long index = static_cast<long long>(d);
      const long long arcIndex = index < 0 ? ~index : index;
      if (d != std::floor(d) || arcIndex >= static_cast<long long>(arcs.size()))
        return fail(QStringLiteral("arc index %1 out of range (%2 arcs)").arg(d).arg(arcs.size()));
      const Arc& arc = arcs[static_cast<std::size_t>(arcIndex)];
      ringPositions += arc.size();
      if (ringPositions > 2 * arcPositions + 1024)
        return fail(QStringLiteral("the polygons use the arcs more than twice over"));
      const std::size_t skip = out.empty() ? 0 : 1;
      if (index >= 0) {
        for (std::size_t k = skip; k < arc.size(); ++k) out.push_back(arc[k]);
      } else {
        for (std::size_t k = skip; k < arc.size(); ++k) out.push_back(arc[arc.size() - 1 - k]);
      }
    }
    if (out.size() > 1 && out.front().latitude == out.back().latitude &&
        out.front().longitude == out.back().longitude)
      out.pop_back();
    return true;
  }

  bool polygon(const QJsonArray& rings) {
    WorldLandPolygon p;
    for (const QJsonValue& r : rings) {
      std::vector<GeoPoint> points;
      if (!ring(r.toArray(), points)) return false;
      p.rings.push_back(std::move(points));
    }
    if (!p.rings.empty()) polygons->push_back(std::move(p));
    return true;
  }

  bool geometry(const QJsonObject& g, int depth) {
    const QString type = g.value("type").toString();
    if (type == QLatin1String("Polygon")) return polygon(g.value("arcs").toArray());
    if (type == QLatin1String("MultiPolygon")) {
      for (const QJsonValue& p : g.value("arcs").toArray())
        if (!polygon(p.toArray())) return false;
      return true;
    }
    if (type == QLatin1String("GeometryCollection")) {
      if (depth > 32) return fail(QStringLiteral("geometry collections nested too deeply"));
      for (const QJsonValue& member : g.value("geometries").toArray())
        if (!geometry(member.toObject(), depth + 1)) return false;
    }
    return true;  // points and lines hold no land
  }
};

}  // namespace

bool decodeTopoJsonLand(const QByteArray& json, std::vector<WorldLandPolygon>& polygons, QString& error) {
  polygons.clear();
  QJsonParseError parseError;
  const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
  if (document.isNull()) {
    error = QStringLiteral("not JSON: %1 at offset %2").arg(parseError.errorString()).arg(parseError.offset);
    return false;
  }
  const QJsonObject topology = document.object();
  if (topology.value("type").toString() != QLatin1String("Topology") || !topology.value("arcs").isArray()) {
    error = QStringLiteral("not a TopoJSON topology (no type Topology with arcs)");
    return false;
  }
  Decoder decoder;
  std::vector<WorldLandPolygon> result;
  decoder.polygons = &result;
  bool ok = decoder.readArcs(topology.value("arcs").toArray(), topology.value("transform").toObject());
  const QJsonObject objects = topology.value("objects").toObject();
  for (auto it = objects.begin(); ok && it != objects.end(); ++it) ok = decoder.geometry(it.value().toObject(), 0);
  if (!ok) {
    error = decoder.error;
    return false;
  }
  polygons = std::move(result);
  return true;
}

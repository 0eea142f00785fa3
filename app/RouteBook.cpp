#include "RouteBook.h"

#include <QString>

namespace {
const QString kRoutes = QStringLiteral("routes/list");
const QString kActive = QStringLiteral("routes/active");

const char* kindText(LegKind kind) { return kind == LegKind::GreatCircle ? "gc" : "rl"; }
}  // namespace

int RouteBook::add(Route route) {
  routes_.push_back(std::move(route));
  active_ = static_cast<int>(routes_.size()) - 1;
  return active_;
}

bool RouteBook::setActive(int index) {
  if (index < 0 || index >= static_cast<int>(routes_.size())) return false;
  active_ = index;
  return true;
}

void RouteBook::removeActive() {
  if (active_ < 0) return;
  routes_.erase(routes_.begin() + active_);
  if (routes_.empty()) active_ = -1;
  else if (active_ > 0) --active_;
}

std::string RouteBook::freeName() const {
  for (int n = 1;; ++n) {
    const std::string name = QStringLiteral("航线 %1").arg(n).toStdString();
    bool taken = false;
    for (const Route& r : routes_) taken = taken || r.name() == name;
    if (!taken) return name;
  }
}

// Stored as an array of routes, each an array of its waypoints; a waypoint
// after the first carries the settings of the leg that leads to it.
void RouteBook::save(QSettings& store) const {
  store.remove(kRoutes);
  store.beginWriteArray(kRoutes, static_cast<int>(routes_.size()));
  for (std::size_t r = 0; r < routes_.size(); ++r) {
    store.setArrayIndex(static_cast<int>(r));
    const Route& route = routes_[r];
    store.setValue(QStringLiteral("name"), QString::fromStdString(route.name()));
    store.beginWriteArray(QStringLiteral("waypoints"), static_cast<int>(route.waypoints().size()));
    for (std::size_t w = 0; w < route.waypoints().size(); ++w) {
      store.setArrayIndex(static_cast<int>(w));
      const Waypoint& p = route.waypoints()[w];
      store.setValue(QStringLiteral("lat"), p.position.latitude);
      store.setValue(QStringLiteral("lon"), p.position.longitude);
      store.setValue(QStringLiteral("name"), QString::fromStdString(p.name));
      if (p.turnRadiusNm) store.setValue(QStringLiteral("radius"), *p.turnRadiusNm);
      if (w == 0) continue;
      const LegSettings& leg = route.legSettings()[w - 1];
      store.setValue(QStringLiteral("kind"), QString::fromLatin1(kindText(leg.kind)));
      store.setValue(QStringLiteral("port"), leg.portXtdNm);
      store.setValue(QStringLiteral("starboard"), leg.starboardXtdNm);
    }
    store.endArray();
  }
  store.endArray();
  store.setValue(kActive, active_);
}

void RouteBook::restore(QSettings& store) {
  routes_.clear();
  active_ = -1;
  const int count = store.beginReadArray(kRoutes);
  for (int r = 0; r < count; ++r) {
    store.setArrayIndex(r);
    Route route(store.value(QStringLiteral("name")).toString().toStdString());
    const int points = store.beginReadArray(QStringLiteral("waypoints"));
    for (int w = 0; w < points; ++w) {
      store.setArrayIndex(w);
      bool latOk = false, lonOk = false;
      Waypoint p;
      p.position.latitude = store.value(QStringLiteral("lat")).toDouble(&latOk);
      p.position.longitude = store.value(QStringLiteral("lon")).toDouble(&lonOk);
      p.name = store.value(QStringLiteral("name")).toString().toStdString();
      const QVariant radius = store.value(QStringLiteral("radius"));
      if (radius.isValid()) p.turnRadiusNm = radius.toDouble();
      if (!validWaypoint(p)) p.turnRadiusNm.reset();  // a bad radius costs the radius, not the waypoint
      if (!latOk || !lonOk) continue;
      LegSettings leg;
      leg.kind = store.value(QStringLiteral("kind")).toString() == QLatin1String("gc") ? LegKind::GreatCircle
                                                                                        : LegKind::Rhumb;
      leg.portXtdNm = store.value(QStringLiteral("port"), kDefaultXtdNm).toDouble();
      leg.starboardXtdNm = store.value(QStringLiteral("starboard"), kDefaultXtdNm).toDouble();
      if (!validLegSettings(leg)) leg = LegSettings{};
      route.appendWaypoint(p, leg);  // refuses what is not valid
    }
    store.endArray();
    routes_.push_back(std::move(route));
  }
  store.endArray();
  if (!routes_.empty()) {
    const int active = store.value(kActive, 0).toInt();
    active_ = active >= 0 && active < static_cast<int>(routes_.size()) ? active : 0;
  }
}

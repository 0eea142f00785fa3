#pragma once
// The routes the window keeps: any number of named routes, one of them the
// active route (the one drawn on the chart, edited by the route mode,
// listed by the route panel and checked). They are kept with the other
// settings, under "routes/", and read back at the next start.
#include <QSettings>
#include <vector>

#include "Route.h"

class RouteBook {
public:
  const std::vector<Route>& routes() const { return routes_; }
  bool empty() const { return routes_.empty(); }
  // -1 while there is no route.
  int activeIndex() const { return active_; }
  Route* active() { return active_ >= 0 ? &routes_[static_cast<std::size_t>(active_)] : nullptr; }
  const Route* active() const { return active_ >= 0 ? &routes_[static_cast<std::size_t>(active_)] : nullptr; }

  // Adds a route and makes it the active one; returns its index.
  int add(Route route);
  // Makes route `index` the active one; false for an index out of range.
  bool setActive(int index);
  // Removes the active route; the one before it (or the first) becomes
  // active.
  void removeActive();
  // "航线 N" with the smallest N no route is named yet.
  std::string freeName() const;

  // Every route with its waypoints, leg settings and the active one.
  void save(QSettings& store) const;
  // Replaces the routes with those stored. A waypoint or leg setting that
  // is not valid is left out (the route keeps the rest), so a damaged
  // settings file never gives a route the model would refuse.
  void restore(QSettings& store);

private:
  std::vector<Route> routes_;
  int active_ = -1;
};

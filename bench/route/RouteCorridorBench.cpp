// What a route check pays to measure chart objects against a route: a
// 100-leg route (legs of about 3 NM winding north through Puget Sound's
// latitudes, XTD 0.1 NM) against 100,000 positions and 10,000 polygon
// edges spread over the route's box, every object tested against every
// leg (the box test rejects most pairs; the rest are measured in the leg's
// frame). The argument picks the legs: 0 rhumb lines, 1 great circles.
// Figures: time per pass over all objects, and per object and leg.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "LegCorridor.h"
#include "Route.h"

namespace {

Route windingRoute(LegKind kind) {
  Route route("bench");
  for (int k = 0; k <= 100; ++k) {
    const double lat = 47.0 + 0.045 * k;
    const double lon = -123.0 + (k % 2 ? 0.03 : -0.03) + 0.01 * std::sin(k * 0.7);
    route.appendWaypoint(Waypoint{{lat, lon}, "WP" + std::to_string(k + 1), std::nullopt},
                         LegSettings{kind, kDefaultXtdNm, kDefaultXtdNm});
  }
  return route;
}

// Positions over the route's box (47.0..51.5 N, 123.1..122.9 W and a margin).
std::vector<GeoPoint> positions(int count, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> lat(46.98, 51.52), lon(-123.12, -122.88);
  std::vector<GeoPoint> out(count);
  for (GeoPoint& p : out) p = {lat(random), lon(random)};
  return out;
}

// Polygon edges: a random walk of steps up to about 600 m.
std::vector<std::pair<GeoPoint, GeoPoint>> edges(int count) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> step(-0.004, 0.004);
  const std::vector<GeoPoint> starts = positions(count, 11);
  std::vector<std::pair<GeoPoint, GeoPoint>> out;
  out.reserve(count);
  for (const GeoPoint& p : starts) out.push_back({p, {p.latitude + step(random), p.longitude + step(random)}});
  return out;
}

void PositionsAgainstCorridors(benchmark::State& state) {
  const std::vector<LegCorridor> corridors = routeCorridors(windingRoute(static_cast<LegKind>(state.range(0))));
  const std::vector<GeoPoint> points = positions(100000, 3);
  std::size_t inside = 0;
  for (auto _ : state) {
    inside = 0;
    for (const GeoPoint& p : points)
      for (const LegCorridor& c : corridors) inside += c.contains(p);
    benchmark::DoNotOptimize(inside);
  }
  state.counters["inside"] = static_cast<double>(inside);
  state.counters["per_test"] = benchmark::Counter(static_cast<double>(points.size() * corridors.size()),
                                                  benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}
BENCHMARK(PositionsAgainstCorridors)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void EdgesAgainstCorridors(benchmark::State& state) {
  const std::vector<LegCorridor> corridors = routeCorridors(windingRoute(static_cast<LegKind>(state.range(0))));
  const std::vector<std::pair<GeoPoint, GeoPoint>> all = edges(10000);
  std::vector<LegCorridor::Span> spans;
  spans.reserve(64);
  std::size_t met = 0;
  for (auto _ : state) {
    met = 0;
    for (const auto& [p, q] : all)
      for (const LegCorridor& c : corridors) {
        spans.clear();
        met += c.appendEdgeSpans(p, q, spans);
      }
    benchmark::DoNotOptimize(met);
  }
  state.counters["met"] = static_cast<double>(met);
  state.counters["per_test"] = benchmark::Counter(static_cast<double>(all.size() * corridors.size()),
                                                  benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}
BENCHMARK(EdgesAgainstCorridors)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Measuring a position exactly once the box has let it through.
void PlaceInCorridor(benchmark::State& state) {
  const Route route = windingRoute(static_cast<LegKind>(state.range(0)));
  const LegCorridor corridor(route.legTrack(50), 185.2, 185.2);
  const LegTrack leg = route.legTrack(50);
  std::vector<GeoPoint> near;
  for (int i = 0; i < 1000; ++i) {
    const LegTrack::Point p = leg.at(leg.metres() * i / 1000.0);
    near.push_back(GeodesicLine(p.position, p.course + 90).at((i % 21 - 10) * 30.0).position);
  }
  for (auto _ : state)
    for (const GeoPoint& p : near) benchmark::DoNotOptimize(corridor.place(p));
  state.SetItemsProcessed(state.iterations() * static_cast<long>(near.size()));
}
BENCHMARK(PlaceInCorridor)->Arg(0)->Arg(1);

void BuildCorridors(benchmark::State& state) {
  const Route route = windingRoute(static_cast<LegKind>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(routeCorridors(route));
}
BENCHMARK(BuildCorridors)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void GeodesicInverse(benchmark::State& state) {
  const std::vector<GeoPoint> a = positions(1000, 5), b = positions(1000, 6);
  for (auto _ : state)
    for (std::size_t i = 0; i < a.size(); ++i) benchmark::DoNotOptimize(solveGeodesic(a[i], b[i]));
  state.SetItemsProcessed(state.iterations() * static_cast<long>(a.size()));
}
BENCHMARK(GeodesicInverse);

void RhumbInverse(benchmark::State& state) {
  const std::vector<GeoPoint> a = positions(1000, 5), b = positions(1000, 6);
  for (auto _ : state)
    for (std::size_t i = 0; i < a.size(); ++i) benchmark::DoNotOptimize(solveRhumb(a[i], b[i]));
  state.SetItemsProcessed(state.iterations() * static_cast<long>(a.size()));
}
BENCHMARK(RhumbInverse);

}  // namespace

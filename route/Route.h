#pragma once
// A named route: waypoints in order, and between each two a leg with its
// geometry (rhumb line or great circle) and its cross-track corridor (XTD,
// the distance to each side the ship may stray from the leg). Leg i runs
// from waypoint i to waypoint i + 1. Every edit checks its values first and
// changes nothing when it refuses them.
#include <optional>
#include <string>
#include <vector>

#include "LegTrack.h"

constexpr double kDefaultXtdNm = 0.1;
// A corridor wider than this to a side is no corridor; such a value is
// refused (the corridor geometry stays exact to well beyond it).
constexpr double kMaxXtdNm = 100;

struct Waypoint {
  GeoPoint position;
  std::string name;                     // UTF-8, may be empty
  std::optional<double> turnRadiusNm;   // as an RTZ file gives it; not used for the legs' geometry
  bool operator==(const Waypoint& other) const;
};

struct LegSettings {
  LegKind kind = LegKind::Rhumb;
  double portXtdNm = kDefaultXtdNm;
  double starboardXtdNm = kDefaultXtdNm;
  bool operator==(const LegSettings& other) const;
};

// Latitude within -90..90 and longitude within -180..180, both finite.
bool validPosition(GeoPoint position);
// Both XTDs from 0 to kMaxXtdNm.
bool validLegSettings(const LegSettings& settings);
// A valid position, and a turn radius, when given, finite and 0 or more.
bool validWaypoint(const Waypoint& waypoint);

// A leg with what the route panel shows of it.
struct RouteLeg {
  int index = 0;  // 0 for the leg from the first waypoint
  Waypoint from, to;
  LegSettings settings;
  double metres = 0;
  double initialCourse = 0, finalCourse = 0;  // true, degrees
};

class Route {
public:
  Route() = default;
  explicit Route(std::string name) : name_(std::move(name)) {}

  const std::string& name() const { return name_; }
  void setName(std::string name) { name_ = std::move(name); }

  const std::vector<Waypoint>& waypoints() const { return waypoints_; }
  // One fewer than the waypoints (none for a route of one or none).
  const std::vector<LegSettings>& legSettings() const { return legs_; }
  int legCount() const { return static_cast<int>(legs_.size()); }

  LegTrack legTrack(int leg) const;
  RouteLeg leg(int leg) const;
  double lengthMetres() const;

  // Appends a waypoint. The leg to it takes `legToIt`, or without it the
  // settings of the leg before (the defaults for the first leg).
  bool appendWaypoint(const Waypoint& waypoint);
  bool appendWaypoint(const Waypoint& waypoint, const LegSettings& legToIt);
  bool moveWaypoint(int index, GeoPoint position);
  bool renameWaypoint(int index, std::string name);
  // Deleting a waypoint between two others joins its two legs into one with
  // the settings of the leg that led to it.
  bool deleteWaypoint(int index);
  // A new waypoint on leg `leg` (between waypoints leg and leg + 1); both
  // halves keep the leg's settings.
  bool insertOnLeg(int leg, const Waypoint& waypoint);
  bool setLegSettings(int leg, const LegSettings& settings);

  bool operator==(const Route& other) const;
  bool operator!=(const Route& other) const { return !(*this == other); }

private:
  std::string name_;
  std::vector<Waypoint> waypoints_;
  std::vector<LegSettings> legs_;
};

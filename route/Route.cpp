#include "Route.h"

#include <cmath>

bool Waypoint::operator==(const Waypoint& other) const {
  return position.latitude == other.position.latitude && position.longitude == other.position.longitude &&
         name == other.name && turnRadiusNm == other.turnRadiusNm;
}

bool LegSettings::operator==(const LegSettings& other) const {
  return kind == other.kind && portXtdNm == other.portXtdNm && starboardXtdNm == other.starboardXtdNm;
}

bool validPosition(GeoPoint p) {
  return std::isfinite(p.latitude) && std::isfinite(p.longitude) && p.latitude >= -90 && p.latitude <= 90 &&
         p.longitude >= -180 && p.longitude <= 180;
}

bool validLegSettings(const LegSettings& s) {
  return s.portXtdNm >= 0 && s.portXtdNm <= kMaxXtdNm && s.starboardXtdNm >= 0 && s.starboardXtdNm <= kMaxXtdNm &&
         (s.kind == LegKind::Rhumb || s.kind == LegKind::GreatCircle);
}

bool validWaypoint(const Waypoint& w) {
  return validPosition(w.position) &&
         (!w.turnRadiusNm || (std::isfinite(*w.turnRadiusNm) && *w.turnRadiusNm >= 0));
}

LegTrack Route::legTrack(int leg) const {
  return LegTrack(waypoints_.at(leg).position, waypoints_.at(leg + 1).position, legs_.at(leg).kind);
}

RouteLeg Route::leg(int index) const {
  const LegTrack track = legTrack(index);
  RouteLeg leg;
  leg.index = index;
  leg.from = waypoints_[index];
  leg.to = waypoints_[index + 1];
  leg.settings = legs_[index];
  leg.metres = track.metres();
  leg.initialCourse = track.initialCourse();
  leg.finalCourse = track.finalCourse();
  return leg;
}

double Route::lengthMetres() const {
  double metres = 0;
  for (int i = 0; i < legCount(); ++i) metres += legTrack(i).metres();
  return metres;
}

bool Route::appendWaypoint(const Waypoint& waypoint) {
  return appendWaypoint(waypoint, legs_.empty() ? LegSettings{} : legs_.back());
}

bool Route::appendWaypoint(const Waypoint& waypoint, const LegSettings& legToIt) {
  if (!validWaypoint(waypoint) || !validLegSettings(legToIt)) return false;
  if (!waypoints_.empty()) legs_.push_back(legToIt);
  waypoints_.push_back(waypoint);
  return true;
}

bool Route::moveWaypoint(int index, GeoPoint position) {
  if (index < 0 || index >= static_cast<int>(waypoints_.size()) || !validPosition(position)) return false;
  waypoints_[index].position = position;
  return true;
}

bool Route::renameWaypoint(int index, std::string name) {
  if (index < 0 || index >= static_cast<int>(waypoints_.size())) return false;
  waypoints_[index].name = std::move(name);
  return true;
}

bool Route::deleteWaypoint(int index) {
  const int count = static_cast<int>(waypoints_.size());
  if (index < 0 || index >= count) return false;
  waypoints_.erase(waypoints_.begin() + index);
  if (!legs_.empty()) {
    // The first waypoint takes its outgoing leg along; any other its incoming one's successor.
    legs_.erase(legs_.begin() + (index == 0 ? 0 : index == count - 1 ? index - 1 : index));
  }
  return true;
}

bool Route::insertOnLeg(int leg, const Waypoint& waypoint) {
  if (leg < 0 || leg >= legCount() || !validWaypoint(waypoint)) return false;
  waypoints_.insert(waypoints_.begin() + leg + 1, waypoint);
  legs_.insert(legs_.begin() + leg + 1, legs_[leg]);
  return true;
}

bool Route::setLegSettings(int leg, const LegSettings& settings) {
  if (leg < 0 || leg >= legCount() || !validLegSettings(settings)) return false;
  legs_[leg] = settings;
  return true;
}

bool Route::operator==(const Route& other) const {
  return name_ == other.name_ && waypoints_ == other.waypoints_ && legs_ == other.legs_;
}

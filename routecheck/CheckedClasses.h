#pragma once
// The object classes a route check looks at, and what each means for a ship
// on the route.
#include <string_view>

enum class CheckRole {
  None,         // not looked at
  DepthArea,    // DEPARE, DRGARE: shallow water where DRVAL1 is shallower than the safety contour
  NeverSafe,    // never water a ship may use: land, unsurveyed areas, docks, hulks, pontoons, shore constructions
  Danger,       // rocks, wrecks, obstructions: a danger when not deeper than the safety contour
  Sounding,     // soundings: a shoal where shallower than the safety contour in deep enough water
  Obstacle,     // dangerous at any depth: aids to navigation, platforms, bridges, pylons, fish havens, ice
  SpecialArea,  // areas for which special conditions exist
  ScaleArea,    // M_CSCL: a part of a cell compiled at another scale
};

CheckRole checkRole(int objectClass);

// The acronym of a class the check looks at; "" for the others.
std::string_view checkedClassAcronym(int objectClass);

#pragma once
// What reading or writing a route file gave: 0 for success, otherwise the
// kind of fault, the line it is on and an English sentence naming it. A
// file that is refused changes nothing the caller holds.
#include <string>

enum class RouteFileCode {
  Ok = 0,
  CannotRead = 1,       // absent, unreadable, or not a regular file
  TooLarge = 2,         // over the size limit of route files
  NotXml = 3,           // not well-formed XML: an element not closed, a stray tag, a document type
  NotARoute = 4,        // well-formed, but neither an RTZ route nor a GPX file
  UnknownVersion = 5,   // an RTZ or GPX version this reader does not know
  BadNumber = 6,        // a value that should be a number and is not one
  OutOfRange = 7,       // a latitude, longitude, XTD or radius outside its range
  MissingValue = 8,     // a position or coordinate that must be there and is not
  BadValue = 9,         // a value outside its list (an unknown leg geometry)
  TooFewWaypoints = 10, // a route with fewer than two waypoints
  NoRoute = 11,         // a GPX file without any route (rte)
  CannotWrite = 12,     // the file could not be written (nothing was replaced)
};

struct RouteFileResult {
  RouteFileCode code = RouteFileCode::Ok;
  int line = 0;  // the line at fault, 1 for the first; 0 when no line is concerned
  std::string message;

  bool ok() const { return code == RouteFileCode::Ok; }
  // "line 12: message", or the message alone without a line.
  std::string text() const;
};

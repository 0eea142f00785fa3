#include "RouteFileResult.h"

std::string RouteFileResult::text() const {
  if (line <= 0) return message;
  return "line " + std::to_string(line) + ": " + message;
}

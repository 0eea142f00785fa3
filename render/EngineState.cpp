#include "EngineState.h"

EngineState& engineState() {
  static EngineState state;
  return state;
}

#include "ContourLabel.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "ProcedureSupport.h"

void contourLabel(const ChartFeature&, float value, const DisplaySettings&, std::vector<Instruction>& out) {
  if (!(value >= 0 && value <= 99999)) return;  // also not a number

  auto digit = [&](char row, char d) { out.push_back(symbolInstruction(std::string("SAFCON") + row + d)); };
  const int n = static_cast<int>(value);
  const bool fractional = value != std::trunc(value);
  char t[32];

  if (value < 10 && fractional) {
    std::snprintf(t, sizeof t, "%3.1f", static_cast<double>(value));
    // 9.95 and above round to "10.0": that label takes the two-digit form.
    if (t[1] == '.') {
      digit('0', t[0]);
      digit('6', t[2]);
      return;
    }
  }
  if (value < 10 && !fractional) {
    std::snprintf(t, sizeof t, "%1d", n);
    digit('0', t[0]);
    return;
  }
  if (value < 30 && fractional) {
    std::snprintf(t, sizeof t, "%4.1f", static_cast<double>(value));
    digit('2', t[0]);
    digit('1', t[1]);
    digit('5', t[3]);
    return;
  }
  std::snprintf(t, sizeof t, "%d", n);
  if (value < 100) {
    digit('2', t[0]);
    digit('1', t[1]);
  } else if (value < 1000) {
    digit('4', t[0]);
    digit('3', t[1]);
    digit('2', t[2]);
  } else if (value < 10000) {
    digit('4', t[0]);
    digit('3', t[1]);
    digit('2', t[2]);
    digit('1', t[3]);
  } else {
    digit('4', t[0]);
    digit('3', t[1]);
    digit('2', t[2]);
    digit('1', t[3]);
    digit('7', t[4]);
  }
}

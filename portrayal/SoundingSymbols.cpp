#include "SoundingSymbols.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "ProcedureSupport.h"

namespace {
// The decimal text of a whole number held in a float or double (no overflow
// for any finite value).
std::string wholeNumberText(double whole) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.0f", whole);
  return buffer;
}
}  // namespace

void soundingSymbols(const ChartFeature& feature, float depth, const DisplaySettings& settings,
                     std::vector<Instruction>& out) {
  const std::string prefix = depth <= settings.soundingSafetyDepth() ? "SOUNDS" : "SOUNDG";
  auto append = [&](const std::string& suffix) { out.push_back(symbolInstruction(prefix + suffix)); };
  auto appendDigit = [&](char row, char digit) { append(std::string{row, digit}); };

  const std::string& tecsou = feature.findAttribute("TECSOU");
  if (anyOf(splitList(tecsou), {"4", "6"})) append("B1");

  const std::string& quasou = feature.findAttribute("QUASOU");
  const std::string& quapos = feature.findAttribute("QUAPOS");
  // Doubtful: an unsure sounding quality, or a reported but unsurveyed
  // status; or a position of low accuracy.
  const bool doubtful = anyOf(splitList(quasou), {"3", "4", "5", "8", "9"}) ||
                        anyOf(splitList(feature.findAttribute("STATUS")), {"18"});
  if (doubtful || lowAccuracyPosition(quapos)) append("C2");

  if (depth < 0) append("A1");
  if (!std::isfinite(depth)) return;

  const float a = std::fabs(depth);
  if (depth < 10) {
    // Single precision, truncated toward zero.
    const float metres = std::trunc(a + 10.0f);
    const float tenths = std::trunc((a - std::trunc(a)) * 10.0f + 50.0f);
    append(wholeNumberText(metres));
    append(wholeNumberText(tenths));
    return;
  }
  if (depth < 31 && depth != std::trunc(depth)) {
    char t[16];
    std::snprintf(t, sizeof t, "%4.1f", static_cast<double>(depth));
    appendDigit('2', t[0]);
    appendDigit('1', t[1]);
    appendDigit('5', t[3]);
    return;
  }
  const double n = std::trunc(static_cast<double>(a));
  const std::string t = wholeNumberText(n);
  if (n < 100) {
    appendDigit('1', t[0]);
    appendDigit('0', t[1]);
  } else if (n < 1000) {
    appendDigit('2', t[0]);
    appendDigit('1', t[1]);
    appendDigit('0', t[2]);
  } else if (n <= 9999) {
    appendDigit('2', t[0]);
    appendDigit('1', t[1]);
    appendDigit('0', t[2]);
    appendDigit('4', t[3]);
  } else {
    appendDigit('3', t[0]);
    appendDigit('2', t[1]);
    appendDigit('1', t[2]);
    appendDigit('0', t[3]);
    appendDigit('4', t[4]);
  }
}

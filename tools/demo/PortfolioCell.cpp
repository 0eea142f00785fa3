#include "PortfolioCell.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "CellRecords.h"
#include "StripClipping.h"
#include "SyntheticRandom.h"
#include "SyntheticSea.h"

using namespace s57write;
using demo::CellRecords;
using demo::EdgeUse;

namespace portfolio {

namespace {

// Object classes and attributes (S-57 codes).
enum ObjectClass : int {
  BOYCAR = 14, BOYLAT = 17, COALNE = 30, DEPARE = 42, DEPCNT = 43, LNDARE = 71, LNDMRK = 74, LIGHTS = 75,
  SOUNDG = 129, TOPMAR = 144, UWTROC = 153, M_COVR = 302, M_NSYS = 306,
};
enum AttributeCode : int {
  BOYSHP = 4, CATCAM = 13, CATCOA = 15, CATCOV = 18, CATLAM = 36, CATLMK = 35, COLOUR = 75, COLPAT = 76,
  DRVAL1 = 87, DRVAL2 = 88, EXPSOU = 93, HEIGHT = 95, LITCHR = 107, MARSYS = 109, ORIENT = 117, SCAMIN = 133,
  SECTR1 = 136,
  SECTR2 = 137, SIGGRP = 141, SIGPER = 142, TOPSHP = 171, VALDCO = 174, VALNMR = 178, VALSOU = 179, WATLEV = 187,
};
constexpr int kAgency = 550;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// What a cell of each band holds.
struct BandContent {
  int banks;              // banks tried for
  double bankKilometres;  // their typical radius
  int soundings;
  int coastLights;        // tried for; only those on the cell's stretch of coast are kept
  int buoys;              // every third carries a light
};

const BandContent& contentOf(int band) {
  static const BandContent content[] = {
      {25, 9.0, 150, 8, 0},
      {40, 3.0, 350, 8, 10},
      {60, 1.0, 550, 8, 24},
      {80, 0.35, 750, 8, 36},
  };
  return content[std::clamp(band, kFirstBand, kLastBand) - kFirstBand];
}

// The smallest scales at which a cell's details still show, as producers
// set SCAMIN: soundings and rocks to twice the compilation scale, buoys
// with their topmarks and lights to four times it. Coastal lights, depth
// areas and contours show at every scale the cell is drawn at.
std::string soundingScaleMinimum(int band) { return std::to_string(2 * bandInfo(band).compilationScale - 1); }
std::string buoyScaleMinimum(int band) { return std::to_string(4 * bandInfo(band).compilationScale - 1); }

std::string decimal(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

Coordinate toCoordinate(const PlanePoint& p) {
  return {static_cast<int32_t>(std::lround(p.y)), static_cast<int32_t>(std::lround(p.x))};
}

std::vector<Coordinate> toCoordinates(const std::vector<PlanePoint>& points) {
  std::vector<Coordinate> out;
  for (const PlanePoint& p : points) {
    const Coordinate c = toCoordinate(p);
    if (out.empty() || out.back().x != c.x || out.back().y != c.y) out.push_back(c);
  }
  return out;
}

bool insideRing(const std::vector<PlanePoint>& ring, double x, double y) {
  bool inside = false;
  for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) {
    const PlanePoint& a = ring[i];
    const PlanePoint& b = ring[j];
    if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
  }
  return inside;
}

// A shallow bank: rings round a centre, each a contour shallower than the
// one outside it.
struct Bank {
  double x = 0, y = 0, radius = 0;        // units (the radius in latitude)
  size_t strip = 0;                       // the depth strip it lies in
  std::vector<std::vector<PlanePoint>> rings;  // outermost first, clockwise
  std::vector<double> ringDepths;
  std::vector<int64_t> ringEdges;
};

class PortfolioCellWriter {
public:
  explicit PortfolioCellWriter(const PlannedCell& cell)
      : cell_(cell),
        content_(contentOf(cell.band)),
        random_(cell.name),
        records_(dataSet(cell), parameters(cell), kAgency) {
    const BandInfo& band = bandInfo(cell.band);
    const int n = band.samplesPerCell;
    const double step = static_cast<double>(cell.north - cell.south) / n;
    for (int i = 0; i <= n; ++i) rows_.push_back(static_cast<double>(cell.south) + step * i);
    rows_.back() = static_cast<double>(cell.north);
    // Depth levels: 0 at the coast, then the band's contours.
    levels_.push_back(0);
    for (double d : bandContours(cell.band)) levels_.push_back(d);
    for (double level : levels_) {
      std::vector<double> xs;
      for (double y : rows_) {
        const double latitude = y / kUnitsPerDegree;
        xs.push_back((level == 0 ? coastLongitude(latitude) : contourLongitude(level, latitude)) * kUnitsPerDegree);
      }
      curves_.push_back(std::move(xs));
    }
  }

  S57Writer write() {
    coverage();
    placeBanks();
    strips();
    lines();
    banks();
    soundings();
    coastLights();
    buoys();
    return records_.finish();
  }

private:
  static DataSet dataSet(const PlannedCell& cell) {
    DataSet d;
    d.dsnm = cell.name + ".000";
    d.intu = cell.band;
    d.agen = kAgency;
    d.comt = "Synthetic portfolio cell; not for navigation";
    return d;
  }
  static Parameters parameters(const PlannedCell& cell) {
    Parameters p;
    p.cscl = bandInfo(cell.band).compilationScale;
    return p;
  }

  double west() const { return static_cast<double>(cell_.west); }
  double east() const { return static_cast<double>(cell_.east); }
  double south() const { return static_cast<double>(cell_.south); }
  double north() const { return static_cast<double>(cell_.north); }
  double longitudeUnitsPerLatitudeUnit(double y) const { return 1.0 / std::cos(y / kUnitsPerDegree * kTwoPi / 360); }

  // Curve k (0 the coast) at latitude y, as the cell draws it: straight
  // between rows. Curve -1 is the cell's far west, curve levels_.size() its
  // far east.
  double curveAt(int k, double y) const {
    if (k < 0) return -kInfinity;
    if (k >= static_cast<int>(curves_.size())) return kInfinity;
    const double position = (y - rows_.front()) / (rows_[1] - rows_[0]);
    const size_t last = rows_.size() - 1;
    const size_t i = std::min(static_cast<size_t>(std::clamp(position, 0.0, static_cast<double>(last))), last - 1);
    const double t = std::clamp(position - static_cast<double>(i), 0.0, 1.0);
    const std::vector<double>& x = curves_[static_cast<size_t>(k)];
    return x[i] + (x[i + 1] - x[i]) * t;
  }
  // The strip at a position: -1 on land, k between curve k and k + 1.
  int stripAt(double x, double y) const {
    int k = -1;
    while (k + 1 < static_cast<int>(curves_.size()) && x >= curveAt(k + 1, y)) ++k;
    return k;
  }
  // A strip's depth range.
  double levelLow(size_t strip) const { return levels_[strip]; }
  double levelHigh(size_t strip) const {
    return strip + 1 < levels_.size() ? levels_[strip + 1] : levels_[strip] + 1000;
  }

  std::vector<Attribute> depthRange(double low, double high) const {
    return {{DRVAL1, decimal(low)}, {DRVAL2, decimal(high)}};
  }

  void coverage() {
    const int64_t ring = records_.ring(toCoordinates(
        {{west(), south()}, {west(), north()}, {east(), north()}, {east(), south()}}));
    records_.area({{ring, 1}}, M_COVR, {{CATCOV, "1"}});
    records_.area({{ring, 1}}, M_NSYS, {{MARSYS, "1"}, {ORIENT, "0"}});
  }

  // Banks are placed first: the depth areas around them need their holes.
  void placeBanks() {
    const double typical = kilometresToLatitude(content_.bankKilometres) * kUnitsPerDegree;
    for (int attempt = 0; attempt < content_.banks * 10 && static_cast<int>(banks_.size()) < content_.banks; ++attempt) {
      Bank bank;
      bank.radius = typical * random_.uniform(0.5, 1.5);
      bank.x = random_.uniform(west(), east());
      bank.y = random_.uniform(south(), north());
      const int strip = stripAt(bank.x, bank.y);
      if (strip < 1) continue;  // on land or in the shallowest strip
      bank.strip = static_cast<size_t>(strip);
      const int levels = strip >= 2 && random_.uniform(0, 1) < 0.4 ? 2 : 1;
      const double phase1 = random_.uniform(0, kTwoPi), phase2 = random_.uniform(0, kTwoPi);
      for (int level = 0; level < levels; ++level) {
        bank.rings.push_back(bankRing(bank, level == 0 ? 1.0 : 0.5, phase1, phase2));
        bank.ringDepths.push_back(levels_[bank.strip - static_cast<size_t>(level)]);
      }
      if (fits(bank)) banks_.push_back(std::move(bank));
    }
  }

  std::vector<PlanePoint> bankRing(const Bank& bank, double scale, double phase1, double phase2) const {
    std::vector<PlanePoint> ring;
    const double stretch = longitudeUnitsPerLatitudeUnit(bank.y);
    for (int j = 0; j < 20; ++j) {
      const double angle = kTwoPi * j / 20;  // from north through east: clockwise
      const double r = bank.radius * scale * (1 + 0.18 * std::sin(3 * angle + phase1) + 0.08 * std::sin(5 * angle + phase2));
      ring.push_back({bank.x + r * std::sin(angle) * stretch, bank.y + r * std::cos(angle)});
    }
    return ring;
  }

  // Inside its strip and the cell with room to spare, clear of other banks.
  bool fits(const Bank& bank) const {
    const double stretch = longitudeUnitsPerLatitudeUnit(bank.y);
    for (const PlanePoint& p : bank.rings.front()) {
      const PlanePoint q{bank.x + (p.x - bank.x) * 1.3, bank.y + (p.y - bank.y) * 1.3};
      if (q.x <= west() || q.x >= east() || q.y <= south() || q.y >= north()) return false;
      const int k = static_cast<int>(bank.strip);
      if (!(q.x > curveAt(k, q.y) && q.x < curveAt(k + 1, q.y))) return false;
    }
    for (const Bank& other : banks_) {
      const double dx = (other.x - bank.x) / stretch, dy = other.y - bank.y;
      if (std::hypot(dx, dy) < 1.6 * 1.3 * (other.radius + bank.radius)) return false;
    }
    return true;
  }

  // Land and depth areas between the curves, the outer rings of the banks
  // in each cut out as holes.
  void strips() {
    const int count = static_cast<int>(curves_.size());
    const std::vector<double> far(rows_.size(), kInfinity), farWest(rows_.size(), -kInfinity);
    for (int k = -1; k < count; ++k) {
      const std::vector<double>& left = k < 0 ? farWest : curves_[static_cast<size_t>(k)];
      const std::vector<double>& right = k + 1 < count ? curves_[static_cast<size_t>(k + 1)] : far;
      for (const StripPiece& piece : clipStrip(rows_, left, right, west(), east())) {
        const int64_t outline = records_.ring(toCoordinates(piece.ring));
        if (k < 0) {
          records_.area({{outline, 1}}, LNDARE, {});
          continue;
        }
        std::vector<EdgeUse> holes;
        for (Bank& bank : banks_) {
          if (bank.strip != static_cast<size_t>(k) || bank.y < piece.south || bank.y > piece.north) continue;
          if (bank.ringEdges.empty()) bank.ringEdges = ringEdges(bank);
          holes.push_back({bank.ringEdges.front(), 2});
        }
        const size_t strip = static_cast<size_t>(k);
        records_.area({{outline, 1}}, DEPARE, depthRange(levelLow(strip), levelHigh(strip)), {}, holes);
      }
    }
  }

  std::vector<int64_t> ringEdges(const Bank& bank) {
    std::vector<int64_t> edges;
    for (const auto& ring : bank.rings) edges.push_back(records_.ring(toCoordinates(ring)));
    return edges;
  }

  // The coastline and the depth contours, in pieces where they leave the cell.
  void lines() {
    for (size_t k = 0; k < curves_.size(); ++k) {
      for (const auto& piece : clipCurve(rows_, curves_[k], west(), east())) {
        const std::vector<Coordinate> points = toCoordinates(piece);
        if (points.size() < 2) continue;
        const int64_t from = records_.connectedNode(points.front());
        const int64_t to = records_.connectedNode(points.back());
        const int64_t edge = records_.edge(from, to, std::vector<Coordinate>(points.begin() + 1, points.end() - 1));
        if (k == 0)
          records_.lineFeature({{edge, 1}}, COALNE, {{CATCOA, "1"}});
        else
          records_.lineFeature({{edge, 1}}, DEPCNT, {{VALDCO, decimal(levels_[k])}});
      }
    }
  }

  // Each bank's contours and the depth areas inside them; a rock on some.
  void banks() {
    for (Bank& bank : banks_) {
      if (bank.ringEdges.empty()) bank.ringEdges = ringEdges(bank);  // its strip piece did not take it
      const size_t rings = bank.rings.size();
      for (size_t r = 0; r < rings; ++r) {
        records_.lineFeature({{bank.ringEdges[r], 1}}, DEPCNT, {{VALDCO, decimal(bank.ringDepths[r])}});
        const size_t strip = bank.strip - r - 1;  // the depth range inside ring r
        std::vector<EdgeUse> holes;
        if (r + 1 < rings) holes.push_back({bank.ringEdges[r + 1], 2});
        records_.area({{bank.ringEdges[r], 1}}, DEPARE, depthRange(levelLow(strip), levelHigh(strip)), {}, holes);
      }
      if (cell_.band >= 4 && random_.uniform(0, 1) < 0.25) {
        const double top = levelLow(bank.strip - rings);
        const double depth = std::max(0.3, std::floor(top * 5) / 10);
        records_.point(records_.isolatedNode(toCoordinate({bank.x, bank.y})), UWTROC,
                       {{VALSOU, decimal(depth)}, {WATLEV, "3"}, {EXPSOU, "2"},
                        {SCAMIN, soundingScaleMinimum(cell_.band)}});
      }
    }
  }

  // Depth at a position in the water: along the slope between the strip's
  // contours, or within the range inside a bank's innermost ring.
  double depthAt(double x, double y) {
    for (const Bank& bank : banks_) {
      if (!insideRing(bank.rings.front(), x, y)) continue;
      size_t inner = 0;
      while (inner + 1 < bank.rings.size() && insideRing(bank.rings[inner + 1], x, y)) ++inner;
      const size_t strip = bank.strip - inner - 1;
      return random_.uniform(levelLow(strip) + 0.1 * (levelHigh(strip) - levelLow(strip)), levelHigh(strip));
    }
    const int k = stripAt(x, y);
    const size_t strip = static_cast<size_t>(k);
    const double left = curveAt(k, y), right = curveAt(k + 1, y);
    const double t = std::isfinite(right) ? (x - left) / (right - left) : random_.uniform(0, 1);
    return levelLow(strip) + (levelHigh(strip) - levelLow(strip)) * std::clamp(t, 0.02, 1.0);
  }

  // Soundings in the water, in sounding features of up to 60 that each cover
  // a band of latitude, as surveys come.
  void soundings() {
    struct Spot {
      double x, y, depth;
    };
    std::vector<Spot> spots;
    for (int i = 0; i < content_.soundings; ++i) {
      const double x = random_.uniform(west(), east()), y = random_.uniform(south(), north());
      if (stripAt(x, y) < 0) continue;
      spots.push_back({x, y, depthAt(x, y)});
    }
    std::sort(spots.begin(), spots.end(), [](const Spot& a, const Spot& b) { return a.y < b.y; });
    for (size_t first = 0; first < spots.size(); first += 60) {
      std::vector<Sounding> group;
      for (size_t i = first; i < std::min(spots.size(), first + 60); ++i) {
        const Coordinate c = toCoordinate({spots[i].x, spots[i].y});
        group.push_back({c.y, c.x, static_cast<int32_t>(std::lround(spots[i].depth * 10))});  // SOMF 10
      }
      records_.point(records_.soundingNode(group), SOUNDG,
                     {{EXPSOU, "1"}, {SCAMIN, soundingScaleMinimum(cell_.band)}});
    }
  }

  std::string placeName() {
    static const char* first[] = {"Kal", "Mor", "Tes", "Ven", "Dar", "Lun", "Sor", "Pel", "Ash", "Bri"};
    static const char* second[] = {"ing", "ham", "ton", "by", "wick", "stead", "mouth", "ness"};
    return std::string(first[random_.below(10)]) + second[random_.below(8)];
  }

  // Lighthouses on the stretch of coast inside the cell, some with sectors
  // seen from the sea to the east.
  void coastLights() {
    for (int i = 0; i < content_.coastLights; ++i) {
      const double y = random_.uniform(south(), north());
      const double x = curveAt(0, y) - 0.0005 * kUnitsPerDegree;
      const double margin = 0.03 * (east() - west());
      if (x < west() + margin || x > east() - margin || y < south() + margin || y > north() - margin) continue;
      const int64_t node = records_.isolatedNode(toCoordinate({x, y}));
      const std::string name = placeName() + " Point";
      const size_t tower =
          records_.point(node, LNDMRK, {{CATLMK, "17"}, {COLOUR, "1"}, {HEIGHT, "24"}}, {name.c_str(), nullptr});
      if (random_.uniform(0, 1) < 0.35) {
        const char* sectors[][3] = {{"3", "200", "250"}, {"1", "250", "290"}, {"4", "290", "340"}};
        for (auto& s : sectors)
          records_.link(tower, records_.point(node, LIGHTS,
                                              {{COLOUR, s[0]}, {SECTR1, s[1]}, {SECTR2, s[2]}, {LITCHR, "2"},
                                               {SIGGRP, "(1)"}, {SIGPER, "4"}, {VALNMR, "12"}, {HEIGHT, "28"}}));
      } else {
        const char* group = random_.uniform(0, 1) < 0.5 ? "(1)" : "(2)";
        records_.link(tower, records_.point(node, LIGHTS,
                                            {{COLOUR, "1"}, {LITCHR, "2"}, {SIGGRP, group}, {SIGPER, "10"},
                                             {VALNMR, "18"}, {HEIGHT, "30"}}));
      }
    }
  }

  // Cardinal buoys beside banks and lateral buoys elsewhere in the water,
  // each with its topmark, every third lit.
  void buoys() {
    for (int i = 0; i < content_.buoys; ++i) {
      double x = 0, y = 0;
      int cardinal = 0;  // 1 north, 2 east, 3 south, 4 west
      if (i % 2 == 0 && !banks_.empty()) {
        const Bank& bank = banks_[static_cast<size_t>(random_.below(static_cast<int>(banks_.size())))];
        cardinal = 1 + random_.below(4);
        const double away = bank.radius * 1.4;
        const double stretch = longitudeUnitsPerLatitudeUnit(bank.y);
        x = bank.x + (cardinal == 2 ? away * stretch : cardinal == 4 ? -away * stretch : 0);
        y = bank.y + (cardinal == 1 ? away : cardinal == 3 ? -away : 0);
      } else {
        x = random_.uniform(west(), east());
        y = random_.uniform(south(), north());
      }
      if (x <= west() || x >= east() || y <= south() || y >= north() || stripAt(x, y) < 1) continue;
      const int64_t node = records_.isolatedNode(toCoordinate({x, y}));
      const std::string name = "No. " + std::to_string(i + 1);
      size_t buoy = 0, topmark = 0;
      const bool lit = i % 3 == 0;
      const std::string scaleMinimum = buoyScaleMinimum(cell_.band);
      if (cardinal) {
        static const char* colours[] = {"2,6", "2,6,2", "6,2", "6,2,6"};
        static const char* shapes[] = {"13", "11", "14", "10"};
        static const char* groups[] = {"()", "(3)", "(6)", "(9)"};
        const size_t c = static_cast<size_t>(cardinal - 1);
        buoy = records_.point(node, BOYCAR,
                              {{BOYSHP, "4"}, {CATCAM, std::to_string(cardinal)}, {COLOUR, colours[c]}, {COLPAT, "1"},
                               {SCAMIN, scaleMinimum}},
                              {name.c_str(), nullptr});
        topmark = records_.point(node, TOPMAR, {{TOPSHP, shapes[c]}, {COLOUR, "2"}, {SCAMIN, scaleMinimum}});
        if (lit)
          records_.link(buoy, records_.point(node, LIGHTS,
                                             {{COLOUR, "1"}, {LITCHR, "4"}, {SIGGRP, groups[c]}, {VALNMR, "5"},
                                              {SCAMIN, scaleMinimum}}));
      } else {
        const bool port = random_.uniform(0, 1) < 0.5;
        const std::string colour = port ? "3" : "4";
        buoy = records_.point(node, BOYLAT,
                              {{BOYSHP, port ? "2" : "1"}, {CATLAM, port ? "1" : "2"}, {COLOUR, colour},
                               {SCAMIN, scaleMinimum}},
                              {name.c_str(), nullptr});
        topmark = records_.point(node, TOPMAR, {{TOPSHP, port ? "3" : "1"}, {COLOUR, colour}, {SCAMIN, scaleMinimum}});
        if (lit)
          records_.link(buoy, records_.point(node, LIGHTS,
                                             {{COLOUR, colour}, {LITCHR, "2"}, {SIGGRP, "(1)"}, {SIGPER, "4"},
                                              {VALNMR, "3"}, {SCAMIN, scaleMinimum}}));
      }
      records_.link(buoy, topmark);
    }
  }

  const PlannedCell& cell_;
  const BandContent& content_;
  SyntheticRandom random_;
  CellRecords records_;
  std::vector<double> rows_;                 // latitudes sampled, units
  std::vector<double> levels_;               // 0, then the band's contours
  std::vector<std::vector<double>> curves_;  // per level, its longitude at each row
  std::vector<Bank> banks_;
};

}  // namespace

S57Writer portfolioCell(const PlannedCell& cell) { return PortfolioCellWriter(cell).write(); }

}  // namespace portfolio

#pragma once
// The chart model: one loaded cell (S57Cell) and its features of four kinds,
// with their geometry already projected into chart units. Built once while a
// cell loads, then read by the draw pass.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "CachedValue.h"
#include "ChartVertex.h"
#include "CellDetailLevels.h"
#include "DetailLevels.h"
#include "Instruction.h"
#include "LoadWarning.h"
#include "UpdateChain.h"
#include "MercatorProjection.h"
#include "S57Vocabulary.h"

// A feature attribute by catalogue acronym, value as it stands in the cell
// (national values converted to UTF-8).
struct FeatureAttribute {
  std::string acronym;
  std::string value;
};

// An attribute of an edge record, kept by its numeric code text.
struct EdgeAttribute {
  std::string code;
  std::string value;
};

// One look-up result: the chosen entry's instructions (the feature's own
// copies).
struct LookupResult {
  std::vector<Instruction> instructions;
};

// A feature's two look-up lists: the first is drawn with paper-chart symbols
// (points) and plain boundaries (areas), the second otherwise.
enum class LookupList { First, Second };

// How a feature is shown: chosen by the look-up selection and kept on the
// feature; its conditional procedures may change it in their result
// (ProcedureResult). displayState (FeaturePortrayal.h) reads it from the one
// or the other.
struct DisplayState {
  // Display category of each look-up list: 0 base, 1 standard, 2 other, -1 none.
  int firstCategory = -1;
  int secondCategory = -1;
  int priority = -1;      // display priority, the order of drawing within a kind
  int viewingGroup = -1;
  char radarFlag = static_cast<char>(0xFF);  // 'O' over radar, 'S' under it, 0xFF none
  bool scaleMinimumLifted = false;  // a danger shown at every scale, whatever its SCAMIN

  int category(LookupList list) const { return list == LookupList::First ? firstCategory : secondCategory; }
  int& category(LookupList list) { return list == LookupList::First ? firstCategory : secondCategory; }
};

enum class FeatureKind : std::uint8_t { Point, Sounding, Line, Area };

struct ProcedureResult;  // what a feature's conditional procedures made of it (portrayal)
struct DepthAreaEdges;   // which depth areas share each edge of a cell (portrayal)

// Something worked out by the draw pass and kept with a feature or a cell.
// Views drawing on several threads read and replace it at once: loads and
// stores are atomic, and a published value never changes. A copy of the
// owner starts without one.
template <typename T>
class SharedCache {
public:
  SharedCache() = default;
  SharedCache(const SharedCache&) {}
  SharedCache& operator=(const SharedCache&) { return *this; }

  std::shared_ptr<const T> load() const { return std::atomic_load(&value_); }
  void store(std::shared_ptr<const T> value) const { std::atomic_store(&value_, std::move(value)); }
  // Stores `value` unless a value is kept already; returns the one kept. A
  // value kept this way is never replaced, so references to it stay valid.
  std::shared_ptr<const T> keepFirst(std::shared_ptr<const T> value) const {
    std::shared_ptr<const T> kept;
    if (std::atomic_compare_exchange_strong(&value_, &kept, value)) return value;
    return kept;
  }

private:
  mutable std::shared_ptr<const T> value_;
};

// The output of a feature's conditional procedures, kept for the settings
// it was made for.
using ProcedureCache = SharedCache<ProcedureResult>;

// Members shared by the four kinds.
struct ChartFeature {
  explicit ChartFeature(FeatureKind k) : kind(k) {}

  FeatureKind kind;
  int objectClass = -1;                      // OBJL
  // The feature object identifier (FOID): producing agency, number and
  // subdivision, which name the feature across cells and editions.
  int agency = 0;
  int featureNumber = 0;
  int featureSubdivision = 0;
  // False when the cell's reading found none of the date attributes
  // (DATSTA, DATEND, PERSTA, PEREND) among `attributes`, as for most
  // features: the draw pass then skips the walk over them. A feature made
  // otherwise keeps true and is looked at.
  bool mayHaveDates = true;
  std::vector<FeatureAttribute> attributes;  // ATTF then NATF, catalogued ones only
  int scaleMaximum = -1;                     // attribute 132, -1 when absent
  int scaleMinimum = -1;                     // attribute 133, -1 when absent

  // Filled by the look-up selection, then read-only.
  LookupResult firstLookup;   // used with paper-chart symbols and plain boundaries
  LookupResult secondLookup;  // used otherwise
  DisplayState display;       // as the look-up selection chose it

  LookupResult& lookup(LookupList list) { return list == LookupList::First ? firstLookup : secondLookup; }
  const LookupResult& lookup(LookupList list) const { return list == LookupList::First ? firstLookup : secondLookup; }

  // Worked out by the draw pass and kept: the procedures' output for the
  // settings last drawn with, and the depths the hazard procedures take
  // from the depth areas around the feature (point form, and the line and
  // area form of the hazard test), and a wreck's depth.
  ProcedureCache procedureCache;
  CachedValue<float> underlyingDepth;
  CachedValue<float> underlyingDepthOverPoints;
  CachedValue<float> wreckDepth;

  // The value of the first attribute with this acronym, or "" when none.
  const std::string& findAttribute(std::string_view acronym) const;
};

// The polyline of one edge inside a feature's flat vertex list.
struct BoundaryPart {
  std::uint32_t offset = 0;  // first vertex in the owning flat list
  std::uint32_t count = 0;
  std::vector<EdgeAttribute> edgeAttributes;  // copy of the edge's ATTV
  std::array<std::uint8_t, 5> edgeName{};     // the edge's NAME (RCNM + RCID)
};

struct PointFeature : ChartFeature {
  PointFeature() : ChartFeature(FeatureKind::Point) {}
  ChartVertex position;

  // Worked out from the cell on first need: whether a light's sectors
  // overlap another's at its position (1) or not (2), and whether a
  // topmark stands on a floating aid (1) or a fixed one (0).
  CachedValue<int> arcClass;
  CachedValue<int> floatingClass;
};

struct Sounding {
  double x = 0;
  double y = 0;
  float depth = 0;  // metres
};

struct SoundingFeature : ChartFeature {
  SoundingFeature() : ChartFeature(FeatureKind::Sounding) {}
  std::vector<Sounding> soundings;
};

struct LineFeature : ChartFeature {
  LineFeature() : ChartFeature(FeatureKind::Line) {}
  std::vector<BoundaryPart> parts;
  std::vector<ChartVertex> vertices;  // every part's vertices, in part order
  DetailList detailList = kNoDetailList;  // its vertices' number among the cell's levels of detail
};

// Axis-aligned box in chart units.
struct ChartBox {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

// A run of vertices of a feature's vertex list.
struct VertexRun {
  std::uint32_t offset = 0;  // first vertex
  std::uint32_t count = 0;
};

struct AreaFeature : ChartFeature {
  AreaFeature() : ChartFeature(FeatureKind::Area) {}
  std::vector<BoundaryPart> exteriorParts;
  std::vector<BoundaryPart> interiorParts;
  std::vector<ChartVertex> exteriorVertices;
  std::vector<ChartVertex> interiorVertices;  // every interior part's vertices, in part order
  // The numbers of the exterior and interior vertices among the cell's
  // levels of detail (CellDetailLevels.h).
  DetailList exteriorDetailList = kNoDetailList;
  DetailList interiorDetailList = kNoDetailList;
  // The holes: the rings the interior vertices close into, each a run of
  // them (see findHoles). Call findHoles after changing interiorVertices.
  std::vector<VertexRun> holes;
  // Box of the exterior vertices, valid when hasBounds, and the point the
  // area's symbols and texts are drawn at (see updateBounds). Call
  // updateBounds after changing exteriorVertices.
  ChartBox bounds;
  bool hasBounds = false;
  ChartPoint centre{kUnknownDepth, kUnknownDepth};
  float depthOrderKey = 0;  // draw order among depth areas

  // Recomputes bounds and centre: the centroid of the ring of exterior
  // vertices (the last joined to the first); an outline that encloses no
  // area (a line, a point, a ring that cancels itself out) gets the middle
  // of its box instead; an area without vertices (-10000, -10000).
  void updateBounds();

  // Splits the interior vertices into the rings of the holes: a ring runs
  // from a vertex to the next vertex at the same place, at least two
  // vertices on; what is left at the end counts as one more ring. Rings of
  // fewer than three vertices enclose nothing and are left out.
  void findHoles();
};

// One loaded cell. Owns its features; the lights lists point into `points`.
struct S57Cell {
  int compilationScale = 0;  // CSCL
  int coordinateFactor = 0;  // COMF
  int soundingFactor = 0;    // SOMF
  std::string name;          // DSNM
  double projectionRadius = parallelRadius();
  // Set by assembly for a cell whose edges cross the 180th meridian: its
  // longitudes west of 0 are projected one turn east, so that it lies on
  // one side (170..190, say) in one piece.
  bool crossesAntimeridian = false;

  // What loading found out about the cell's files: the edition (EDTN) of
  // its base file, the numbers of the update files applied in order, and
  // warnings a person should see (an update chain that stopped, a catalogue
  // CRC that does not match), each naming its file.
  int edition = 0;
  std::vector<int> updatesApplied;
  // The features each update applied inserted, modified or deleted (by
  // FOID; a deleted one with where it stood), for reviewing an update.
  std::vector<UpdateChanges> updateChanges;
  std::vector<LoadWarning> loadWarnings;
  // An encrypted cell shown under a permit that has expired: it may be out
  // of date, and the chart must say permanently that it is not to be used
  // for primary navigation.
  bool permitExpired = false;
  // A cell the window keeps only by what it knows without its features
  // (name, scale, edition, extents): it was unloaded to free memory, and is
  // read again when a view needs it. A pass never draws such a cell.
  bool unloaded = false;

  // Who produced the data and as what (DSID AGEN and PRSP): the cell is
  // marked as not official unless an official hydrographic office produced
  // it as an ENC (OfficialData.h).
  int producingAgency = 0;
  int productSpecification = 1;

  // File order after assembly; draw order once the cell is finished.
  std::vector<std::unique_ptr<AreaFeature>> areas;
  std::vector<std::unique_ptr<LineFeature>> lines;
  std::vector<std::unique_ptr<PointFeature>> points;
  std::vector<std::unique_ptr<SoundingFeature>> soundings;

  // One box round all the cell's geometry (computeExtents); empty when the
  // cell has none.
  std::vector<ChartBox> extents;
  ChartBox boundingBox;  // union of extents
  double centreX = 0, centreY = 0;
  std::vector<PointFeature*> lights;
  std::vector<PointFeature*> nonSectorLights;

  // The levels of detail of the lines and area outlines, made as views
  // need them; null until the cell is finished (finishCell).
  std::unique_ptr<CellDetailLevels> detail;

  // Worked out on first need by the portrayal of depth areas.
  SharedCache<DepthAreaEdges> depthAreaEdges;
};

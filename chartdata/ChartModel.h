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

#include "Instruction.h"
#include "MercatorProjection.h"

// One geometry vertex. `usage` is 0 for points and lines; area boundary
// vertices carry the USAG of the spatial pointer that produced them.
struct ChartVertex {
  ChartPoint point;
  std::uint8_t usage = 0;
};

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
// copies) and its display category: 0 base, 1 standard, 2 other, -1 none.
struct LookupResult {
  std::vector<Instruction> instructions;
  int category = -1;
};

enum class FeatureKind : std::uint8_t { Point, Sounding, Line, Area };

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
  std::vector<FeatureAttribute> attributes;  // ATTF then NATF, catalogued ones only
  int scaleMaximum = -1;                     // attribute 132, -1 when absent
  int scaleMinimum = -1;                     // attribute 133, -1 when absent

  // Filled by the look-up selection.
  char radarFlag = static_cast<char>(0xFF);
  int displayPriority = -1;
  int viewingGroup = -1;
  LookupResult firstLookup;   // used with paper-chart symbols
  LookupResult secondLookup;  // used otherwise

  // Portrayal state, kept from one repaint to the next.
  // Instructions built by the feature's conditional symbology procedure.
  std::vector<Instruction> generatedInstructions;
  // Depth of the depth areas under the feature (-10000 = not known yet):
  // for the point form and for the area and line form of the hazard test.
  float underlyingDepth = -10000.0f;
  float underlyingDepthOverPoints = -10000.0f;
  float wreckDepth = -10000.0f;  // hazard depth of a wreck, -10000 until computed

  // The value of the first attribute with this acronym, or "" when none.
  const std::string& findAttribute(std::string_view acronym) const;
};

// The polyline of one edge inside a feature's flat vertex list.
struct BoundaryPart {
  std::uint32_t offset = 0;  // first vertex in the owning flat list
  std::uint32_t count = 0;
  std::vector<EdgeAttribute> edgeAttributes;  // copy of the edge's ATTV
  std::array<std::uint8_t, 5> edgeName{};     // the edge's NAME (RCNM + RCID)
  // Lines: instructions the line procedures built for this edge.
  std::vector<Instruction> instructions;
};

struct PointFeature : ChartFeature {
  PointFeature() : ChartFeature(FeatureKind::Point) {}
  ChartVertex position;

  // Recomputation keys of the point procedures.
  std::uint8_t procedureKey = 0;    // setting value the generated list was built for
  float cachedPointDepth = -100.0f; // safety contour of the last hazard procedure run
  int arcClass = 0;                 // lights: 0 unknown, 1 sectors overlap, 2 not
  int floatingClass = -1;           // topmarks: -1 unknown, 1 floating, 0 fixed
};

struct Sounding {
  double x = 0;
  double y = 0;
  float depth = 0;                        // metres
  std::vector<Instruction> instructions;  // built by the sounding procedure
};

struct SoundingFeature : ChartFeature {
  SoundingFeature() : ChartFeature(FeatureKind::Sounding) {}
  std::vector<Sounding> soundings;
};

struct LineFeature : ChartFeature {
  LineFeature() : ChartFeature(FeatureKind::Line) {}
  std::vector<BoundaryPart> parts;
  std::vector<ChartVertex> vertices;  // every part's vertices, in part order

  // Line procedures: output for the whole line, whether they ran, and the
  // safety contour the obstruction procedure last ran for.
  std::vector<Instruction> procedureInstructions;
  std::uint8_t proceduresRan = 0;
  float cachedSafetyContour = -100.0f;
};

// Axis-aligned box in chart units.
struct ChartBox {
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

struct AreaFeature : ChartFeature {
  AreaFeature() : ChartFeature(FeatureKind::Area) {}
  std::vector<BoundaryPart> exteriorParts;
  std::vector<BoundaryPart> interiorParts;
  std::vector<ChartVertex> exteriorVertices;
  std::vector<ChartVertex> interiorVertices;
  // Box of the exterior vertices, valid when hasBounds; kept for the
  // point-in-area test. Call updateBounds after changing exteriorVertices.
  ChartBox bounds;
  bool hasBounds = false;
  float depthOrderKey = 0;  // draw order among depth areas

  // Keys of the area procedures and the centre used for symbols and texts.
  float cachedSafetyContour = -10000.0f;  // depth-dependent procedures
  bool cachedSymbolStyle = true;          // restricted-area procedures
  double areaCentreX = -10000.0, areaCentreY = -10000.0;  // -10000 in y: not computed

  void updateBounds();
};

// One placed text box, logical units.
struct TextBox {
  int left = 0, right = 0, top = 0, bottom = 0;
};

// The texts placed in one cell during one draw pass.
struct TextBoxList {
  std::vector<TextBox> boxes;
};

// One loaded cell. Owns its features; the lights lists point into `points`.
struct S57Cell {
  int compilationScale = 0;  // CSCL
  int coordinateFactor = 0;  // COMF
  int soundingFactor = 0;    // SOMF
  std::string name;          // DSNM
  double projectionRadius = parallelRadius();

  // What loading found out about the cell's files: the edition (EDTN) of
  // its base file, the numbers of the update files applied in order, and
  // warnings a person should see (an update chain that stopped, a catalogue
  // CRC that does not match), each one readable line naming its file.
  int edition = 0;
  std::vector<int> updatesApplied;
  std::vector<std::string> loadWarnings;

  // File order after assembly; draw order once the cell is finished.
  std::vector<std::unique_ptr<AreaFeature>> areas;
  std::vector<std::unique_ptr<LineFeature>> lines;
  std::vector<std::unique_ptr<PointFeature>> points;
  std::vector<std::unique_ptr<SoundingFeature>> soundings;

  std::vector<ChartBox> extents;  // empty when the cell has no area
  ChartBox boundingBox;           // union of extents
  double centreX = 0, centreY = 0;
  std::vector<PointFeature*> lights;
  std::vector<PointFeature*> nonSectorLights;
  TextBoxList textBoxes;
};

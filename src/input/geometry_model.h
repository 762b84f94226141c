#pragma once
// The geometry read from a simulator input file: materials, surfaces,
// macrobodies, cells, unions, coordinate transformations and the source, and
// the precision settings every geometric comparison uses. Tables are indexed
// from 0 in order of definition; records keep the identifiers of the file.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "input/vec3.h"

namespace tessarin::input {

inline constexpr int kMaxMaterials = 5000;
inline constexpr int kMaxSurfaces = 10000;
inline constexpr int kMaxMacrobodies = 10000;
inline constexpr int kMaxCells = 5000;
inline constexpr int kMaxUnions = 5000;
inline constexpr int kMaxTransformations = 10000;
inline constexpr int kMaxCellSurfaces = 5000;
inline constexpr std::size_t kMaxMaterialNameLength = 50;

inline constexpr double kDefaultDistancePrecision = 1e-12;
inline constexpr double kDefaultAnglePrecision = 1e-12;
inline constexpr double kDefaultMaxDistanceRatio = 1e20;

// Set by DISTANCE_PRECISION, ANGLE_PRECISION and MAXDISTANCE_RATIO; a value
// stays for later reads until a file sets it again.
struct PrecisionSettings {
  double distancePrecision = kDefaultDistancePrecision;
  double anglePrecision = kDefaultAnglePrecision;
  double maxDistanceRatio = kDefaultMaxDistanceRatio;
};

// -1 unset, 0 simple (layer) geometry, positive: complex geometry.
inline constexpr std::int32_t kGeometryModeUnset = -1;
inline constexpr std::int32_t kGeometryModeSimple = 0;

struct MaterialTable {
  std::vector<std::int32_t> materialId;    // <= 0: void
  std::vector<std::string> materialName;   // at most 50 characters; empty: none

  int Count() const { return static_cast<int>(materialId.size()); }
  // Index of material `id`, or -1.
  int Find(std::int32_t id) const;
};

enum class SurfaceKind : std::int32_t { Plane = 1, Sphere = 2, Cylinder = 3, Cone = 4 };

struct SurfaceRecord {
  // Regular surface: n of S<n>; facet surface: its 1-based facet number;
  // surface created while copying a cell or a general macrobody: 0.
  std::int32_t facetNumber = 0;
  std::int32_t owner = -1;     // -1 regular surface, else index of the creating macrobody
  std::int32_t useCount = 0;   // macrobody facets that refer to this surface
  SurfaceKind kind = SurfaceKind::Plane;
  Vec3 point;                  // plane point, sphere centre, axis point, cone apex
  Vec3 direction;              // unit: plane normal, axis (cone: from the apex inwards)
  double planeConstant = 0;    // -(direction . point); positive side: direction . x + planeConstant > 0
  double radius = 0;
  double halfAngle = 0;        // radians
  double sinHalfAngle = 0, cosHalfAngle = 0, tanHalfAngle = 0;
};

// A plane through `point` with normal `normal` (a unit vector).
SurfaceRecord MakePlane(const Vec3& point, const Vec3& normal);

enum class MacrobodyKind : std::int32_t {
  General = 0,  // MB
  RCC = 1,
  TRC = 2,
  BOX = 3,
  RPP = 4,
  RHP = 5,  // also HEX
  WED = 6,
  ARB4 = 7,
  ARB = 8,
};

struct MacrobodyRecord {
  MacrobodyKind kind = MacrobodyKind::General;
  std::int32_t id = 0;
  std::vector<std::uint16_t> facetSurfaces;  // surface index per facet, in facet order
  std::vector<std::int8_t> facetSenses;      // side of each facet surface the body lies on
  std::int16_t copyRoot = -1;                // general macrobody copies: first of the chain
  std::vector<std::int16_t> originMacrobody; // general macrobody: per facet; standard: zeros
  std::vector<std::int16_t> originFacet;     // general macrobody: per facet; standard: zeros
  // BOX, ARB4: 12 doubles (corner and three edges, or four vertices); RPP: the
  // six bounds; other kinds: empty.
  std::vector<double> parameters;

  std::uint16_t facetCount() const { return static_cast<std::uint16_t>(facetSurfaces.size()); }
};

struct TransformRecord {
  std::int32_t id = 0;
  Vec3 origin;  // origin of the auxiliary system in main coordinates
  // Row-major; the columns are X', Y', Z' in main coordinates.
  std::array<double, 9> matrix{1, 0, 0, 0, 1, 0, 0, 0, 1};
};

struct CellRecord {
  std::int32_t id = 0;
  std::int32_t material = 0;  // index into the material table
  double concentration = 0;
  std::vector<std::uint16_t> surfaces;  // bounding surface indices
  std::vector<std::int8_t> senses;      // +1 positive side, -1 negative side
  std::int32_t enclosingCell = -1;
  std::int32_t unionIndex = -1;
  std::vector<std::int32_t> complementCells;  // cells listed after '#'
  double cutoffElectron = -1;
  double cutoffPhoton = -1;
  std::int8_t force = -1;
  std::int16_t copyRoot = -1;
  Vec3 interiorPoint;
  bool hasInteriorPoint = false;
  std::vector<std::int16_t> originMacrobody;  // per bounding surface
  std::vector<std::int16_t> originFacet;      // per bounding surface

  std::uint16_t surfaceCount() const { return static_cast<std::uint16_t>(surfaces.size()); }
  std::int32_t complementCount() const { return static_cast<std::int32_t>(complementCells.size()); }
};

struct UnionRecord {
  std::int32_t id = 0;
  std::vector<std::int16_t> cells;  // at least 2, in the order listed

  std::int16_t cellCount() const { return static_cast<std::int16_t>(cells.size()); }
};

struct SourceSpec {
  std::int32_t positionType = 1;   // 1 point, 2 distribution on a plane, 3 inside a cell
  std::int32_t directionType = 1;  // 1 parallel beam, 2 cone, 3 isotropic
  Vec3 beamStart;
  Vec3 direction{0, 0, 1};
  double cosConeAngle = 1;
  Vec3 centre;
  Vec3 planeNormal{0, 0, 1};
  double uniformRadius = 0;
  double gaussianWidth = 0;
  std::int32_t sourceCell = -1;
};

struct GeometryModel {
  MaterialTable materials;
  std::vector<SurfaceRecord> surfaces;
  std::vector<MacrobodyRecord> macrobodies;
  std::vector<CellRecord> cells;
  // One per cell: for a transformed copy, the transformation from the root
  // original onto the copy; unused for other cells.
  std::vector<TransformRecord> cellTransforms;
  std::vector<UnionRecord> unions;
  std::vector<TransformRecord> transformations;
  SourceSpec source;
  std::int32_t GeometryMode = kGeometryModeUnset;
  PrecisionSettings precision;

  bool loaded = false;              // the last read ended without error
  std::string rtScriptPath;         // derived at the end of a successful read
  int maxCellSurfaces = 0;
  std::vector<Vec3> workPoints;     // reserved for the RT script writer

  // Lookups by identifier, first match wins; -1 when absent.
  int FindRegularSurface(std::int32_t id) const;
  int FindMacrobody(std::int32_t id) const;
  int FindCell(std::int32_t id) const;
  int FindUnion(std::int32_t id) const;
  int FindTransformation(std::int32_t id) const;
};

// Empties every table and resets the per-read state; the precision settings stay.
void ClearGeometryModel(GeometryModel& model);

}  // namespace tessarin::input

#pragma once
// The state of one "Make RT script" while the script is written: the model
// with the writer's bounding planes behind its surfaces, the settings, the
// scale and sizes, the clipping context and the text written so far.

#include <array>
#include <cstdarg>
#include <string>
#include <vector>

#include "input/geometry_model.h"
#include "render/clip_context.h"
#include "render/half_space_list.h"
#include "settings/viewparm.h"

namespace tessarin::render {

inline constexpr int kWorldFaces = 6;
inline constexpr int kCutawayPlane = 6;  // after the six faces among the bounding planes

struct ScriptScene {
  ScriptScene(input::GeometryModel& model, const settings::VIEWPARM& set);

  input::GeometryModel& model;
  const settings::VIEWPARM& set;
  ClipContext clip;

  int unitRow = 4;
  double scale = 1;       // s: MGED centimetres per model centimetre
  double worldSize = 0;   // W, model units
  double halfWorld = 0;   // h
  input::Vec3 viewCenter; // model units
  double minimumConeRadius = 0;  // ε, model units

  // Surface indices: the six world faces and the cut-away plane, the six
  // face copies the clipping moves, and two caps for truncated primitives.
  int firstBoundingPlane = 0;
  std::array<int, kWorldFaces> faceCopies{};
  int baseCap = 0, topCap = 0;
  HalfSpaceList worldList;  // the world's planes, all with sense −1
  bool cutawayInWorld = false;

  std::string sourceSuffix;  // " - S_source" or nothing
  std::vector<int> emptyCells;  // ids of the cells found to contain no point
  std::string text;          // the script so far

  int Face(int face) const { return firstBoundingPlane + face; }
  int Cutaway() const { return firstBoundingPlane + kCutawayPlane; }
  [[nodiscard]] bool IsWorldFace(int surface) const { return surface >= firstBoundingPlane && surface < firstBoundingPlane + kWorldFaces; }

  void Append(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Whether a model point lies outside the world cube around the view centre.
  [[nodiscard]] bool OutsideWorld(const input::Vec3& point) const;
  // The length of a long primitive from `point`, stretched when the point
  // lies outside the world cube.
  double Extended(double length, const input::Vec3& point) const;
  input::Vec3 Scaled(const input::Vec3& point) const { return scale * point; }
  // The face copies back at their faces.
  void ResetFaceCopies();
  // Removes the writer's planes from the model again.
  void RemoveBoundingPlanes();
};

// Sense −1 keeps a plane's negative side: the arbn plane's outward normal is
// the plane's normal, else its opposite.
void AppendArbnPlane(ScriptScene& scene, const input::SurfaceRecord& plane, int sense);

}  // namespace tessarin::render

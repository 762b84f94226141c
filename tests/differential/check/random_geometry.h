#pragma once
// Random but sensible input files for the differential geometry test. A
// container holds bodies of every surface and macrobody kind in the slots of
// a grid: nested with complements, halved by planes, thin shells, stacked
// with shared faces, pairs joined in unions, written in frames of their own
// or copied with turns. Outside the container, infinite planes, cylinders
// and cones divide space into cells that only the world cube closes. The
// model's size runs from micrometres to metres; the same seed always gives
// the same model and view.

#include <cstdint>
#include <string>

#include "input/vec3.h"
#include "settings/viewparm.h"

namespace tessarin::differential {

struct ModelView {
  double viewSize = 1;
  input::Vec3 viewCenter;
  double maximumObjectSizeRatio = 2;
  int nIterations = 20;
  bool useCutawayPlane = false;
  input::Vec3 cutawayPlanePoint;
  input::Vec3 cutawayPlaneNormal{0, 0, 1};

  void ApplyTo(settings::VIEWPARM& set) const;
  static ModelView Of(const settings::VIEWPARM& set);
};

struct GeneratedModel {
  std::string input;  // the input file's text
  ModelView view;
};

// The classic family, or the stress family: up to 216 slots (50 to 300
// cells with enough bodies), which also hold slivers between planes 1e-7 to
// 1e-5 radians apart, balls a billionth of their radius apart and slabs of
// 1e-7 to 1e-5 of their box.
enum class ModelFamily { Classic, Stress };

// `mostBodies` bounds what the container holds (a slot's nest, shell, pair
// or copy counts as one body).
GeneratedModel GenerateModel(std::uint64_t seed, int mostBodies = 8, ModelFamily family = ModelFamily::Classic);

}  // namespace tessarin::differential

#pragma once
// What a 3D picture of a parameter set shows: the model's cells through the
// ray engine, each in the look of its material's region row (colour,
// transparency, shown or not), the source sphere as a region of its own
// that the cells leave out, the cut-away plane and the background. Built
// once per read; the rows may be looked at again without a new engine.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "input/geometry_model.h"
#include "raytrace/ray_engine.h"
#include "settings/viewparm.h"

namespace tessarin::view3d {

using input::Vec3;
using Rgb = std::array<std::uint8_t, 3>;

// One region of the RT script.
struct Look {
  std::string region;  // "M3", "V0" (void material 0) or "M_source"
  Rgb colour{255, 255, 255};
  double transparency = 0;  // 0 opaque, 1 clear
  bool shown = true;
};

struct CutawayPlane {
  Vec3 point;
  Vec3 normal;  // unit; the side it points to is taken away
};

struct Scene {
  std::shared_ptr<const raytrace::RayEngine> engine;
  std::vector<std::int32_t> cellIds;    // C<n> of each cell
  std::vector<std::int32_t> cellLooks;  // each cell's look
  std::vector<Look> looks;              // one per region, in row order
  // The source sphere's centre, radius and look, when the script draws it.
  // Like the engine's world cube, its size is the set's view's when the
  // scene was made, whatever view a picture then takes, as in MGED, where
  // zooming leaves the database as the script built it.
  std::optional<Vec3> sourceCentre;
  double sourceRadius = 0;
  std::int32_t sourceLook = -1;
  std::optional<CutawayPlane> cutaway;
  Rgb background{0, 0, 0};
  double maximumObjectSizeRatio = 50;  // the world cube's edge over the view size

  // Whether the script subtracts the source sphere from the cells and draws it.
  [[nodiscard]] bool SourceShown() const {
    return sourceCentre && sourceLook >= 0 && looks[static_cast<std::size_t>(sourceLook)].shown;
  }
};

// The scene of a set whose region rows follow `model` (after the rows were
// rebuilt); the engine is built for the set's world cube.
Scene SceneOfSet(const input::GeometryModel& model, const settings::VIEWPARM& set);

// The looks, the source, the cut-away plane and the background again from
// the set, keeping the engine (the Materials table or the cut-away plane
// was edited).
void RefreshLooks(Scene& scene, const input::GeometryModel& model, const settings::VIEWPARM& set);

}  // namespace tessarin::view3d

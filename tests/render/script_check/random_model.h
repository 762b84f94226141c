#pragma once
// Input files of random geometry for the RT script tests: bodies in the
// slots of a 3 x 3 x 3 grid inside a box-shaped container (spheres, boxes
// along and across the axes, cylinders and cones, as macrobodies and as
// surfaces cut by planes), nested up to three deep with complements, some
// halved by a plane, some copied with a turn into free slots.

#include <string>

namespace tessarin::render::script_check {

inline constexpr double kRandomModelSize = 40;  // the container's edge, cm

// The input file text; the same seed gives the same model.
std::string RandomModelInput(unsigned seed);

}  // namespace tessarin::render::script_check

#pragma once
// The parts of a parameter set the geometry view starts from: its view
// centre and its world cube.

#include "preview/box3.h"
#include "preview/point_locator.h"
#include "settings/viewparm.h"

namespace tessarin::preview {

inline Vec3 ViewCentreOf(const settings::VIEWPARM& set) {
  return {set.viewCenter.x, set.viewCenter.y, set.viewCenter.z};
}

inline Box3 WorldCubeOf(const settings::VIEWPARM& set) {
  return WorldCube(ViewCentreOf(set), set.viewSize, set.maximumObjectSizeRatio);
}

}  // namespace tessarin::preview

#pragma once
// Moving a plane towards a region as far as it can go without cutting it:
// the flat ends of truncated cylinders and cones and the world faces that
// close an open polyhedron are pulled in by bisection.

#include "render/clip_context.h"
#include "render/half_space_list.h"

namespace tessarin::render {

// +1 when the whole region lies on the positive side of plane `plane` (a
// surface index), −1 when on its negative side, 0 when the plane cuts the
// region or neither can be shown. Keeps the curves in context's buffers.
int PlanePositionVerdict(ClipContext& context, int plane, const HalfSpaceList& list);

struct ClipRequest {
  int plane = -1;           // the movable plane (a surface index); its point and constant change
  double maxTravel = 0;     // how far it may go
  int cycles = 0;           // nIterations
  bool inverted = false;    // move against the plane's normal instead of along it
  int reverseSurface = -1;  // a surface whose first entry is reversed meanwhile, or -1
};

// The number of cycles begun; 0 when the plane could not move at all. The
// plane is left at its last position that kept the region on the side it
// moves towards.
int ClipPlane(ClipContext& context, HalfSpaceList& list, const ClipRequest& request);

}  // namespace tessarin::render

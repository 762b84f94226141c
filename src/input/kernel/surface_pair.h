#pragma once
// The surface-pair kernel: for two surfaces of the geometry model, whether
// they coincide, meet along a curve (and which), or how their sides lie when
// they do not; points and sides of the curves; the verdict on two entries of
// a bounding list. It needs only the surface records and the precision
// settings, which every call takes explicitly.
//
//   SurfaceSideValue      surface_pair_side.h
//   IntersectSurfaces     surface_pair_intersect.h
//   IntersectionCurve, CurveParameterRange, CurvePoint, CurveSide,
//   CurveBranchCount      surface_pair_curve.h
//   PairRelationClass     surface_pair_relation.h
//   PairVerdict           surface_pair_verdict.h
//   frames                surface_pair_frames.h

#include "input/kernel/surface_pair_curve.h"
#include "input/kernel/surface_pair_frames.h"
#include "input/kernel/surface_pair_intersect.h"
#include "input/kernel/surface_pair_relation.h"
#include "input/kernel/surface_pair_side.h"
#include "input/kernel/surface_pair_verdict.h"

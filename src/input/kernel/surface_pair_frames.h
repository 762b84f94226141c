#pragma once
// Orthonormal frames (e1, e2, w), e2 = w × e1, in which intersection curves
// are described: local coordinates (u, v, s) of a curve stand for the point
// origin + u·e1 + v·e2 + s·w.

#include "input/vec3.h"

namespace tessarin::input::kernel {

struct Frame {
  Vec3 e1, e2, w;
};

// A frame around the unit vector `w`. A w that lies along the x axis within
// `anglePrecision` gets e1 = ±y; otherwise e1 is perpendicular to w in the
// plane of w and the x axis (or the x axis itself when w is nearly
// perpendicular to it).
Frame FrameFromDirection(const Vec3& w, double anglePrecision);

// A frame around the unit vector `w` whose e1 is the unit part of ∓q
// perpendicular to w, taken with the sign that makes e1 point away from the
// side q leans to; e1 = q when q is perpendicular to w within `anglePrecision`.
Frame FrameFromAxisAndVector(const Vec3& w, const Vec3& q, double anglePrecision);

inline Vec3 LocalToPoint(const Frame& frame, const Vec3& origin, double u, double v, double s) {
  return origin + u * frame.e1 + v * frame.e2 + s * frame.w;
}

}  // namespace tessarin::input::kernel

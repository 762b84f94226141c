#pragma once
// Three-component vectors for points and directions of the geometry model.

#include <cmath>

namespace tessarin::input {

struct Vec3 {
  double x = 0, y = 0, z = 0;
  friend bool operator==(const Vec3&, const Vec3&) = default;
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(const Vec3& a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(double s, const Vec3& a) { return {s * a.x, s * a.y, s * a.z}; }
inline Vec3 operator*(const Vec3& a, double s) { return s * a; }

inline double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Norm(const Vec3& a) { return std::sqrt(Dot(a, a)); }
// The vector divided by its length; the caller makes sure it is not zero.
inline Vec3 Unit(const Vec3& a) { return (1.0 / Norm(a)) * a; }

// Component `axis` (0 x, 1 y, 2 z) of a vector, for loops over the axes.
inline double& Component(Vec3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }
inline double Component(const Vec3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

}  // namespace tessarin::input

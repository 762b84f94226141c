#pragma once
// What an RT script builds, read back from its text: the primitives of its
// "in" lines and the "comb" and "r" combinations, evaluated with BRL-CAD's
// boolean rules. Points are given in model centimetres; the script's unit
// scale comes from its coordinate banner (none: 1) and its "units" line.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input/vec3.h"

namespace tessarin::render::script_check {

using input::Vec3;

enum class PrimitiveKind { Rpp, Box, Arb4, Arbn, Sphere, Rcc, Trc };

struct Primitive {
  PrimitiveKind kind = PrimitiveKind::Rpp;
  std::vector<double> values;  // as written, in script units
};

struct Combination;

struct Member {
  char operation = 'u';  // 'u' union, '+' intersection, '-' subtraction
  std::string name;
  // What the name stood for when the member was added (one of the two).
  const Primitive* primitive = nullptr;
  const Combination* combination = nullptr;
};

struct Combination {
  std::vector<Member> members;
  bool region = false;  // made by "r"
};

class ScriptGeometry {
 public:
  // Nothing, with `error` set, for a line that cannot be understood, a
  // primitive with the wrong number of values, or a member used before it
  // is made.
  static std::optional<ScriptGeometry> Parse(std::string_view script, std::string& error);

  ScriptGeometry() = default;
  // Members point into the maps, so a copy points its members at its own.
  ScriptGeometry(const ScriptGeometry& other) { *this = other; }
  ScriptGeometry& operator=(const ScriptGeometry& other);
  ScriptGeometry(ScriptGeometry&&) = default;
  ScriptGeometry& operator=(ScriptGeometry&&) = default;

  const std::vector<std::string>& Regions() const { return regions_; }
  bool Has(const std::string& name) const;
  // Whether the model point lies inside the named primitive or combination.
  bool Contains(const std::string& name, const Vec3& modelPoint) const;
  // A lower bound of the distance (model cm) from the point to the boundary
  // of any primitive, good enough to keep sampled points off boundaries.
  double BoundaryDistance(const Vec3& modelPoint) const;
  // Model centimetres per script length unit.
  double ModelLengthPerUnit() const { return modelLengthPerUnit_; }
  std::size_t PrimitiveCount() const { return primitives_.size(); }

 private:
  bool AddLine(const std::vector<std::string>& words, std::string& error);
  bool ContainsAt(const Member& member, const Vec3& scriptPoint, int depth) const;
  Vec3 ToScript(const Vec3& modelPoint) const { return (1.0 / modelLengthPerUnit_) * modelPoint; }

  std::map<std::string, Primitive> primitives_;
  std::map<std::string, Combination> combinations_;
  std::vector<std::string> regions_;
  double bannerCentimetres_ = 1;  // model cm per MGED centimetre
  double unitCentimetres_ = 1;    // MGED centimetres per script unit
  double modelLengthPerUnit_ = 1;
};

// The side of a primitive a script point lies on, and its distance to the
// primitive's boundary (script units, a lower bound).
bool PrimitiveContains(const Primitive& primitive, const Vec3& point);
double PrimitiveBoundaryDistance(const Primitive& primitive, const Vec3& point);

}  // namespace tessarin::render::script_check

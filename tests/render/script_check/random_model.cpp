#include "render/script_check/random_model.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <sstream>
#include <tuple>
#include <vector>

#include "input/vec3.h"

namespace tessarin::render::script_check {
namespace {

using input::Vec3;

constexpr double kSlotSpacing = 12;
// Inscribed radius of an outermost body: its circumscribed radius (at most
// 1.8 times that) stays inside the half slot spacing.
constexpr double kOuterSize = 3.3;
constexpr double kNestingRatio = 1.8;  // above the circumscribed-to-inscribed ratio of every shape

enum class Shape { Sphere, Rpp, TurnedBox, Rcc, CutCylinder, Cone };

class ModelWriter {
 public:
  explicit ModelWriter(unsigned seed) : random_(seed) { out_.precision(17); }

  std::string Write() {
    out_ << "// Random geometry, seed-generated for the RT script tests.\nCOMPLEX_GEOMETRY 1\n";
    out_ << "M1 \"lead\"\nM2 \"water\"\nM3 \"graphite\"\n";
    double half = kRandomModelSize / 2;
    out_ << "S1 RPP " << -half << " " << half << " " << -half << " " << half << " " << -half << " " << half << "\n";
    nextSurface_ = 2;
    std::vector<Vec3> slots;
    for (int i = -1; i <= 1; ++i)
      for (int j = -1; j <= 1; ++j)
        for (int k = -1; k <= 1; ++k) slots.push_back(kSlotSpacing * Vec3{double(i), double(j), double(k)});
    std::shuffle(slots.begin(), slots.end(), random_);
    std::size_t bodies = 8 + random_() % 6;
    std::vector<int> copyable;
    for (std::size_t s = 0; s < bodies; ++s) {
      int depth = 1 + static_cast<int>(random_() % 3);
      int cell = Nest(slots[s], depth);
      if (depth == 1 && cell > 0) copyable.push_back(cell);
    }
    // Turned copies of single cells into the free slots.
    int transform = 1;
    for (std::size_t s = bodies; s < slots.size() && !copyable.empty() && transform <= 4; ++s, ++transform) {
      int original = copyable[random_() % copyable.size()];
      auto [x, y, z] = Frame();
      Vec3 centre = centres_[original];
      Vec3 turned = centre.x * x + centre.y * y + centre.z * z;
      Vec3 shift = slots[s] - turned;
      out_ << "TR" << transform << " " << shift.x << " " << shift.y << " " << shift.z << "  " << x.x << " " << x.y
           << " " << x.z << "  " << y.x << " " << y.y << " " << y.z << "\n";
      int copy = nextCell_++;
      out_ << "C" << copy << " " << Material() << " TR" << transform << " " << original << "\n";
      topLevel_.push_back(copy);
    }
    out_ << "C" << nextCell_ << " 0 \"around\" -1";
    for (int cell : topLevel_) out_ << " #" << cell;
    out_ << "\n";
    return out_.str();
  }

 private:
  // Bodies inside each other at `centre`; returns the outermost cell, or 0
  // when the outermost level was halved by a plane (two cells).
  int Nest(const Vec3& centre, int depth) {
    int inner = 0;
    for (int level = depth - 1; level >= 0; --level) {
      double size = kOuterSize / std::pow(kNestingRatio, level);
      bool innermost = level == depth - 1;
      Shape shape = static_cast<Shape>(random_() % (innermost ? 6 : 5));
      if (shape == Shape::Cone && !innermost) shape = Shape::Sphere;
      std::string bounds = Body(shape, centre, size);
      if (innermost && depth == 1 && random_() % 4 == 0) {
        // Halved by a plane through the centre: two cells, no complement.
        int plane = nextSurface_++;
        Vec3 n = Direction();
        out_ << "S" << plane << " P " << centre.x << " " << centre.y << " " << centre.z << " " << n.x << " " << n.y
             << " " << n.z << "\n";
        for (const char* side : {" -", " +"}) {
          int cell = nextCell_++;
          out_ << "C" << cell << " " << Material() << bounds << side << plane << "\n";
          topLevel_.push_back(cell);
        }
        return 0;
      }
      int cell = nextCell_++;
      out_ << "C" << cell << " " << Material() << bounds;
      if (inner) out_ << " #" << inner;
      out_ << "\n";
      centres_[cell] = centre;
      inner = cell;
    }
    topLevel_.push_back(inner);
    return inner;
  }

  // Writes the surfaces of one body and returns its bounding list.
  std::string Body(Shape shape, const Vec3& c, double size) {
    std::ostringstream bounds;
    int s = nextSurface_++;
    out_ << "S" << s;
    switch (shape) {
      case Shape::Sphere: out_ << " S " << c.x << " " << c.y << " " << c.z << " " << size << "\n"; break;
      case Shape::Rpp:
        out_ << " RPP " << c.x - size << " " << c.x + size << " " << c.y - size << " " << c.y + size << " "
             << c.z - size << " " << c.z + size << "\n";
        break;
      case Shape::TurnedBox: {
        auto [x, y, z] = Frame();
        Vec3 corner = c - size * (x + y + z);
        out_ << " BOX " << corner.x << " " << corner.y << " " << corner.z;
        for (const Vec3& edge : {x, y, z})
          out_ << "  " << 2 * size * edge.x << " " << 2 * size * edge.y << " " << 2 * size * edge.z;
        out_ << "\n";
        break;
      }
      case Shape::Rcc: {
        Vec3 a = Direction();
        Vec3 base = c - size * a;
        out_ << " RCC " << base.x << " " << base.y << " " << base.z << "  " << 2 * size * a.x << " " << 2 * size * a.y
             << " " << 2 * size * a.z << "  " << size << "\n";
        break;
      }
      case Shape::CutCylinder:
      case Shape::Cone: {
        Vec3 a = Direction();
        Vec3 low = c - size * a, high = c + size * a;
        if (shape == Shape::CutCylinder)
          out_ << " CY " << c.x << " " << c.y << " " << c.z << " " << a.x << " " << a.y << " " << a.z << " " << size
               << "\n";
        else
          out_ << " CO " << low.x << " " << low.y << " " << low.z << " " << a.x << " " << a.y << " " << a.z
               << " 30\n";
        int top = nextSurface_++;
        out_ << "S" << top << " P " << high.x << " " << high.y << " " << high.z << " " << a.x << " " << a.y << " "
             << a.z << "\n";
        bounds << " -" << s << " -" << top;
        if (shape == Shape::CutCylinder) {
          int bottom = nextSurface_++;
          out_ << "S" << bottom << " P " << low.x << " " << low.y << " " << low.z << " " << a.x << " " << a.y << " "
               << a.z << "\n";
          bounds << " +" << bottom;
        }
        return bounds.str();
      }
    }
    bounds << " -" << s;
    return bounds.str();
  }

  std::string Material() {
    int m = static_cast<int>(random_() % 4);
    return m == 0 ? std::string("0") : std::to_string(m) + " 1.5";
  }

  Vec3 Direction() {
    std::normal_distribution<double> normal;
    for (;;) {
      Vec3 v{normal(random_), normal(random_), normal(random_)};
      if (input::Norm(v) > 1e-3) return input::Unit(v);
    }
  }

  // A random right-handed orthonormal frame.
  std::tuple<Vec3, Vec3, Vec3> Frame() {
    Vec3 x = Direction();
    Vec3 helper = Direction();
    Vec3 y = helper - input::Dot(helper, x) * x;
    while (input::Norm(y) < 1e-3) {
      helper = Direction();
      y = helper - input::Dot(helper, x) * x;
    }
    y = input::Unit(y);
    return {x, y, input::Cross(x, y)};
  }

  std::mt19937 random_;
  std::ostringstream out_;
  int nextSurface_ = 1;
  int nextCell_ = 1;
  std::vector<int> topLevel_;
  std::map<int, Vec3> centres_;
};

}  // namespace

std::string RandomModelInput(unsigned seed) {
  ModelWriter writer(seed);
  return writer.Write();
}

}  // namespace tessarin::render::script_check

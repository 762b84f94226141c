// Draws the manual's sketches of the surfaces, the macrobodies with their
// parameters and facet numbers, and a coordinate transformation, as PNG
// files named sketch_<name>@2x.png (drawn at twice the size they are shown).
// Usage: manual_sketches OUTPUT-FOLDER

#include <QDir>
#include <QGuiApplication>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>

#include "sketch_canvas.h"

namespace {

using namespace tessarin::manual;

constexpr int kWidth = 560, kHeight = 440;
constexpr double kMargin = 78;
const QColor kBody(160, 184, 214);
const QColor kSurface(214, 190, 150);
const QColor kVector(25, 70, 160);
const QColor kAxis(90, 90, 90);


// A facet's number on the facet when it faces the viewer, else beside the
// body at the end of a line `leader` pixels long.
void Facet(SketchCanvas& canvas, Vec at, Vec outward, int number, double leader) {
  const bool hidden = !canvas.Facing(outward);
  canvas.FacetNumber(at, number, hidden ? canvas.Outward(outward, leader) : QPointF(), hidden);
}

// The direction at `degrees` from x towards y.
Vec Turned(double degrees, double length = 1) {
  const double t = degrees * std::numbers::pi / 180;
  return {length * std::cos(t), length * std::sin(t), 0};
}

// Round bodies along z: facet 1 the side, 2 the top, 3 the base.
void RoundFacets(SketchCanvas& canvas, Vec base, Vec height, double sideRadius) {
  const Vec front = Unit(Cross(canvas.Right(), Vec{0, 0, 1}));
  canvas.FacetNumber(base + 0.4 * height + sideRadius * Unit(front - 0.9 * canvas.Right()), 1);
  Facet(canvas, base + height - 0.5 * sideRadius * canvas.Right(), {0, 0, 1}, 2, 90);
  Facet(canvas, base - 0.5 * sideRadius * canvas.Right(), {0, 0, -1}, 3, 70);
}

void Rcc(SketchCanvas& canvas) {
  const Vec base{0, 0, 0}, height{0, 0, 4};
  const double radius = 1.5;
  const Solid body = Frustum(base, height, radius, radius, kBody);
  canvas.Fit(CornersOf(body), kMargin);
  canvas.Draw(body);
  canvas.Arrow(base, height, "h", kVector, {20, 10});
  canvas.Arrow(base + height, radius * canvas.Right(), "R", kVector, {0, -20});
  canvas.Point(base, "V", {22, 12});
  RoundFacets(canvas, base, height, 0.95 * radius);
}

void Trc(SketchCanvas& canvas) {
  const Vec base{0, 0, 0}, height{0, 0, 3.5};
  const double r1 = 1.8, r2 = 0.9;
  const Solid body = Frustum(base, height, r1, r2, kBody);
  canvas.Fit(CornersOf(body), kMargin);
  canvas.Draw(body);
  canvas.Arrow(base, height, "h", kVector, {20, 10});
  canvas.Arrow(base + height, r2 * canvas.Right(), "r2", kVector, {0, -20});
  canvas.Arrow(base, r1 * canvas.Right(), "r1", kVector, {0, 20});
  canvas.Point(base, "V", {-22, 12});
  RoundFacets(canvas, base, height, 0.5 * (r1 + r2));
}

// Facet numbers of a parallelepiped: 1 and 2 across e1, 3 and 4 across e2,
// 5 and 6 across e3, the odd one away from the corner.
void ParallelepipedFacets(SketchCanvas& canvas, Vec corner, const Vec (&edges)[3]) {
  for (int k = 0; k < 3; ++k) {
    const Vec e = edges[k], f = edges[(k + 1) % 3], g = edges[(k + 2) % 3];
    const Vec middle = corner + 0.5 * f + 0.5 * g;
    const Vec normal = Unit(Cross(f, g));
    const Vec away = Dot(normal, e) > 0 ? normal : -1.0 * normal;
    Facet(canvas, middle + e, away, 2 * k + 1, 105);
    Facet(canvas, middle, -1.0 * away, 2 * k + 2, 105);
  }
}

Solid Parallelepiped(Vec corner, const Vec (&edges)[3]) {
  return Prism({corner, corner + edges[0], corner + edges[0] + edges[1], corner + edges[1]}, edges[2], kBody);
}

void Box(SketchCanvas& canvas) {
  const Vec corner{0, 0, 0};
  const Vec edges[3] = {{2.6, 1.0, 0}, {-0.8, 2.08, 0}, {0, 0, 1.6}};
  const Solid body = Parallelepiped(corner, edges);
  canvas.Fit(CornersOf(body), kMargin);
  canvas.Draw(body);
  canvas.Arrow(corner, edges[0], "e1", kVector, {10, 22});
  canvas.Arrow(corner, edges[1], "e2", kVector, {-22, -14});
  canvas.Arrow(corner, edges[2], "e3", kVector, {-24, 0});
  canvas.Point(corner, "V", {-8, 24});
  ParallelepipedFacets(canvas, corner, edges);
}

void Rpp(SketchCanvas& canvas) {
  const Vec corner{0, 0, 0};
  const Vec edges[3] = {{3, 0, 0}, {0, 2, 0}, {0, 0, 1.5}};
  const Solid body = Parallelepiped(corner, edges);
  std::vector<Vec> frame = CornersOf(body);
  const Vec axes{-1.0, -2.2, 0.3};
  frame.push_back(axes);
  canvas.Fit(frame, kMargin);
  canvas.Draw(body);
  const char* names[3] = {"x", "y", "z"};
  for (int k = 0; k < 3; ++k) {
    canvas.Arrow(axes, 0.8 * Unit(edges[k]), "", kAxis, {});
    canvas.Label(axes + 1.05 * Unit(edges[k]), names[k], {4, -2}, kAxis);
  }
  ParallelepipedFacets(canvas, corner, edges);
}

void Rhp(SketchCanvas& canvas) {
  const Vec base{0, 0, 0}, height{0, 0, 2.2};
  const double side = 1.4;
  std::vector<Vec> hexagon;
  for (int k = 0; k < 6; ++k) hexagon.push_back(Turned(30 + 60 * k, side / std::cos(std::numbers::pi / 6)));
  const Solid body = Prism(hexagon, height, kBody);
  canvas.Fit(CornersOf(body), kMargin);
  canvas.Draw(body);
  canvas.Arrow(base, height, "h", kVector, {-20, 0});
  canvas.Arrow(base, Turned(0, side), "r", kVector, {0, 20});
  canvas.Point(base, "V", {-22, 12});
  // Facets 1, 3, 5 face the directions 0, 60 and 120 degrees from r; 2, 4, 6 the opposite ones.
  const double facing[6] = {0, 180, 60, 240, 120, 300};
  for (int k = 0; k < 6; ++k) Facet(canvas, side * Turned(facing[k]) + 0.55 * height, Turned(facing[k]), k + 1, 85);
  Facet(canvas, height + 0.5 * side * canvas.Right(), {0, 0, 1}, 7, 60);
  Facet(canvas, base - 0.6 * side * canvas.Right(), {0, 0, -1}, 8, 60);
}

void Wed(SketchCanvas& canvas) {
  const Vec vertex{0, 0, 0}, a1{3, 0, 0}, a2{0, 2, 0}, a3{0, 0, 1.5};
  const Solid body = Prism({vertex, vertex + a1, vertex + a2}, a3, kBody);
  canvas.Fit(CornersOf(body), kMargin);
  canvas.Draw(body);
  canvas.Arrow(vertex, a1, "a1", kVector, {0, 22});
  canvas.Arrow(vertex, a2, "a2", kVector, {26, 6});
  canvas.Arrow(vertex, a3, "a3", kVector, {-24, 0});
  canvas.Point(vertex, "V", {-10, 24});
  Facet(canvas, vertex + 0.5 * (a1 + a2) + 0.5 * a3, Unit(Cross(a2 - a1, a3)), 1, 80);
  Facet(canvas, vertex + 0.5 * a2 + 0.5 * a3, {-1, 0, 0}, 2, 80);
  Facet(canvas, vertex + 0.5 * a1 + 0.5 * a3, {0, -1, 0}, 3, 80);
  Facet(canvas, vertex + a3 + (1.0 / 3) * (a1 + a2), {0, 0, 1}, 4, 80);
  Facet(canvas, vertex + (1.0 / 3) * (a1 + a2), {0, 0, -1}, 5, 80);
}

void Arb4(SketchCanvas& canvas) {
  const Vec v1{0, 0, 0}, v2{3, 0, 0}, v3{0, 2.5, 0}, v4{0, 0, 2};
  const std::vector<std::vector<Vec>> faces = {{v1, v3, v4}, {v1, v4, v2}, {v1, v2, v3}, {v2, v3, v4}};
  const Solid body = Polyhedron(faces, kBody);
  canvas.Fit(CornersOf(body), 1.3 * kMargin);
  canvas.Draw(body);
  canvas.Point(v1, "V1", {-26, 14});
  canvas.Point(v2, "V2", {-30, 8});
  canvas.Point(v3, "V3", {24, -10});
  canvas.Point(v4, "V4", {-24, -8});
  const Vec middle = 0.25 * (v1 + v2 + v3 + v4);
  for (int k = 0; k < 4; ++k) {
    const std::vector<Vec>& face = faces[static_cast<std::size_t>(k)];
    const Vec centre = (1.0 / 3) * (face[0] + face[1] + face[2]);
    Facet(canvas, centre, centre - middle, k + 1, 110);
  }
}

void Arb(SketchCanvas& canvas) {
  const Vec v[8] = {{0, 0, 0}, {3, 0, 0}, {3, 3, 0}, {0, 3, 0}, {0.5, 0.5, 2}, {2.5, 0.5, 2}, {2.5, 2.5, 2}, {0.5, 2.5, 2}};
  // Faces in the order of the codes 1234 5678 1265 2376 3487 4158.
  const int codes[6][4] = {{1, 2, 3, 4}, {5, 6, 7, 8}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 4, 8, 7}, {4, 1, 5, 8}};
  std::vector<std::vector<Vec>> faces;
  for (const auto& code : codes) faces.push_back({v[code[0] - 1], v[code[1] - 1], v[code[2] - 1], v[code[3] - 1]});
  const Solid body = Polyhedron(faces, kBody);
  canvas.Fit(CornersOf(body), 1.4 * kMargin);
  canvas.Draw(body);
  const Vec middle{1.5, 1.5, 0.8};
  const QPointF labels[8] = {{-26, 10}, {-4, 26}, {28, 10}, {32, 12}, {14, -24}, {24, 20}, {26, 6}, {6, -22}};
  for (int k = 0; k < 8; ++k) canvas.Point(v[k], "V" + QString::number(k + 1), labels[k]);
  for (int k = 0; k < 6; ++k) {
    Vec centre;
    for (const Vec& corner : faces[static_cast<std::size_t>(k)]) centre = centre + 0.25 * corner;
    Facet(canvas, centre, centre - middle, k + 1, 115);
  }
}

void Plane(SketchCanvas& canvas) {
  const Vec point{0, 0, 0}, normal = Unit(Vec{0.2, -0.3, 1});
  const Vec u = Unit(Cross(normal, Vec{1, 0, 0})), w = Cross(normal, u);
  const double size = 2.2;
  const std::vector<Vec> patch = {point - size * u - size * w, point + size * u - size * w,
                                  point + size * u + size * w, point - size * u + size * w};
  Solid sheet = Polyhedron({patch}, kSurface);
  sheet.closed = false;
  std::vector<Vec> frame = patch;
  frame.push_back(point + 2.0 * normal);
  frame.push_back(point - 1.2 * normal);
  canvas.Fit(frame, kMargin);
  canvas.Draw(sheet);
  canvas.Arrow(point, 1.6 * normal, "n", kVector, {22, 0});
  canvas.Point(point, "P", {-22, 14});
  canvas.Label(point + 1.2 * normal, "+ side", {-130, 0}, kVector);
  canvas.Label(point - 0.9 * normal, "\u2212 side", {150, 60}, kVector);
}

void Sphere(SketchCanvas& canvas) {
  const Vec centre{0, 0, 0};
  const double radius = 2;
  canvas.Fit({centre - radius * canvas.Right() - radius * canvas.Up(), centre + radius * canvas.Right() + radius * canvas.Up()},
             kMargin);
  canvas.Ball(centre, radius, kSurface);
  canvas.Arrow(centre, radius * Unit(canvas.Right() + 0.6 * canvas.Up()), "R", kVector, {-6, -22});
  canvas.Point(centre, "C", {-20, 14});
  canvas.Label(centre - 0.55 * radius * canvas.Up(), "\u2212 side (inside)", {0, 0}, kVector);
}

void Cylinder(SketchCanvas& canvas) {
  const Vec point{0, 0, 0}, axis{0, 0, 1};
  const double radius = 1.2, length = 3.4;
  const Solid piece = Frustum(point - 0.5 * length * axis, length * axis, radius, radius, kSurface, false);
  std::vector<Vec> frame = CornersOf(piece);
  frame.push_back(point + 0.9 * length * axis);
  frame.push_back(point - 0.9 * length * axis);
  canvas.Fit(frame, kMargin);
  canvas.Draw(piece);
  canvas.Line(point + 0.5 * length * axis, point + 0.9 * length * axis, kAxis, true);
  canvas.Line(point - 0.5 * length * axis, point - 0.9 * length * axis, kAxis, true);
  canvas.Line(point - 0.5 * length * axis, point + 0.5 * length * axis, kAxis, true);
  // The surface goes on without end.
  for (double side : {-radius, radius})
    for (double end : {-1.0, 1.0})
      canvas.Line(point + side * canvas.Right() + 0.5 * end * length * axis,
                  point + side * canvas.Right() + 0.75 * end * length * axis, kAxis, true);
  canvas.Arrow(point, 1.2 * axis, "a", kVector, {-18, 0});
  canvas.Arrow(point + 0.5 * length * axis, radius * canvas.Right(), "R", kVector, {0, -20});
  canvas.Point(point, "P", {-20, 12});
}

void Cone(SketchCanvas& canvas) {
  const Vec apex{0, 0, 0}, axis{0, 0, 1};
  const double length = 3.2, halfAngle = 28 * std::numbers::pi / 180;
  const double rim = length * std::tan(halfAngle);
  const Solid piece = Frustum(apex + length * axis, -length * axis, rim, 0, kSurface, false);
  std::vector<Vec> frame = CornersOf(piece);
  frame.push_back(apex - 0.3 * axis);
  canvas.Fit(frame, kMargin);
  canvas.Draw(piece);
  canvas.Line(apex, apex + 1.15 * length * axis, kAxis, true);
  canvas.Arrow(apex, 1.3 * axis, "a", kVector, {-18, 0});
  const Vec side = length * axis + rim * canvas.Right();
  canvas.Angle(apex, axis, side, 2.0, "\u03b8", {14, -10});
  canvas.Point(apex, "A", {-20, 10});
}

void Transformation(SketchCanvas& canvas) {
  const Vec origin{0, 0, 0}, shifted{2.6, 0.6, 1.5};
  const Vec x2 = Unit(Vec{0.8, 0.6, 0}), y2 = Unit(Vec{-0.6, 0.8, 0}), z2{0, 0, 1};
  canvas.Fit({origin, origin + Vec{1.8, 0, 0}, origin + Vec{0, 1.8, 0}, origin + Vec{0, 0, 1.8}, shifted,
              shifted + 1.8 * x2, shifted + 1.8 * y2, shifted + 1.8 * z2},
             kMargin);
  canvas.Arrow(origin, {1.6, 0, 0}, "", kAxis, {});
  canvas.Arrow(origin, {0, 1.6, 0}, "", kAxis, {});
  canvas.Arrow(origin, {0, 0, 1.6}, "", kAxis, {});
  canvas.Label(origin + Vec{1.8, 0, 0}, "x", {6, 8}, kAxis);
  canvas.Label(origin + Vec{0, 1.8, 0}, "y", {8, 0}, kAxis);
  canvas.Label(origin + Vec{0, 0, 1.8}, "z", {0, -4}, kAxis);
  canvas.Line(origin, shifted, kVector, true);
  canvas.Label(0.5 * shifted, "origin", {0, 20}, kVector);
  canvas.Arrow(shifted, 1.6 * x2, "", kVector, {});
  canvas.Arrow(shifted, 1.6 * y2, "", kVector, {});
  canvas.Arrow(shifted, 1.6 * z2, "", kVector, {});
  canvas.Label(shifted + 1.8 * x2, "X'", {10, 8}, kVector);
  canvas.Label(shifted + 1.8 * y2, "Y'", {8, 0}, kVector);
  canvas.Label(shifted + 1.8 * z2, "Z'", {0, -4}, kVector);
  canvas.Point(origin, "", {});
  canvas.Point(shifted, "", {});
}

struct Sketch {
  const char* name;
  const char* title;
  double azimuth, elevation;
  std::function<void(SketchCanvas&)> draw;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: manual_sketches OUTPUT-FOLDER\n");
    return 2;
  }
  const QString folder = QDir(argv[1]).absolutePath();
  QDir().mkpath(folder);
  const Sketch sketches[] = {
      {"plane", "P: plane", -30, 12, Plane},
      {"sphere", "S: sphere", -30, 20, Sphere},
      {"cylinder", "CY: cylinder", -30, 20, Cylinder},
      {"cone", "CO: cone", -30, 20, Cone},
      {"rcc", "RCC", -30, 22, Rcc},
      {"trc", "TRC", -30, 22, Trc},
      {"box", "BOX", -30, 25, Box},
      {"rpp", "RPP", -30, 25, Rpp},
      {"rhp", "RHP, HEX", -70, 25, Rhp},
      {"wed", "WED", -70, 30, Wed},
      {"arb4", "ARB4", -25, 30, Arb4},
      {"arb", "ARB", -28, 14, Arb},
      {"transformation", "TR", -30, 20, Transformation}};
  int failures = 0;
  for (const Sketch& sketch : sketches) {
    SketchCanvas canvas(kWidth, kHeight, sketch.azimuth, sketch.elevation);
    sketch.draw(canvas);
    canvas.Title(sketch.title);
    const QString path = folder + "/sketch_" + sketch.name + "@2x.png";
    if (!canvas.Save(path)) {
      std::fprintf(stderr, "manual_sketches: %s could not be written\n", qPrintable(path));
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}

#pragma once
// A small drawing surface for the manual's sketches of surfaces and bodies:
// convex solids made of flat faces, seen from an azimuth and an elevation,
// shaded, with hidden edges dashed, and the arrows, points and facet numbers
// that explain their parameters.

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QString>
#include <vector>

namespace tessarin::manual {

struct Vec {
  double x = 0, y = 0, z = 0;
};
Vec operator+(Vec a, Vec b);
Vec operator-(Vec a, Vec b);
Vec operator*(double s, Vec a);
double Dot(Vec a, Vec b);
Vec Cross(Vec a, Vec b);
Vec Unit(Vec a);

// One flat face. Faces that approximate one curved surface share `surface`,
// so only the outline of that surface is drawn, not its seams.
struct Face {
  std::vector<Vec> corners;
  int surface = 0;
};

struct Solid {
  std::vector<Face> faces;
  QColor colour;
  // An open piece of a surface (of an infinite cylinder, of a cone) shows
  // its inside through the opening, and its rims are never hidden.
  bool closed = true;
};

// A polyhedron from its faces, each face a different surface.
Solid Polyhedron(const std::vector<std::vector<Vec>>& faces, QColor colour);
// A prism over a convex base polygon.
Solid Prism(const std::vector<Vec>& base, Vec height, QColor colour);
// A cylinder (equal radii) or a truncated cone along `height`; without caps
// it is an open piece of the surface. A top radius of 0 ends in an apex.
Solid Frustum(Vec base, Vec height, double baseRadius, double topRadius, QColor colour, bool caps = true);

class SketchCanvas {
 public:
  // The picture is `width` x `height` pixels; the manual shows it at half that size.
  SketchCanvas(int width, int height, double azimuthDegrees, double elevationDegrees);

  // Scales and centres the view so that these points fill the picture,
  // leaving `margin` pixels free on every side for the labels.
  void Fit(const std::vector<Vec>& points, double margin);

  void Draw(const Solid& solid);
  void Line(Vec from, Vec to, QColor colour, bool dashed = false);
  void Arrow(Vec from, Vec vector, const QString& label, QColor colour, QPointF labelOffset);
  void Point(Vec at, const QString& label, QPointF labelOffset);
  void Label(Vec at, const QString& text, QPointF offset, QColor colour);
  // A facet number in a circle; with an offset, a thin line leads to it.
  // A hidden facet's number is grey.
  void FacetNumber(Vec at, int number, QPointF offset = {}, bool hidden = false);
  // The angle between two directions from `apex`, as an arc of `radius`.
  void Angle(Vec apex, Vec first, Vec second, double radius, const QString& label, QPointF labelOffset);
  // The picture's name, in its top left corner.
  void Title(const QString& text);
  // A shaded ball: a sphere looks the same from everywhere.
  void Ball(Vec centre, double radius, QColor colour);

  // Whether a face with this outward normal is turned towards the viewer.
  bool Facing(Vec normal) const { return Dot(normal, eye_) > 0; }
  // The direction of `normal` in the picture, `length` pixels long: where
  // the number of a hidden facet goes so that it lies beside the body.
  QPointF Outward(Vec normal, double length) const;
  // Unit vectors across the picture, to the right and upwards.
  Vec Right() const { return right_; }
  Vec Up() const { return up_; }

  bool Save(const QString& path) const;

 private:
  QPointF Project(Vec point) const;

  QImage image_;
  Vec eye_, right_, up_;
  double scale_ = 1;
  QPointF offset_;
};

std::vector<Vec> CornersOf(const Solid& solid);

}  // namespace tessarin::manual

#include "sketch_canvas.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <tuple>

namespace tessarin::manual {

Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec operator*(double s, Vec a) { return {s * a.x, s * a.y, s * a.z}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec Cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec Unit(Vec a) {
  const double length = std::sqrt(Dot(a, a));
  return length > 0 ? (1 / length) * a : a;
}

namespace {

constexpr double kDegree = std::numbers::pi / 180;
// Pictures are drawn at twice the size they are shown at.
constexpr double kLineWidth = 2.6;
constexpr int kFontPixels = 25;
const QColor kEdgeColour(40, 40, 40);
const QColor kHiddenColour(120, 120, 120);
const QColor kPointColour(150, 30, 30);

Vec Centroid(const std::vector<Vec>& points) {
  Vec sum;
  for (const Vec& p : points) sum = sum + p;
  return points.empty() ? sum : (1.0 / static_cast<double>(points.size())) * sum;
}

// A face's normal, turned away from the middle of the solid: every solid
// sketched here is convex (or an open piece of a convex surface).
Vec OutwardNormal(const std::vector<Vec>& corners, Vec middle) {
  Vec normal;
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const Vec& a = corners[i];
    const Vec& b = corners[(i + 1) % corners.size()];
    normal = normal + Vec{(a.y - b.y) * (a.z + b.z), (a.z - b.z) * (a.x + b.x), (a.x - b.x) * (a.y + b.y)};
  }
  normal = Unit(normal);
  return Dot(normal, Centroid(corners) - middle) < 0 ? -1.0 * normal : normal;
}

// Two edges are one when their ends agree to a millionth.
using PointKey = std::tuple<long long, long long, long long>;
PointKey KeyOf(Vec p) {
  return {std::llround(p.x * 1e6), std::llround(p.y * 1e6), std::llround(p.z * 1e6)};
}

struct EdgeFaces {
  Vec from, to;
  std::vector<std::size_t> faces;
};

std::vector<Vec> Circle(Vec centre, Vec axis, double radius, int segments) {
  const Vec along = Unit(axis);
  const Vec helper = std::fabs(along.z) < 0.9 ? Vec{0, 0, 1} : Vec{1, 0, 0};
  const Vec u = Unit(Cross(helper, along));
  const Vec w = Cross(along, u);
  std::vector<Vec> points;
  for (int k = 0; k < segments; ++k) {
    const double t = 2 * std::numbers::pi * k / segments;
    points.push_back(centre + radius * (std::cos(t) * u + std::sin(t) * w));
  }
  return points;
}

QColor Shaded(QColor base, double brightness) {
  const auto mix = [&](int channel) {
    return std::clamp(static_cast<int>(channel * brightness + 255 * (1 - brightness) * 0.35), 0, 255);
  };
  return QColor(mix(base.red()), mix(base.green()), mix(base.blue()));
}

}  // namespace

Solid Polyhedron(const std::vector<std::vector<Vec>>& faces, QColor colour) {
  Solid solid{{}, colour, true};
  int surface = 0;
  for (const std::vector<Vec>& corners : faces) solid.faces.push_back({corners, ++surface});
  return solid;
}

Solid Prism(const std::vector<Vec>& base, Vec height, QColor colour) {
  std::vector<std::vector<Vec>> faces;
  std::vector<Vec> top;
  for (const Vec& p : base) top.push_back(p + height);
  for (std::size_t i = 0; i < base.size(); ++i) {
    const std::size_t j = (i + 1) % base.size();
    faces.push_back({base[i], base[j], top[j], top[i]});
  }
  faces.push_back(base);
  faces.push_back(top);
  return Polyhedron(faces, colour);
}

Solid Frustum(Vec base, Vec height, double baseRadius, double topRadius, QColor colour, bool caps) {
  constexpr int kSegments = 72;
  const std::vector<Vec> bottom = Circle(base, height, baseRadius, kSegments);
  const std::vector<Vec> top = Circle(base + height, height, topRadius, kSegments);
  Solid solid{{}, colour, caps};
  for (int i = 0; i < kSegments; ++i) {
    const int j = (i + 1) % kSegments;
    std::vector<Vec> side{bottom[i], bottom[j], top[j], top[i]};
    if (topRadius == 0) side.pop_back();
    solid.faces.push_back({side, 1});
  }
  if (caps) {
    solid.faces.push_back({bottom, 2});
    if (topRadius > 0) solid.faces.push_back({top, 3});
  }
  return solid;
}

std::vector<Vec> CornersOf(const Solid& solid) {
  std::vector<Vec> points;
  for (const Face& face : solid.faces) points.insert(points.end(), face.corners.begin(), face.corners.end());
  return points;
}

SketchCanvas::SketchCanvas(int width, int height, double azimuthDegrees, double elevationDegrees)
    : image_(width, height, QImage::Format_ARGB32) {
  image_.fill(Qt::white);
  const double az = azimuthDegrees * kDegree, el = elevationDegrees * kDegree;
  eye_ = {std::cos(el) * std::cos(az), std::cos(el) * std::sin(az), std::sin(el)};
  right_ = {-std::sin(az), std::cos(az), 0};
  up_ = Cross(eye_, right_);
}

QPointF SketchCanvas::Project(Vec point) const {
  return {offset_.x() + scale_ * Dot(point, right_), offset_.y() - scale_ * Dot(point, up_)};
}

QPointF SketchCanvas::Outward(Vec normal, double length) const {
  const QPointF along(Dot(normal, right_), -Dot(normal, up_));
  const double size = std::hypot(along.x(), along.y());
  return size > 0 ? along * (length / size) : QPointF(0, length);
}

void SketchCanvas::Fit(const std::vector<Vec>& points, double margin) {
  if (points.empty()) return;
  double left = HUGE_VAL, right = -HUGE_VAL, bottom = HUGE_VAL, top = -HUGE_VAL;
  for (const Vec& p : points) {
    left = std::min(left, Dot(p, right_));
    right = std::max(right, Dot(p, right_));
    bottom = std::min(bottom, Dot(p, up_));
    top = std::max(top, Dot(p, up_));
  }
  const double room = std::min((image_.width() - 2 * margin) / std::max(right - left, 1e-9),
                               (image_.height() - 2 * margin) / std::max(top - bottom, 1e-9));
  scale_ = room;
  offset_ = {image_.width() / 2.0 - scale_ * (left + right) / 2, image_.height() / 2.0 + scale_ * (top + bottom) / 2};
}

void SketchCanvas::Draw(const Solid& solid) {
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::Antialiasing);
  const Vec middle = Centroid(CornersOf(solid));
  const Vec light = Unit(eye_ + Vec{-0.4, 0.3, 0.8});
  std::vector<bool> front(solid.faces.size());
  std::vector<Vec> normals(solid.faces.size());
  for (std::size_t k = 0; k < solid.faces.size(); ++k) {
    normals[k] = OutwardNormal(solid.faces[k].corners, middle);
    front[k] = Dot(normals[k], eye_) > 0;
  }
  // Faces turned away first: only an open surface lets them be seen.
  for (bool pass : {false, true}) {
    for (std::size_t k = 0; k < solid.faces.size(); ++k) {
      if (front[k] != pass) continue;
      QPolygonF outline;
      for (const Vec& p : solid.faces[k].corners) outline << Project(p);
      const double lit = pass ? 0.62 + 0.38 * std::max(0.0, Dot(normals[k], light)) : 0.5;
      const QColor fill = Shaded(solid.colour, lit);
      painter.setPen(QPen(fill, 1));
      painter.setBrush(fill);
      painter.drawPolygon(outline);
    }
  }
  std::map<std::pair<PointKey, PointKey>, EdgeFaces> edges;
  for (std::size_t k = 0; k < solid.faces.size(); ++k) {
    const std::vector<Vec>& corners = solid.faces[k].corners;
    for (std::size_t i = 0; i < corners.size(); ++i) {
      Vec a = corners[i], b = corners[(i + 1) % corners.size()];
      PointKey ka = KeyOf(a), kb = KeyOf(b);
      if (kb < ka) std::swap(ka, kb), std::swap(a, b);
      EdgeFaces& edge = edges[{ka, kb}];
      edge.from = a;
      edge.to = b;
      edge.faces.push_back(k);
    }
  }
  painter.setBrush(Qt::NoBrush);
  for (const auto& [key, edge] : edges) {
    bool anyFront = false, allFront = true, smooth = edge.faces.size() > 1;
    for (std::size_t face : edge.faces) {
      anyFront = anyFront || front[face];
      allFront = allFront && front[face];
      smooth = smooth && solid.faces[face].surface == solid.faces[edge.faces.front()].surface;
    }
    // A seam of a curved surface shows only where it is the outline.
    if (smooth && (allFront || !anyFront)) continue;
    const bool visible = anyFront || (!solid.closed && edge.faces.size() == 1);
    QPen pen(visible ? kEdgeColour : kHiddenColour, visible ? kLineWidth : kLineWidth * 0.7);
    if (!visible) pen.setDashPattern({4, 3});
    painter.setPen(pen);
    painter.drawLine(Project(edge.from), Project(edge.to));
  }
}

void SketchCanvas::Line(Vec from, Vec to, QColor colour, bool dashed) {
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::Antialiasing);
  QPen pen(colour, kLineWidth * 0.8);
  if (dashed) pen.setDashPattern({5, 3});
  painter.setPen(pen);
  painter.drawLine(Project(from), Project(to));
}

void SketchCanvas::Label(Vec at, const QString& text, QPointF offset, QColor colour) {
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::TextAntialiasing);
  QFont font = painter.font();
  font.setPixelSize(kFontPixels);
  painter.setFont(font);
  painter.setPen(colour);
  const QPointF centre = Project(at) + offset;
  const QRectF box(centre.x() - 200, centre.y() - kFontPixels, 400, 2 * kFontPixels);
  // A thin white halo keeps the text readable over shaded faces.
  painter.setPen(QColor(255, 255, 255, 220));
  for (const QPointF shift : {QPointF(-1.5, 0), QPointF(1.5, 0), QPointF(0, -1.5), QPointF(0, 1.5)})
    painter.drawText(box.translated(shift), Qt::AlignCenter, text);
  painter.setPen(colour);
  painter.drawText(box, Qt::AlignCenter, text);
}

void SketchCanvas::Arrow(Vec from, Vec vector, const QString& label, QColor colour, QPointF labelOffset) {
  const QPointF start = Project(from), end = Project(from + vector);
  {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, kLineWidth, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(start, end);
    const QPointF along = end - start;
    const double length = std::hypot(along.x(), along.y());
    if (length > 1) {
      const QPointF unit = along / length, across(-unit.y(), unit.x());
      constexpr double kHead = 18;
      QPolygonF head;
      head << end << end - kHead * unit + 0.45 * kHead * across << end - kHead * unit - 0.45 * kHead * across;
      painter.setBrush(colour);
      painter.drawPolygon(head);
    }
  }
  if (!label.isEmpty()) Label(from + 0.5 * vector, label, labelOffset, colour);
}

void SketchCanvas::Point(Vec at, const QString& label, QPointF labelOffset) {
  {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kPointColour);
    painter.drawEllipse(Project(at), 5.5, 5.5);
  }
  if (!label.isEmpty()) Label(at, label, labelOffset, kPointColour);
}

void SketchCanvas::FacetNumber(Vec at, int number, QPointF offset, bool hidden) {
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF anchor = Project(at), centre = anchor + offset;
  const QColor ink = hidden ? kHiddenColour : kEdgeColour;
  if (!offset.isNull()) {
    painter.setPen(QPen(ink, 1.6));
    painter.drawLine(anchor, centre);
    painter.setBrush(ink);
    painter.drawEllipse(anchor, 3, 3);
  }
  constexpr double kRadius = 17;
  QPen ring(ink, 2);
  if (hidden) ring.setDashPattern({3, 2});
  painter.setPen(ring);
  painter.setBrush(Qt::white);
  painter.drawEllipse(centre, kRadius, kRadius);
  QFont font = painter.font();
  font.setPixelSize(kFontPixels - 3);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(ink);
  painter.drawText(QRectF(centre.x() - kRadius, centre.y() - kRadius, 2 * kRadius, 2 * kRadius), Qt::AlignCenter,
                   QString::number(number));
}

void SketchCanvas::Angle(Vec apex, Vec first, Vec second, double radius, const QString& label,
                         QPointF labelOffset) {
  const Vec a = Unit(first);
  const Vec b = Unit(second - Dot(second, a) * a);
  const double angle = std::acos(std::clamp(Dot(Unit(first), Unit(second)), -1.0, 1.0));
  QPainterPath arc;
  for (int k = 0; k <= 24; ++k) {
    const double t = angle * k / 24;
    const QPointF p = Project(apex + radius * (std::cos(t) * a + std::sin(t) * b));
    if (k == 0) arc.moveTo(p);
    else arc.lineTo(p);
  }
  {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kPointColour, kLineWidth * 0.8));
    painter.drawPath(arc);
  }
  const double half = angle / 2;
  Label(apex + radius * (std::cos(half) * a + std::sin(half) * b), label, labelOffset, kPointColour);
}

void SketchCanvas::Title(const QString& text) {
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::TextAntialiasing);
  QFont font = painter.font();
  font.setPixelSize(kFontPixels + 3);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(kEdgeColour);
  painter.drawText(QRectF(14, 8, image_.width() - 28, 2 * kFontPixels), Qt::AlignLeft | Qt::AlignTop, text);
}

void SketchCanvas::Ball(Vec centre, double radius, QColor colour) {
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF middle = Project(centre);
  const double r = radius * scale_;
  QRadialGradient shade(middle + QPointF(-0.35 * r, -0.4 * r), 1.3 * r);
  shade.setColorAt(0, Shaded(colour, 0.95).lighter(125));
  shade.setColorAt(1, Shaded(colour, 0.55));
  painter.setBrush(shade);
  painter.setPen(QPen(kEdgeColour, kLineWidth));
  painter.drawEllipse(middle, r, r);
}

bool SketchCanvas::Save(const QString& path) const { return image_.save(path); }

}  // namespace tessarin::manual

#pragma once
// What one pixel's ray shows: the regions it enters, nearest first, each
// lit from the eye and mixed with what lies behind as its transparency
// says, the light from behind tinted by the region's colour as BRL-CAD's
// plastic lets it through, until what lies behind no longer shows. Cells are cut to the world
// cube and the cut-away plane (the faces cut there are surfaces too), the
// source sphere is a region of its own that the cells leave out, and a
// region's cells meet without a surface between them, as in the script's
// regions. An eye inside a region sees it 18% grey, as BRL-CAD's raytracer
// shows it.

#include <array>
#include <vector>

#include "raytrace/ray_walk.h"
#include "view3d/camera.h"
#include "view3d/picture.h"
#include "view3d/render_options.h"
#include "view3d/scene.h"

namespace tessarin::view3d {

using Colour = std::array<float, 3>;  // red, green, blue from 0 to 1

// A region boundary the ray passes, with what lies in front of it: a track
// point behind it shows through that.
struct PixelLayer {
  float depth = 0;         // distance along the ray
  Colour transmission{1, 1, 1};  // how much of what is behind shows through the regions in front
  Colour before{};         // the colour of the regions in front
};

struct PixelShade {
  PixelHit hit;
  Colour colour{};         // every region met, weighted
  Colour transmission{1, 1, 1};  // the share of the background
};

// One per rendering thread.
class PixelTracer {
 public:
  PixelTracer(const Scene& scene, const Camera& camera, const ViewSettings& view, const RenderOptions& options);

  // The ray through (x, y) of the picture (pixel units, see Camera); the
  // layers, when asked for, are appended to `layers`.
  PixelShade Trace(double x, double y, std::vector<PixelLayer>* layers);

 private:
  struct Running {
    std::int32_t look;
    double until;
  };
  struct Part {  // a shown region's stretch
    std::int32_t look, cell, surface;
    double entry, exit;
  };
  struct Limits;

  void CollectParts(const std::vector<raytrace::CellPiece>& pieces, const raytrace::Span& sphere);
  bool AddLayer(const Part& part, const raytrace::Ray& ray, const Limits& limits, PixelShade& shade,
                std::vector<PixelLayer>* layers);

  const Scene& scene_;
  const Camera& camera_;
  RenderOptions options_;
  Vec3 worldLow_, worldHigh_;
  double joinGap_ = 0;  // region stretches nearer than this are one
  raytrace::TraceScratch scratch_;
  std::vector<raytrace::CellPiece> pieces_;
  std::vector<Part> parts_;
  std::vector<Running> running_;
};

// How far in front of the view centre parallel rays start: outside the
// world cube, so that nothing of the world is behind them.
double StandOff(const ViewSettings& view, double maximumObjectSizeRatio);

}  // namespace tessarin::view3d

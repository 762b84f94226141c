#pragma once
// What the Geometry view draws from: a copy of the model as the last read
// left it, the colours of its region rows and the point locator over it.
// Built on the user-interface thread, then shared read-only with the render
// worker, so that a new read never changes a picture being drawn.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "input/geometry_model.h"
#include "preview/point_locator.h"
#include "preview/slice_frame.h"
#include "preview/slice_picture.h"
#include "settings/viewparm.h"

namespace tessarin::ui {

struct GeometryViewScene {
  GeometryViewScene(const input::GeometryModel& source, const settings::VIEWPARM& set);

  input::GeometryModel model;
  std::vector<preview::Rgb> cellColours;
  std::vector<preview::LegendEntry> legend;
  preview::PointLocator locator;  // over `model`
};

// A digest of what the picture depends on: the model's cells and surfaces,
// the world the cells are cut to and the rows' colours. Equal digests mean
// the scene need not be built again.
std::uint64_t SceneDigest(const input::GeometryModel& model, const settings::VIEWPARM& set);

// "(x, y, z) cm", then the cell, its material and region row under the point,
// or what the point is when it is in no cell or in more than one.
std::string PointDescription(const GeometryViewScene& scene, const input::Vec3& point);
// The same for the point under pixel (column, row) of a slice.
std::string PixelDescription(const GeometryViewScene& scene, const preview::SliceFrame& frame, double column,
                             double row);

}  // namespace tessarin::ui

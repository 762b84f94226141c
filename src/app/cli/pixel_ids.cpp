#include "app/cli/pixel_ids.h"

#include "platform/shortest_number.h"

namespace tessarin::cli {

namespace {

void AppendVector(std::string& text, const input::Vec3& v) {
  for (double value : {v.x, v.y, v.z}) {
    text += ',';
    platform::AppendShortest(text, value);
  }
}

}  // namespace

std::string PixelIdsTable(const view3d::Picture& picture, const view3d::Scene& scene) {
  std::string text = kPixelIdsHeader;
  for (int row = 0; row < picture.image.height; ++row) {
    for (int column = 0; column < picture.image.width; ++column) {
      const raytrace::Ray ray = picture.camera.RayThrough(column + 0.5, row + 0.5);
      text += std::to_string(column) + ',' + std::to_string(row);
      AppendVector(text, ray.origin);
      AppendVector(text, ray.direction);
      const view3d::PixelHit& hit = picture.HitAt(column, row);
      text += ',';
      if (hit.cell >= 0) text += 'C' + std::to_string(scene.cellIds[static_cast<std::size_t>(hit.cell)]);
      text += ',';
      if (hit.look >= 0) {
        text += scene.looks[static_cast<std::size_t>(hit.look)].region;
        text += ',';
        platform::AppendShortest(text, hit.distance);
      } else {
        text += ',';
      }
      text += '\n';
    }
  }
  return text;
}

}  // namespace tessarin::cli

#include "preview/slice_picture.h"

#include <algorithm>

#include "render/region_rows.h"

namespace tessarin::preview {

namespace {

Rgb RowColour(const settings::VIEWPARM& set, std::size_t row) {
  const settings::REGIONDATA data = settings::RowOrPalette(set.rows, row);
  return {data.color.red, data.color.green, data.color.blue};
}

bool IsVoid(const input::GeometryModel& model, int material) {
  return model.materials.materialId[static_cast<std::size_t>(material)] <= 0;
}

}  // namespace

std::vector<LegendEntry> SliceLegend(const input::GeometryModel& model, const settings::VIEWPARM& set) {
  std::vector<LegendEntry> legend;
  const std::vector<int> used = render::UsedMaterials(model);
  for (std::size_t row = 0; row < used.size(); ++row) {
    const bool isVoid = IsVoid(model, used[row]);
    legend.push_back({render::RegionRowName(model.materials, used[row]), isVoid ? kVoidColour : RowColour(set, row),
                      isVoid});
  }
  return legend;
}

std::vector<Rgb> CellColours(const input::GeometryModel& model, const settings::VIEWPARM& set) {
  const std::vector<int> used = render::UsedMaterials(model);
  std::vector<Rgb> colours(model.cells.size(), kVoidColour);
  for (std::size_t i = 0; i < model.cells.size(); ++i) {
    const int material = model.cells[i].material;
    if (material < 0 || material >= model.materials.Count() || IsVoid(model, material)) continue;
    const auto row = std::find(used.begin(), used.end(), material);
    if (row != used.end()) colours[i] = RowColour(set, static_cast<std::size_t>(row - used.begin()));
  }
  return colours;
}

RgbImage PaintSlice(const SliceCells& cells, const std::vector<Rgb>& cellColours) {
  RgbImage image;
  image.width = cells.wide;
  image.height = cells.high;
  image.pixels.resize(3 * cells.pixels.size());
  const std::vector<bool> enclosed = EnclosedEmptyPixels(cells);
  // A cell's edge is drawn on its own side, where the right or lower
  // neighbour belongs to something else: lines one pixel thin.
  auto differs = [&](const PixelCells& here, int column, int row) {
    if (column >= cells.wide || row >= cells.high) return false;
    const PixelCells& there = cells.At(column, row);
    if (here.kind == PixelKind::NoCell) return there.kind == PixelKind::Cell || there.kind == PixelKind::Overlap;
    return there.kind != here.kind || there.cell != here.cell;
  };
  for (int row = 0; row < cells.high; ++row) {
    for (int column = 0; column < cells.wide; ++column) {
      const std::size_t k = static_cast<std::size_t>(row) * static_cast<std::size_t>(cells.wide) +
                            static_cast<std::size_t>(column);
      const PixelCells& pixel = cells.pixels[k];
      Rgb colour = kOutsideColour;
      switch (pixel.kind) {
        case PixelKind::Cell:
          colour = differs(pixel, column + 1, row) || differs(pixel, column, row + 1)
                       ? kBoundaryColour
                       : (static_cast<std::size_t>(pixel.cell) < cellColours.size()
                              ? cellColours[static_cast<std::size_t>(pixel.cell)]
                              : kVoidColour);
          break;
        case PixelKind::Boundary: colour = kBoundaryColour; break;
        case PixelKind::Overlap: colour = ((column + row) / 4) % 2 ? kOverlapStripeColour : kOverlapColour; break;
        case PixelKind::NoCell:
          // The outline of the cells above and left of an empty pixel is drawn on it.
          colour = differs(pixel, column + 1, row) || differs(pixel, column, row + 1)
                       ? kBoundaryColour
                       : (enclosed[k] ? kGapColour : kOutsideColour);
          break;
      }
      std::copy(colour.begin(), colour.end(), image.pixels.begin() + static_cast<std::ptrdiff_t>(3 * k));
    }
  }
  return image;
}

}  // namespace tessarin::preview

#include "input/model_dump_cells.h"

#include <ostream>
#include <string>

#include "input/model_dump_names.h"

namespace tessarin::input {

using dump::Number;
using dump::Vector;

void DumpCellDetails(const GeometryModel& model, std::size_t index, std::ostream& out) {
  const CellRecord& cell = model.cells[index];
  for (std::size_t k = 0; k < cell.surfaces.size(); ++k)
    out << "  bound " << k + 1 << " surface=" << dump::SurfaceName(model, cell.surfaces[k])
        << " sense=" << (cell.senses[k] > 0 ? "+1" : "-1") << " originMacrobody=" << cell.originMacrobody[k]
        << " originFacet=" << cell.originFacet[k] << "\n";
  if (!cell.complementCells.empty()) {
    out << "  complements=";
    for (std::size_t k = 0; k < cell.complementCells.size(); ++k)
      out << (k ? "," : "") << dump::CellName(model, cell.complementCells[k]);
    out << "\n";
  }
  out << "  options cutoffElectron=" << Number(cell.cutoffElectron) << " cutoffPhoton=" << Number(cell.cutoffPhoton)
      << " force=" << static_cast<int>(cell.force) << "\n";
  if (cell.copyRoot < 0 || index >= model.cellTransforms.size()) return;
  const TransformRecord& transform = model.cellTransforms[index];
  out << "  copy root=" << dump::CellName(model, cell.copyRoot) << " origin=" << Vector(transform.origin) << " matrix=";
  for (std::size_t k = 0; k < transform.matrix.size(); ++k) out << (k ? "," : "") << Number(transform.matrix[k]);
  out << "\n";
}

void DumpSourceDetails(const SourceSpec& source, std::ostream& out) {
  out << "source plane normal=" << Vector(source.planeNormal) << " uniformRadius=" << Number(source.uniformRadius)
      << " gaussianWidth=" << Number(source.gaussianWidth) << " cosConeAngle=" << Number(source.cosConeAngle) << "\n";
}

}  // namespace tessarin::input

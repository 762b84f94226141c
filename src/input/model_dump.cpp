#include "input/model_dump.h"

#include <ostream>
#include <string>

#include "input/macrobody_kinds.h"
#include "input/model_dump_cells.h"
#include "input/model_dump_names.h"

namespace tessarin::input {
namespace {

using dump::Number;
using dump::Vector;

template <typename Values, typename Format>
std::string List(const Values& values, Format format) {
  std::string text;
  for (const auto& value : values) {
    if (!text.empty()) text += ",";
    text += format(value);
  }
  return text;
}

std::string Sense(int sense) { return sense > 0 ? "+1" : "-1"; }

const char* SurfaceKindName(SurfaceKind kind) {
  switch (kind) {
    case SurfaceKind::Plane: return "plane";
    case SurfaceKind::Sphere: return "sphere";
    case SurfaceKind::Cylinder: return "cylinder";
    case SurfaceKind::Cone: return "cone";
  }
  return "?";
}

const char* MacrobodyKindName(MacrobodyKind kind) { return WordsOf(kind).keyword; }

void DumpSurface(std::ostream& out, const GeometryModel& model, std::size_t index) {
  const SurfaceRecord& s = model.surfaces[index];
  out << dump::SurfaceName(model, index) << " kind=" << SurfaceKindName(s.kind) << " useCount=" << s.useCount
      << " point=" << Vector(s.point);
  if (s.kind != SurfaceKind::Sphere) out << " direction=" << Vector(s.direction);
  if (s.kind == SurfaceKind::Plane) out << " planeConstant=" << Number(s.planeConstant);
  if (s.kind == SurfaceKind::Sphere || s.kind == SurfaceKind::Cylinder) out << " radius=" << Number(s.radius);
  if (s.kind == SurfaceKind::Cone)
    out << " halfAngle=" << Number(s.halfAngle) << " sin=" << Number(s.sinHalfAngle)
        << " cos=" << Number(s.cosHalfAngle) << " tan=" << Number(s.tanHalfAngle);
  out << "\n";
}

void DumpMacrobody(std::ostream& out, const GeometryModel& model, std::size_t index) {
  const MacrobodyRecord& m = model.macrobodies[index];
  std::string root = m.copyRoot < 0 ? "none" : dump::MacrobodyName(model, static_cast<std::size_t>(m.copyRoot));
  out << dump::MacrobodyName(model, index) << " kind=" << MacrobodyKindName(m.kind) << " copyRoot=" << root
      << " facets=" << m.facetCount() << "\n";
  for (std::size_t k = 0; k < m.facetSurfaces.size(); ++k) {
    out << "  facet " << k + 1 << " surface=" << dump::SurfaceName(model, m.facetSurfaces[k])
        << " sense=" << Sense(m.facetSenses[k])
        << " originMacrobody=" << (k < m.originMacrobody.size() ? m.originMacrobody[k] : 0)
        << " originFacet=" << (k < m.originFacet.size() ? m.originFacet[k] : 0) << "\n";
  }
  if (!m.parameters.empty()) out << "  parameters=" << List(m.parameters, Number) << "\n";
}

void DumpCell(std::ostream& out, const GeometryModel& model, std::size_t index) {
  const CellRecord& c = model.cells[index];
  out << dump::CellName(model, static_cast<std::int32_t>(index))
      << " material=" << dump::MaterialName(model, c.material) << " concentration=" << Number(c.concentration)
      << " surfaces=" << List(c.surfaces, [&model](std::uint16_t s) { return dump::SurfaceName(model, s); })
      << " senses=" << List(c.senses, [](std::int8_t s) { return Sense(s); })
      << " enclosingCell=" << dump::CellName(model, c.enclosingCell)
      << " union=" << dump::UnionName(model, c.unionIndex) << "\n";
}

}  // namespace

void DumpGeometryModel(const GeometryModel& model, std::ostream& out) {
  const PrecisionSettings& p = model.precision;
  out << "precision distance=" << Number(p.distancePrecision) << " angle=" << Number(p.anglePrecision)
      << " maxDistanceRatio=" << Number(p.maxDistanceRatio) << "\n";
  out << "mode " << model.GeometryMode << "\n";
  out << "loaded " << (model.loaded ? 1 : 0) << "\n";
  for (int i = 0; i < model.materials.Count(); ++i)
    out << dump::MaterialName(model, i) << " name=\"" << model.materials.materialName[static_cast<std::size_t>(i)]
        << "\"\n";
  for (std::size_t i = 0; i < model.surfaces.size(); ++i) DumpSurface(out, model, i);
  for (std::size_t i = 0; i < model.macrobodies.size(); ++i) DumpMacrobody(out, model, i);
  for (const TransformRecord& t : model.transformations)
    out << "TR" << t.id << " origin=" << Vector(t.origin) << " matrix=" << List(t.matrix, Number) << "\n";
  for (std::size_t i = 0; i < model.cells.size(); ++i) {
    DumpCell(out, model, i);
    DumpCellDetails(model, i, out);
  }
  for (std::size_t i = 0; i < model.unions.size(); ++i)
    out << dump::UnionName(model, static_cast<std::int32_t>(i)) << " cells="
        << List(model.unions[i].cells, [&model](std::int16_t c) { return dump::CellName(model, c); }) << "\n";
  if (model.loaded) {
    const SourceSpec& s = model.source;
    out << "source position=" << s.positionType << " direction=" << s.directionType
        << " beamStart=" << Vector(s.beamStart) << " beamDirection=" << Vector(s.direction)
        << " centre=" << Vector(s.centre) << " sourceCell=" << dump::CellName(model, s.sourceCell) << "\n";
    DumpSourceDetails(s, out);
  }
}

}  // namespace tessarin::input

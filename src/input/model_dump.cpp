#include "input/model_dump.h"

#include <ostream>
#include <string>

#include "input/model_dump_cells.h"
#include "platform/format_text.h"

namespace tessarin::input {
namespace {

// Negative zero prints as 0 so that equal models give equal dumps.
std::string Number(double value) { return platform::FormatText("%.17g", value == 0 ? 0.0 : value); }

std::string Vector(const Vec3& v) { return Number(v.x) + "," + Number(v.y) + "," + Number(v.z); }

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

const char* MacrobodyKindName(MacrobodyKind kind) {
  switch (kind) {
    case MacrobodyKind::General: return "MB";
    case MacrobodyKind::RCC: return "RCC";
    case MacrobodyKind::TRC: return "TRC";
    case MacrobodyKind::BOX: return "BOX";
    case MacrobodyKind::RPP: return "RPP";
    case MacrobodyKind::RHP: return "RHP";
    case MacrobodyKind::WED: return "WED";
    case MacrobodyKind::ARB4: return "ARB4";
    case MacrobodyKind::ARB: return "ARB";
  }
  return "?";
}

void DumpSurface(std::ostream& out, std::size_t index, const SurfaceRecord& s) {
  out << "surface " << index << " kind=" << SurfaceKindName(s.kind) << " facetNumber=" << s.facetNumber
      << " owner=" << s.owner << " useCount=" << s.useCount << " point=" << Vector(s.point);
  if (s.kind != SurfaceKind::Sphere) out << " direction=" << Vector(s.direction);
  if (s.kind == SurfaceKind::Plane) out << " planeConstant=" << Number(s.planeConstant);
  if (s.kind == SurfaceKind::Sphere || s.kind == SurfaceKind::Cylinder) out << " radius=" << Number(s.radius);
  if (s.kind == SurfaceKind::Cone)
    out << " halfAngle=" << Number(s.halfAngle) << " sin=" << Number(s.sinHalfAngle)
        << " cos=" << Number(s.cosHalfAngle) << " tan=" << Number(s.tanHalfAngle);
  out << "\n";
}

void DumpMacrobody(std::ostream& out, std::size_t index, const MacrobodyRecord& m) {
  out << "macrobody " << index << " id=" << m.id << " kind=" << MacrobodyKindName(m.kind) << " copyRoot=" << m.copyRoot
      << " facets=" << m.facetCount() << "\n";
  for (std::size_t k = 0; k < m.facetSurfaces.size(); ++k) {
    out << "  facet " << k + 1 << " surface=" << m.facetSurfaces[k] << " sense=" << Sense(m.facetSenses[k])
        << " originMacrobody=" << (k < m.originMacrobody.size() ? m.originMacrobody[k] : 0)
        << " originFacet=" << (k < m.originFacet.size() ? m.originFacet[k] : 0) << "\n";
  }
  if (!m.parameters.empty()) out << "  parameters=" << List(m.parameters, Number) << "\n";
}

void DumpCell(std::ostream& out, std::size_t index, const CellRecord& c) {
  auto integer = [](auto value) { return std::to_string(value); };
  out << "cell " << index << " id=" << c.id << " material=" << c.material
      << " concentration=" << Number(c.concentration) << " surfaces=" << List(c.surfaces, integer)
      << " senses=" << List(c.senses, [](std::int8_t s) { return Sense(s); })
      << " enclosingCell=" << c.enclosingCell << " unionIndex=" << c.unionIndex << "\n";
}

}  // namespace

void DumpGeometryModel(const GeometryModel& model, std::ostream& out) {
  const PrecisionSettings& p = model.precision;
  out << "precision distance=" << Number(p.distancePrecision) << " angle=" << Number(p.anglePrecision)
      << " maxDistanceRatio=" << Number(p.maxDistanceRatio) << "\n";
  out << "mode " << model.GeometryMode << "\n";
  out << "loaded " << (model.loaded ? 1 : 0) << "\n";
  for (int i = 0; i < model.materials.Count(); ++i)
    out << "material " << i << " id=" << model.materials.materialId[static_cast<std::size_t>(i)] << " name=\""
        << model.materials.materialName[static_cast<std::size_t>(i)] << "\"\n";
  for (std::size_t i = 0; i < model.surfaces.size(); ++i) DumpSurface(out, i, model.surfaces[i]);
  for (std::size_t i = 0; i < model.macrobodies.size(); ++i) DumpMacrobody(out, i, model.macrobodies[i]);
  for (std::size_t i = 0; i < model.transformations.size(); ++i) {
    const TransformRecord& t = model.transformations[i];
    out << "transformation " << i << " id=" << t.id << " origin=" << Vector(t.origin)
        << " matrix=" << List(t.matrix, Number) << "\n";
  }
  for (std::size_t i = 0; i < model.cells.size(); ++i) {
    DumpCell(out, i, model.cells[i]);
    DumpCellDetails(model, i, out);
  }
  for (std::size_t i = 0; i < model.unions.size(); ++i)
    out << "union " << i << " id=" << model.unions[i].id
        << " cells=" << List(model.unions[i].cells, [](std::int16_t c) { return std::to_string(c); }) << "\n";
  if (model.loaded) {
    const SourceSpec& s = model.source;
    out << "source position=" << s.positionType << " direction=" << s.directionType
        << " beamStart=" << Vector(s.beamStart) << " beamDirection=" << Vector(s.direction)
        << " centre=" << Vector(s.centre) << " sourceCell=" << s.sourceCell << "\n";
    DumpSourceDetails(s, out);
  }
}

}  // namespace tessarin::input

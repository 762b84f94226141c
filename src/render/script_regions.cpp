#include "render/script_regions.h"

#include <string>
#include <vector>

#include "platform/format_text.h"
#include "render/mged_units.h"
#include "render/region_rows.h"
#include "settings/regiondata.h"

namespace tessarin::render {

using input::Vec3;

namespace {

// Cells per material index, in cell order.
std::vector<std::vector<int>> CellsByMaterial(const input::GeometryModel& model) {
  std::vector<std::vector<int>> cells(static_cast<std::size_t>(model.materials.Count()));
  for (const input::CellRecord& cell : model.cells)
    if (cell.material >= 0 && cell.material < model.materials.Count())
      cells[static_cast<std::size_t>(cell.material)].push_back(cell.id);
  return cells;
}

}  // namespace

std::vector<std::string> RegionNames(const input::GeometryModel& model, bool withSource) {
  std::vector<std::string> names;
  const std::vector<std::vector<int>> cells = CellsByMaterial(model);
  for (int m = 0; m < model.materials.Count(); ++m)
    if (!cells[static_cast<std::size_t>(m)].empty())
      names.push_back(MaterialRegionName(model.materials.materialId[static_cast<std::size_t>(m)]));
  if (withSource) names.push_back("M_source");
  return names;
}

void WriteRegions(ScriptScene& scene, bool sourceWritten) {
  const input::GeometryModel& model = scene.model;
  const std::vector<std::vector<int>> cells = CellsByMaterial(model);
  for (int m = 0; m < model.materials.Count(); ++m) {
    const std::vector<int>& members = cells[static_cast<std::size_t>(m)];
    if (members.empty()) continue;
    scene.text += "r " + MaterialRegionName(model.materials.materialId[static_cast<std::size_t>(m)]);
    for (int id : members) scene.Append(" u C%d", id);
    scene.text += "\n";
  }
  if (sourceWritten) scene.text += "r M_source u S_source\n";
}

void WriteViewAndRaytrace(ScriptScene& scene, bool sourceWritten, const platform::Rgb& buttonFace) {
  const settings::VIEWPARM& set = scene.set;
  if (set.raytraceInLingeringWindow) scene.Append("\nexec fbserv %d /dev/X &\n", set.portNum);
  scene.text += "Z\n";
  const std::vector<std::string> names = RegionNames(scene.model, sourceWritten);
  for (std::size_t k = 0; k < names.size(); ++k) {
    const settings::REGIONDATA row = settings::RowOrPalette(scene.set.rows, k);
    scene.Append("mater %s \"plastic {tr %g re %g}\" %d %d %d 0\n", names[k].c_str(), row.transparency,
                 row.reflectivity, row.color.red, row.color.green, row.color.blue);
  }
  scene.text += "draw";
  for (std::size_t k = 0; k < names.size(); ++k)
    if (settings::RowOrPalette(scene.set.rows, k).show) scene.text += " " + names[k];
  scene.text += "\n";

  const Vec3 center = scene.Scaled(scene.viewCenter);
  scene.Append("\nae %g %g %g\n", set.azimuth, set.elevation, set.twist);
  scene.Append("set perspective %g\n", set.perspective);
  scene.Append("view center %g %g %g\n", center.x, center.y, center.z);
  scene.Append("view size %g\n", scene.scale * set.viewSize);

  const MgedUnit& unit = kMgedUnits[static_cast<std::size_t>(scene.unitRow)];
  const bool converted = unit.size != 1;
  if (converted) {
    // Tcl turns each backslash-n into a line break.
    const std::string stars(66, '*');
    scene.Append("puts \" \\n%s\\nCoordinate conversion: 1 MGED centimeter = %s = %g cm.\\n%s\\n \"\n", stars.c_str(),
                 unit.name, unit.size, stars.c_str());
  }
  const settings::ColorEntry& background = set.backgroundColorRGB;
  if (set.raytraceInLingeringWindow) {
    if (converted) scene.text += "after 2000 ";
    scene.Append("rt -F:%d -R -s 512 -C%d/%d/%d\n", set.portNum, background.red, background.green, background.blue);
  }
  if (set.raytraceInGraphicsWindow) {
    scene.text += "set width_height [dm size]\n";
    scene.text += "set width [lindex $width_height 0]\n";
    scene.text += "set height [lindex $width_height 1]\n";
    scene.text += "set ratio [expr 1.0 * $width / $height]\n";
    if (converted) scene.text += "after 2000 ";
    scene.Append("rt -F5559 -R -w $width -n $height -V $ratio -C%d/%d/%d -P16 -H0 -J0 -l0\n", background.red,
                 background.green, background.blue);
  }
  if (!set.showWireframe) scene.text += "Z\n";

  const input::SourceSpec& source = scene.model.source;
  const settings::ColorEntry& axis = set.beamAxisColorRGB;
  const bool axisShown = !(axis.red == buttonFace.red && axis.green == buttonFace.green && axis.blue == buttonFace.blue);
  if (source.positionType < 3 && source.directionType < 3 && axisShown) {
    const Vec3 start = scene.Scaled(source.centre);
    const Vec3 direction = Norm(source.direction) > 0 ? Unit(source.direction) : Vec3{0, 0, 1};
    const Vec3 end = start + (2 * scene.scale * scene.worldSize) * direction;
    scene.text += "\nvdraw open beamAxis\n";
    scene.Append("vdraw params color %02x%02x%02x\n", axis.red, axis.green, axis.blue);
    scene.Append("vdraw write next 0 %.14g %.14g %.14g\n", 10 * start.x, 10 * start.y, 10 * start.z);
    scene.Append("vdraw write next 1 %.14g %.14g %.14g\n", 10 * end.x, 10 * end.y, 10 * end.z);
    scene.text += "vdraw send\n";
  }
}

}  // namespace tessarin::render

#pragma once
// The regions of the script, one per used material (and the source), and
// what the script does with them: the "r" lines, colours and optical
// properties from the set's region rows, the draw list, the view, the
// unit banner, the raytrace commands and the beam axis.

#include "platform/host.h"
#include "render/script_scene.h"

namespace tessarin::render {

// The "r" lines; sourceWritten: the source sphere exists.
void WriteRegions(ScriptScene& scene, bool sourceWritten);

// Items from "Z" after the regions to the beam axis. `buttonFace` is the
// colour that means "no beam axis".
void WriteViewAndRaytrace(ScriptScene& scene, bool sourceWritten, const platform::Rgb& buttonFace);

// The region names in row order: "M<id>", "V<-id>" for void materials, then
// "M_source" when the source sphere is drawn.
std::vector<std::string> RegionNames(const input::GeometryModel& model, bool withSource);

}  // namespace tessarin::render

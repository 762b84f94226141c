#pragma once
// The parts of the model dump that describe cells in full and the source
// settings beyond its position and direction (see model_dump.h):
//
//     bound K surface=S<n> sense=+1|-1 originMacrobody=M originFacet=F
//     complements=C<n>,...                     (only when the cell has any)
//     options cutoffElectron=E cutoffPhoton=P force=F
//     copy root=C<n> origin=x,y,z matrix=m11,...,m33   (only for transformed copies)
//   source plane normal=x,y,z uniformRadius=R gaussianWidth=W cosConeAngle=C

#include <cstddef>
#include <iosfwd>

#include "input/geometry_model.h"

namespace tessarin::input {

// The indented lines that follow the "cell" line of cell `index`.
void DumpCellDetails(const GeometryModel& model, std::size_t index, std::ostream& out);

void DumpSourceDetails(const SourceSpec& source, std::ostream& out);

}  // namespace tessarin::input

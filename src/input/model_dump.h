#pragma once
// A stable text form of the geometry model, for tests and for people who
// want to see what a read understood. One record per line, named as the
// input file names it (see model_dump_names.h), fields as name=value,
// numbers in their shortest exact form, vectors as x,y,z, lists
// comma-separated:
//
//   precision distance=D angle=A maxDistanceRatio=R
//   mode M
//   loaded 0|1
//   M<n> name="..."
//   S<n>|S<n>.<k>|#<i> kind=plane|sphere|cylinder|cone useCount=U point=x,y,z
//           [direction=x,y,z] [planeConstant=C] [radius=R] [halfAngle=T sin=S cos=C tan=T]
//   S<n> kind=RCC|TRC|BOX|RPP|RHP|WED|ARB4|ARB|MB copyRoot=S<n>|none facets=F
//     facet K surface=S<n>.<k> sense=+1|-1 originMacrobody=M originFacet=F
//     parameters=p1,p2,...            (only when the body has parameters)
//   TR<n> origin=x,y,z matrix=m11,m12,m13,m21,...,m33
//   C<n> material=M<n> concentration=C surfaces=S<n>,... senses=s1,... enclosingCell=C<n>|none
//        union=UNION<n>|none
//   UNION<n> cells=C<n>,...
//   source position=P direction=D beamStart=x,y,z beamDirection=x,y,z centre=x,y,z sourceCell=C<n>|none
//
// Surface and cell lines continue on the same line (the wrap above is only
// for reading). Tables are printed in index order, each line ending with "\n".

#include <iosfwd>

#include "input/geometry_model.h"

namespace tessarin::input {

void DumpGeometryModel(const GeometryModel& model, std::ostream& out);

}  // namespace tessarin::input

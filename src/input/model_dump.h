#pragma once
// A stable text form of the geometry model, for tests and for people who
// want to see what a read understood. One record per line, fields as
// name=value, numbers with "%.17g", vectors as x,y,z, lists comma-separated:
//
//   precision distance=D angle=A maxDistanceRatio=R
//   mode M
//   loaded 0|1
//   material I id=N name="..."
//   surface I kind=plane|sphere|cylinder|cone facetNumber=N owner=O useCount=U point=x,y,z
//           [direction=x,y,z] [planeConstant=C] [radius=R] [halfAngle=T sin=S cos=C tan=T]
//   macrobody I id=N kind=RCC|TRC|BOX|RPP|RHP|WED|ARB4|ARB|MB copyRoot=R facets=F
//     facet K surface=I sense=+1|-1 originMacrobody=M originFacet=F
//     parameters=p1,p2,...            (only when the body has parameters)
//   transformation I id=N origin=x,y,z matrix=m11,m12,m13,m21,...,m33
//   cell I id=N material=M concentration=C surfaces=i1,... senses=s1,... enclosingCell=E unionIndex=U
//   union I id=N cells=c1,...
//   source position=P direction=D beamStart=x,y,z beamDirection=x,y,z centre=x,y,z sourceCell=C
//
// "surface" lines continue on the same line (the wrap above is only for
// reading). Tables are printed in index order, each line ending with "\n".

#include <iosfwd>

#include "input/geometry_model.h"

namespace tessarin::input {

void DumpGeometryModel(const GeometryModel& model, std::ostream& out);

}  // namespace tessarin::input

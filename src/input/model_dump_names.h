#pragma once
// How the model dump names things and writes numbers: as the input file
// names them (M1, S5, S5.2 for facet 2 of macrobody S5, C3, UNION1, TR2) and
// in the shortest form that reads back to the same double.

#include <cstddef>
#include <string>

#include "input/geometry_model.h"

namespace tessarin::input::dump {

// Shortest round-trip form, locale independent; negative zero as 0 so that
// equal models give equal dumps.
std::string Number(double value);
std::string Vector(const Vec3& v);

std::string MaterialName(const GeometryModel& model, std::int32_t index);
// A surface of the file "S<n>", a macrobody facet "S<n>.<k>", a surface the
// reader made while copying "#<index>" (it has no name in the file).
std::string SurfaceName(const GeometryModel& model, std::size_t index);
std::string MacrobodyName(const GeometryModel& model, std::size_t index);
// "none" for a negative index.
std::string CellName(const GeometryModel& model, std::int32_t index);
std::string UnionName(const GeometryModel& model, std::int32_t index);

}  // namespace tessarin::input::dump

#include "input/directive_table.h"

#include <iterator>

#include "input/cell_directive.h"
#include "input/layer_geometry.h"
#include "input/material_directive.h"
#include "input/messages.h"
#include "input/numbers.h"
#include "input/setting_directives.h"
#include "input/source_directive.h"
#include "input/surface_directive.h"
#include "input/transformation_directive.h"
#include "input/union_directive.h"
#include "platform/format_text.h"
#include "platform/text_case.h"

namespace tessarin::input {
namespace {

constexpr UserBlockKind kNoBlock = UserBlockKind::Program;

constexpr DirectiveSpec kDirectives[] = {
    {"PROGRAM", false, false, ModeRule::None, "PROGRAM", nullptr, nullptr, true, UserBlockKind::Program},
    {"PARAMETERS", false, false, ModeRule::None, "PARAMETERS", nullptr, nullptr, true, UserBlockKind::Parameters},
    {"SUBROUTINE", false, false, ModeRule::None, "SUBROUTINE", nullptr, nullptr, true, UserBlockKind::Subroutine},
    {"ARRAYS", false, false, ModeRule::None, "ARRAYS", nullptr, nullptr, true, UserBlockKind::Arrays},
    {"COMPLEX_GEOMETRY", false, true, ModeRule::None, "COMPLEX_GEOMETRY", nullptr, SetComplexGeometry, false, kNoBlock},
    {"DISTANCE_PRECISION", false, true, ModeRule::ComplexOnly, "DISTANCE_PRECISION", nullptr, SetDistancePrecision,
     true, kNoBlock},
    {"ANGLE_PRECISION", false, true, ModeRule::ComplexOnly, "ANGLE_PRECISION", nullptr, SetAnglePrecision, true,
     kNoBlock},
    {"MAXDISTANCE_RATIO", false, true, ModeRule::ComplexOnly, "MAXDISTANCE_RATIO", nullptr, SetMaxDistanceRatio, true,
     kNoBlock},
    {"M", true, false, ModeRule::ComplexOnly, "M<n>", messages::kMaterialFormat, DefineMaterial, false, kNoBlock},
    {"MAT", false, true, ModeRule::SimpleOnly, "MAT", nullptr, DefineLayerMaterial, false, kNoBlock},
    {"C", true, false, ModeRule::ComplexOnly, "C<n>", messages::kCellFormat, DefineCell, false, kNoBlock},
    {"UNION", true, false, ModeRule::ComplexOnly, "UNION", messages::kUnionFormat, DefineUnion, false, kNoBlock},
    {"S", true, false, ModeRule::ComplexOnly, "S<n>", messages::kSurfaceFormat, DefineSurface, false, kNoBlock},
    {"TR", true, false, ModeRule::ComplexOnly, "TR<n>", messages::kTransformFormat, DefineTransformation, false,
     kNoBlock},
    {"*TR", true, false, ModeRule::ComplexOnly, "TR<n>", messages::kTransformFormat, DefineTransformation, false,
     kNoBlock},
    {"Surface", false, true, ModeRule::SimpleOnly, "Surface", nullptr, DefineLayerSurface, false, kNoBlock},
    {"THICK", false, true, ModeRule::SimpleOnly, "THICK", nullptr, DefineLayerThickness, false, kNoBlock},
    {"BEAM", false, true, ModeRule::None, "BEAM", nullptr, DefineBeam, false, kNoBlock},
    {"SOURCE_POSITION", false, true, ModeRule::ComplexOnly, "SOURCE_POSITION", nullptr, DefineSourcePosition, false,
     kNoBlock},
    {"SOURCE_DIRECTION", false, true, ModeRule::ComplexOnly, "SOURCE_DIRECTION", nullptr, DefineSourceDirection, false,
     kNoBlock},
};

bool Matches(const DirectiveSpec& spec, std::string_view token) {
  if (!spec.prefixed) return platform::EqualsIgnoringCase(token, spec.keyword);
  std::string_view prefix = spec.keyword;
  return token.size() > prefix.size() && platform::StartsWithIgnoringCase(token, prefix) &&
         BeginsWithPositiveInteger(token.substr(prefix.size()));
}

}  // namespace

std::span<const DirectiveSpec> Directives() { return kDirectives; }

const DirectiveSpec* MatchDirective(std::string_view token, bool readingProgramOutput) {
  for (const DirectiveSpec& spec : kDirectives) {
    if (spec.handler == nullptr && readingProgramOutput) continue;
    if (Matches(spec, token)) return &spec;
  }
  return nullptr;
}

bool ApplyModeRule(DirectiveContext& context, const DirectiveSpec& spec) {
  std::int32_t& mode = context.model.GeometryMode;
  switch (spec.mode) {
    case ModeRule::None:
      return true;
    case ModeRule::ComplexOnly:
      if (mode == kGeometryModeSimple) return context.Fail(platform::FormatText(messages::kComplexOnly, spec.name));
      if (mode < 1) mode = 1;
      return true;
    case ModeRule::SimpleOnly:
      if (mode > 0) return context.Fail(platform::FormatText(messages::kSimpleOnly, spec.name));
      mode = kGeometryModeSimple;
      return true;
  }
  return true;
}

}  // namespace tessarin::input

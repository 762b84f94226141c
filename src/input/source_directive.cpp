#include "input/source_directive.h"

#include <cmath>
#include <optional>
#include <string>

#include "input/cell_messages.h"
#include "input/number_list.h"
#include "input/numbers.h"
#include "input/owned_token.h"
#include "input/whole_integer.h"
#include "platform/format_text.h"

namespace tessarin::input {
namespace {

constexpr double kDegree = 3.14159265358979323846 / 180;

constexpr NumberListTexts kBeamTexts{nullptr, messages::kBeamNumber, messages::kBeamTooFew};
constexpr NumberListTexts kCentreTexts{nullptr, messages::kSourceCoordinateInvalid, messages::kSourceCentreIncomplete};
constexpr NumberListTexts kNormalTexts{messages::kSourceNormalMissing, messages::kSourceNormalInvalid,
                                       messages::kSourceNormalIncomplete};
constexpr NumberListTexts kDirectionTexts{messages::kDirectionVectorMissing, messages::kDirectionVectorInvalid,
                                          messages::kDirectionVectorIncomplete};

bool IsZero(const Vec3& v) { return v.x == 0 && v.y == 0 && v.z == 0; }

struct SourceTypeTexts {
  const char* repeated;
  const char* missing;
  const char* invalid;
};

constexpr SourceTypeTexts kPositionTypeTexts{messages::kPositionRepeated, messages::kPositionTypeMissing,
                                             messages::kPositionTypeInvalid};
constexpr SourceTypeTexts kDirectionTypeTexts{messages::kDirectionRepeated, messages::kDirectionTypeMissing,
                                              messages::kDirectionTypeInvalid};

// A source type 1 to 3, once per file; false after the message.
bool ReadSourceType(DirectiveContext& context, bool alreadyGiven, const SourceTypeTexts& texts, std::int32_t& type) {
  if (alreadyGiven) return context.Fail(texts.repeated);
  std::optional<std::string> token = NextOwnedToken(context.tokens);
  if (!token) return context.Fail(texts.missing);
  std::optional<std::int32_t> value = ParseWholeInteger(*token);
  if (!value || *value < 1 || *value > 3) return context.Fail(platform::FormatText(texts.invalid, token->c_str()));
  type = *value;
  return true;
}

// A number >= 0 after the entries before it.
bool ReadNonNegative(DirectiveContext& context, const char* missing, const char* invalid, double& value) {
  std::optional<std::string> token = NextOwnedToken(context.tokens);
  if (!token) return context.Fail(missing);
  std::optional<double> number = ParseCompleteNumber(*token);
  if (!number || !(*number >= 0)) return context.Fail(platform::FormatText(invalid, token->c_str()));
  value = *number;
  return true;
}

bool ReadSourceCell(DirectiveContext& context, const std::string& token) {
  GeometryModel& model = context.model;
  std::optional<std::int32_t> id = ParseWholeInteger(token);
  if (!id || *id < 1) return context.Fail(platform::FormatText(messages::kSourceCellInvalid, token.c_str()));
  int index = model.FindCell(*id);
  if (index < 0) return context.Fail(platform::FormatText(messages::kSourceCellUndefined, token.c_str()));
  std::int32_t unionIndex = model.cells[static_cast<std::size_t>(index)].unionIndex;
  if (unionIndex >= 0 && model.unions[static_cast<std::size_t>(unionIndex)].cells.front() != index)
    return context.Fail(messages::kSourceCellNotFirst);
  model.source.sourceCell = index;
  return true;
}

bool ReadPlaneDistribution(DirectiveContext& context, SourceSpec& source) {
  Vec3 normal;
  if (!ReadVector(context, std::nullopt, normal, kNormalTexts)) return false;
  if (IsZero(normal)) return context.Fail(messages::kSourceNormalZero);
  source.planeNormal = Unit(normal);
  if (!ReadNonNegative(context, messages::kSourceRadiusMissing, messages::kSourceRadiusInvalid, source.uniformRadius))
    return false;
  if (!ReadNonNegative(context, messages::kSourceWidthMissing, messages::kSourceWidthInvalid, source.gaussianWidth))
    return false;
  if (source.uniformRadius == 0 && source.gaussianWidth == 0) source.positionType = 1;
  return true;
}

}  // namespace

bool DefineBeam(DirectiveContext& context, const DirectiveCall&) {
  ReaderState& state = context.state;
  if (state.sourcePositionGiven || state.sourceDirectionGiven) return context.Fail(messages::kBeamAfterSource);
  double entries[6] = {0, 0, 0, 0, 0, 0};
  if (!ReadNumberList(context, std::nullopt, entries, 6, kBeamTexts)) return false;
  Vec3 direction{entries[3], entries[4], entries[5]};
  if (IsZero(direction)) return context.Fail(messages::kBeamZeroDirection);
  SourceSpec& source = context.model.source;
  source.beamStart = {entries[0], entries[1], entries[2]};
  source.centre = source.beamStart;
  source.direction = Unit(direction);
  source.positionType = 1;
  source.directionType = 1;
  state.sourcePositionGiven = true;
  state.sourceDirectionGiven = true;
  return true;
}

bool DefineSourcePosition(DirectiveContext& context, const DirectiveCall&) {
  std::int32_t type = 0;
  if (!ReadSourceType(context, context.state.sourcePositionGiven, kPositionTypeTexts, type)) return false;
  SourceSpec& source = context.model.source;
  std::optional<std::string> first = NextOwnedToken(context.tokens);
  if (!first) return context.Fail(messages::kPositionMissing);
  if (type == 3) {
    if (!ReadSourceCell(context, *first)) return false;
  } else {
    Vec3 centre;
    if (!ReadVector(context, std::move(first), centre, kCentreTexts)) return false;
    source.centre = centre;
  }
  source.positionType = type;
  if (type == 2 && !ReadPlaneDistribution(context, source)) return false;
  if (source.positionType == 1) source.beamStart = source.centre;
  context.state.sourcePositionGiven = true;
  return true;
}

bool DefineSourceDirection(DirectiveContext& context, const DirectiveCall&) {
  std::int32_t type = 0;
  if (!ReadSourceType(context, context.state.sourceDirectionGiven, kDirectionTypeTexts, type)) return false;
  SourceSpec& source = context.model.source;
  if (type != 3) {
    Vec3 direction;
    if (!ReadVector(context, std::nullopt, direction, kDirectionTexts)) return false;
    if (IsZero(direction)) return context.Fail(messages::kBeamZeroDirection);
    source.direction = Unit(direction);
  }
  if (type == 2) {
    std::optional<std::string> token = NextOwnedToken(context.tokens);
    if (!token) return context.Fail(messages::kConeAngleMissing);
    std::optional<double> angle = ParseCompleteNumber(*token);
    if (!angle || !(*angle > 0 && *angle < 180)) return context.Fail(platform::FormatText(messages::kConeAngleInvalid, token->c_str()));
    source.cosConeAngle = std::cos(*angle * kDegree);
  }
  source.directionType = type;
  context.state.sourceDirectionGiven = true;
  return true;
}

}  // namespace tessarin::input

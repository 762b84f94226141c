#include "input/setting_directives.h"

#include <cstdlib>
#include <optional>
#include <string>

#include "input/messages.h"
#include "input/numbers.h"
#include "platform/format_text.h"

namespace tessarin::input {
namespace {

struct PrecisionKeyword {
  const char* missing;
  const char* invalid;
  double minimum;    // exclusive when `minimumExclusive`
  bool minimumExclusive;
  double maximum;
  double PrecisionSettings::*setting;
};

bool SetPrecision(DirectiveContext& context, const PrecisionKeyword& keyword) {
  std::optional<std::string_view> token = context.tokens.NextToken();
  if (!token) return context.Fail(keyword.missing);
  std::optional<double> value = ParseLeadingNumber(*token);
  bool valid = value && (keyword.minimumExclusive ? *value > keyword.minimum : *value >= keyword.minimum) &&
               *value <= keyword.maximum;
  if (!valid) return context.Fail(platform::FormatText(keyword.invalid, std::string(*token).c_str()));
  if (context.state.pass == 0) context.model.precision.*keyword.setting = *value;
  return true;
}

constexpr double kUnbounded = 1.7976931348623157e308;

}  // namespace

bool SetComplexGeometry(DirectiveContext& context, const DirectiveCall&) {
  std::optional<std::string_view> token = context.tokens.NextToken();
  if (!token) return context.Fail(messages::kComplexSwitchMissing);
  std::int32_t value = ParseLeadingInteger(*token);
  if (value < 0) value = value == INT32_MIN ? INT32_MAX : -value;
  std::int32_t& mode = context.model.GeometryMode;
  if (value == 0) {
    if (mode > 0) return context.Fail(messages::kSimpleNotAllowed);
    mode = kGeometryModeSimple;
  } else {
    if (mode == kGeometryModeSimple) return context.Fail(messages::kComplexNotAllowed);
    mode = value;
  }
  return true;
}

bool SetDistancePrecision(DirectiveContext& context, const DirectiveCall&) {
  static const PrecisionKeyword keyword{messages::kDistancePrecisionMissing, messages::kDistancePrecisionInvalid, 0,
                                        true, kUnbounded, &PrecisionSettings::distancePrecision};
  return SetPrecision(context, keyword);
}

bool SetAnglePrecision(DirectiveContext& context, const DirectiveCall&) {
  static const PrecisionKeyword keyword{messages::kAnglePrecisionMissing, messages::kAnglePrecisionInvalid, 0, true,
                                        1e-5, &PrecisionSettings::anglePrecision};
  return SetPrecision(context, keyword);
}

bool SetMaxDistanceRatio(DirectiveContext& context, const DirectiveCall&) {
  static const PrecisionKeyword keyword{messages::kMaxDistanceRatioMissing, messages::kMaxDistanceRatioInvalid, 1e6,
                                        false, 1e24, &PrecisionSettings::maxDistanceRatio};
  return SetPrecision(context, keyword);
}

}  // namespace tessarin::input

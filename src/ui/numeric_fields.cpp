#include "ui/numeric_fields.h"

#include <optional>

#include "ui/field_numbers.h"
#include "ui/store_if_different.h"

namespace tessarin::ui {
namespace {

using settings::VIEWPARM;

struct RealRule {
  double VIEWPARM::*member;
  double minimum;
  double maximum;
};

struct IntegerRule {
  int VIEWPARM::*member;
  long long minimum;
  long long maximum;
};

std::optional<RealRule> RealRuleOf(NumberField field) {
  switch (field) {
    case NumberField::ViewSize: return RealRule{&VIEWPARM::viewSize, 5e-12, 1e300};
    case NumberField::Azimuth: return RealRule{&VIEWPARM::azimuth, -360, 360};
    case NumberField::Elevation: return RealRule{&VIEWPARM::elevation, -90, 90};
    case NumberField::Twist: return RealRule{&VIEWPARM::twist, -360, 360};
    case NumberField::Perspective: return RealRule{&VIEWPARM::perspective, 0, 90};
    case NumberField::MaximumObjectSizeRatio: return RealRule{&VIEWPARM::maximumObjectSizeRatio, 3.5, 1000};
    case NumberField::SourceSizeRatio: return RealRule{&VIEWPARM::sourceSizeRatio, 0, 0.1};
    default: return std::nullopt;
  }
}

IntegerRule IntegerRuleOf(NumberField field) {
  switch (field) {
    case NumberField::PortNumber: return {&VIEWPARM::portNum, 1, 10000};
    case NumberField::Iterations: return {&VIEWPARM::nIterations, 0, 50};
    case NumberField::VerticesTotalMax: return {&VIEWPARM::nVerticesTotalMax, 10000, 2147483647};
    case NumberField::VerticesTrackMax: return {&VIEWPARM::nVerticesTrackMax, 4, 2147483647};
    default: return {&VIEWPARM::nThreads, -1, 2048};
  }
}

// The vertex limits use -1 for "no limit", shown as an empty box.
bool IsVertexLimit(NumberField field) {
  return field == NumberField::VerticesTotalMax || field == NumberField::VerticesTrackMax;
}

}  // namespace

std::string NumberFieldText(const VIEWPARM& set, NumberField field) {
  if (auto rule = RealRuleOf(field)) return FormatG(set.*(rule->member));
  int value = set.*(IntegerRuleOf(field).member);
  if (IsVertexLimit(field) && value == -1) return {};
  return FormatInt(value);
}

bool CommitNumberField(VIEWPARM& set, NumberField field, std::string_view text) {
  if (auto rule = RealRuleOf(field)) {
    std::optional<double> value = ParseReal(text);
    if (!value || *value < rule->minimum || *value > rule->maximum) return false;
    return StoreIfDifferent(set.*(rule->member), *value);
  }
  IntegerRule rule = IntegerRuleOf(field);
  if (IsVertexLimit(field) && IsBlank(text)) return StoreIfDifferent(set.*(rule.member), -1);
  std::optional<long long> value = ParseInteger(text);
  if (!value) return false;
  bool noLimit = IsVertexLimit(field) && *value == -1;
  if (!noLimit && (*value < rule.minimum || *value > rule.maximum)) return false;
  return StoreIfDifferent(set.*(rule.member), static_cast<int>(*value));
}

}  // namespace tessarin::ui

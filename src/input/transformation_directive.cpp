#include "input/transformation_directive.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "input/messages.h"
#include "input/numbers.h"
#include "input/transformation.h"
#include "platform/format_text.h"
#include "platform/text_case.h"

namespace tessarin::input {
namespace {

constexpr double kDegree = 3.14159265358979323846 / 180;
constexpr int kMaxTransformEntries = 9;

Vec3 FromAzimuthElevation(double azimuthDegrees, double elevationDegrees) {
  double azimuth = azimuthDegrees * kDegree;
  double elevation = elevationDegrees * kDegree;
  return {std::cos(elevation) * std::cos(azimuth), std::cos(elevation) * std::sin(azimuth), std::sin(elevation)};
}

class TransformationDefinition {
 public:
  TransformationDefinition(DirectiveContext& context, const DirectiveCall& call)
      : context_(context), id_(call.identifier), starred_(call.starred) {}
  bool Run();

 private:
  bool Fail(const std::string& text) { return context_.Fail(text); }
  bool ReadPrimary(std::string_view token);
  bool ReadEntries(std::optional<std::string_view> token);
  bool Axis(std::size_t first, bool angles, int number, Vec3& axis);
  bool AxisFromComponents(std::size_t first, int number, Vec3& axis);
  bool CheckAxisLength(Vec3& axis, int number, bool fromAngles);
  Vec3 DerivedY(const Vec3& x) const;

  DirectiveContext& context_;
  std::int32_t id_;
  bool starred_;
  const TransformRecord* primary_ = nullptr;
  std::vector<double> entries_;
};

bool TransformationDefinition::Run() {
  GeometryModel& model = context_.model;
  if (model.FindTransformation(id_) >= 0) return Fail(platform::FormatText(messages::kTransformDuplicate, id_));
  std::optional<std::string_view> token = context_.tokens.NextToken();
  if (!token) return Fail(messages::kTransformMissing);
  if (static_cast<int>(model.transformations.size()) >= kMaxTransformations)
    return Fail(platform::FormatText(messages::kTransformLimit, kMaxTransformations));
  if (platform::StartsWithIgnoringCase(*token, "TR") && token->size() > 2 && BeginsWithPositiveInteger(token->substr(2))) {
    if (!ReadPrimary(*token)) return false;
    token = context_.tokens.NextToken();
    if (!token) return Fail(messages::kTransformMissing);
  }
  if (!ReadEntries(token)) return false;

  TransformRecord record;
  record.id = id_;
  record.origin = {entries_[0], entries_[1], entries_[2]};
  std::size_t count = entries_.size();
  if (count != 3) {
    Vec3 x;
    Vec3 y;
    bool xFromAngles = count == 5 || count == 7 || count == 8;
    if (!Axis(3, xFromAngles, 1, x)) return false;
    std::size_t yFirst = xFromAngles ? 5 : 6;
    if (count == 5 || count == 6) {
      y = DerivedY(x);
    } else if (!Axis(yFirst, count == 7, 2, y)) {
      return false;
    }
    Vec3 z = Cross(x, y);
    if (Norm(z) <= context_.A()) return Fail(platform::FormatText(messages::kTransformCollinear, id_));
    z = Unit(z);
    if (std::fabs(Dot(x, y)) > context_.A()) {
      context_.Warn(platform::FormatText(messages::kTransformNotOrthogonal, id_));
      y = Unit(Cross(z, x));
    }
    record.matrix = {x.x, y.x, z.x, x.y, y.y, z.y, x.z, y.z, z.z};
  }
  if (primary_ != nullptr) record = ComposeTransformations(*primary_, record);
  record.id = id_;
  model.transformations.push_back(record);
  return true;
}

bool TransformationDefinition::ReadPrimary(std::string_view token) {
  std::optional<std::int32_t> primaryId = ParseIdentifier(token.substr(2));
  if (!primaryId) return Fail(platform::FormatText(messages::kPrimaryTransformFormat, id_));
  int index = context_.model.FindTransformation(*primaryId);
  if (index < 0) return Fail(platform::FormatText(messages::kPrimaryTransformUnknown, std::string(token).c_str(), id_));
  primary_ = &context_.model.transformations[static_cast<std::size_t>(index)];
  return true;
}

bool TransformationDefinition::ReadEntries(std::optional<std::string_view> token) {
  for (; token; token = context_.tokens.NextToken()) {
    if (entries_.size() == kMaxTransformEntries)
      return Fail(platform::FormatText(messages::kTransformEntryCount, id_, kMaxTransformEntries));
    std::optional<double> value = ParseCompleteNumber(*token);
    if (!value) return Fail(platform::FormatText(messages::kTransformNumberFormat, id_, std::string(*token).c_str()));
    entries_.push_back(*value);
  }
  std::size_t count = entries_.size();
  if (count < 3 || count == 4) return Fail(platform::FormatText(messages::kTransformEntryCount, id_, kMaxTransformEntries));
  return true;
}

bool TransformationDefinition::Axis(std::size_t first, bool angles, int number, Vec3& axis) {
  if (!angles) return AxisFromComponents(first, number, axis);
  double azimuth = entries_[first];
  double elevation = entries_[first + 1];
  if (number == 1 && !(azimuth >= -720 && azimuth <= 720))
    return Fail(platform::FormatText(messages::kTransformAzimuth, id_, azimuth));
  if (!(elevation >= -90 && elevation <= 90)) return Fail(platform::FormatText(messages::kTransformElevation, id_, elevation));
  axis = FromAzimuthElevation(azimuth, elevation);
  return CheckAxisLength(axis, number, true);
}

bool TransformationDefinition::AxisFromComponents(std::size_t first, int number, Vec3& axis) {
  double component[3];
  for (std::size_t k = 0; k < 3; ++k) {
    double value = entries_[first + k];
    if (starred_) {
      if (!(value >= -720 && value <= 720)) return Fail(platform::FormatText(messages::kTransformAngle, id_, value));
      value = std::cos(value * kDegree);
    }
    component[k] = value;
  }
  axis = {component[0], component[1], component[2]};
  return CheckAxisLength(axis, number, false);
}

bool TransformationDefinition::CheckAxisLength(Vec3& axis, int number, bool fromAngles) {
  double a = context_.A();
  if (Dot(axis, axis) <= a * a) return Fail(platform::FormatText(messages::kTransformShortVector, id_, number, a));
  if (starred_ && !fromAngles && std::fabs(Norm(axis) - 1) > a)
    return Fail(platform::FormatText(messages::kTransformNotUnitVector, id_, number));
  axis = Unit(axis);
  return true;
}

// A Y' axis orthogonal to X' when the file gives none.
Vec3 TransformationDefinition::DerivedY(const Vec3& x) const {
  double a = context_.A();
  if (std::fabs(x.z) <= a && std::fabs(x.x) <= a) return {0, 0, x.y > 0 ? 1.0 : -1.0};
  if (std::fabs(x.y) <= a) return {0, 1, 0};
  return Unit(Vec3{x.x, x.y - 1 / x.y, x.z});
}

}  // namespace

bool DefineTransformation(DirectiveContext& context, const DirectiveCall& call) {
  TransformationDefinition definition(context, call);
  return definition.Run();
}

}  // namespace tessarin::input

#include "input/surface_directive.h"

#include <array>
#include <cmath>
#include <optional>
#include <string>

#include "input/general_macrobody.h"
#include "input/macrobody_kinds.h"
#include "input/macrobody_shapes.h"
#include "input/messages.h"
#include "input/numbers.h"
#include "input/surface_coincidence.h"
#include "input/transformation.h"
#include "platform/format_text.h"
#include "platform/text_case.h"

namespace tessarin::input {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180;
constexpr int kMaxEntries = 30;

enum class RegularType { Plane, Sphere, Cylinder, Cone, None };

struct SurfaceType {
  const char* keyword;
  const char* name;  // in messages
  int minEntries;
  int maxEntries;
  RegularType regular;
  MacrobodyKind macrobody;
  int firstRadius;  // index of the first entry that is a radius, or -1
  int lastRadius;
};

// A macrobody's row: its keyword and name from the kinds' table.
constexpr SurfaceType Macrobody(MacrobodyKind kind, int entries, int firstRadius = -1, int lastRadius = -1) {
  return {WordsOf(kind).keyword, WordsOf(kind).name, entries, entries, RegularType::None, kind, firstRadius,
          lastRadius};
}

constexpr SurfaceType kSurfaceTypes[] = {
    {"P", "plane", 4, 9, RegularType::Plane, MacrobodyKind::General, -1, -1},
    {"S", "sphere", 4, 4, RegularType::Sphere, MacrobodyKind::General, 3, 3},
    {"CY", "cylinder", 7, 7, RegularType::Cylinder, MacrobodyKind::General, 6, 6},
    {"CO", "cone", 7, 7, RegularType::Cone, MacrobodyKind::General, -1, -1},
    Macrobody(MacrobodyKind::RCC, 7, 6, 6),
    Macrobody(MacrobodyKind::TRC, 8, 6, 7),
    Macrobody(MacrobodyKind::BOX, 12),
    Macrobody(MacrobodyKind::RPP, 6),
    Macrobody(MacrobodyKind::RHP, 9),
    {"HEX", WordsOf(MacrobodyKind::RHP).name, 9, 9, RegularType::None, MacrobodyKind::RHP, -1, -1},
    Macrobody(MacrobodyKind::WED, 12),
    Macrobody(MacrobodyKind::ARB4, 12),
    Macrobody(MacrobodyKind::ARB, 30),
};

const SurfaceType* FindSurfaceType(std::string_view token) {
  for (const SurfaceType& type : kSurfaceTypes)
    if (platform::EqualsIgnoringCase(token, type.keyword)) return &type;
  return nullptr;
}

class SurfaceDefinition {
 public:
  SurfaceDefinition(DirectiveContext& context, std::int32_t id) : context_(context), id_(id) {}
  bool Run();

 private:
  bool Fail(const std::string& text) { return context_.Fail(text); }
  bool ReadEntries(const SurfaceType& type);
  bool DefineRegular(const SurfaceType& type);
  bool PlaneFromThreePoints(const SurfaceType& type, SurfaceRecord& plane);
  bool DefineCopy(std::string_view originalToken);
  bool CopyGeneralMacrobody(const MacrobodyRecord& original, int originalIndex);

  DirectiveContext& context_;
  std::int32_t id_;
  const TransformRecord* transform_ = nullptr;
  std::array<double, kMaxEntries> entries_{};
  int count_ = 0;
};

bool SurfaceDefinition::Run() {
  GeometryModel& model = context_.model;
  if (model.FindRegularSurface(id_) >= 0 || model.FindMacrobody(id_) >= 0)
    return Fail(platform::FormatText(messages::kSurfaceDuplicate, id_));
  std::optional<std::string_view> token = context_.tokens.NextToken();
  if (!token) return Fail(messages::kSurfaceMissing);
  if (ParseCompleteNumber(*token)) {
    std::string text(*token);
    std::optional<std::int32_t> transformId = ParseIdentifier(*token);
    if (!transformId) return Fail(platform::FormatText(messages::kSurfaceTransformInvalid, id_, text.c_str()));
    int index = model.FindTransformation(*transformId);
    if (index < 0) return Fail(platform::FormatText(messages::kSurfaceTransformUnknown, id_, text.c_str()));
    transform_ = &model.transformations[static_cast<std::size_t>(index)];
    token = context_.tokens.NextToken();
    if (!token) return Fail(messages::kSurfaceMissing);
    if (ParseCompleteNumber(*token)) return DefineCopy(*token);
  }
  if (platform::EqualsIgnoringCase(*token, "MB")) {
    if (transform_ != nullptr) return Fail(platform::FormatText(messages::kGeneralMacrobodyTransformed, id_));
    return DefineGeneralMacrobody(context_, id_);
  }
  const SurfaceType* type = FindSurfaceType(*token);
  if (type == nullptr) return Fail(platform::FormatText(messages::kSurfaceType, id_));
  if (!ReadEntries(*type)) return false;
  if (type->regular != RegularType::None) return DefineRegular(*type);
  BuiltMacrobody built;
  ShapeInput input{type->name, id_, entries_.data(), transform_};
  if (!BuildStandardMacrobody(context_, type->macrobody, input, built)) return false;
  return StoreStandardMacrobody(context_, built, id_);
}

bool SurfaceDefinition::ReadEntries(const SurfaceType& type) {
  count_ = 0;
  while (count_ < type.maxEntries) {
    std::optional<std::string_view> token = context_.tokens.NextToken();
    if (!token) break;
    std::optional<double> value = ParseCompleteNumber(*token);
    if (!value) return Fail(platform::FormatText(messages::kEntryFormat, type.name, id_, std::string(*token).c_str()));
    if (count_ >= type.firstRadius && count_ <= type.lastRadius && type.firstRadius >= 0 && !(*value > 0))
      return Fail(platform::FormatText(messages::kRadiusNotPositive, type.name, id_, *value));
    if (type.regular == RegularType::Cone && count_ == 6) *value *= kDegree;
    entries_[static_cast<std::size_t>(count_++)] = *value;
  }
  if (count_ == type.maxEntries && context_.tokens.NextToken())
    return Fail(platform::FormatText(messages::kTooManyEntries, type.name, id_, type.maxEntries));
  if (count_ < type.minEntries) return Fail(platform::FormatText(messages::kTooFewEntries, type.name, id_, type.minEntries));
  if (type.regular == RegularType::Plane && count_ != 4 && count_ != 6 && count_ != 9)
    return Fail(platform::FormatText(messages::kPlaneEntryCount, type.name, id_));
  return true;
}

Vec3 EntryVector(const std::array<double, kMaxEntries>& entries, int first) {
  return {entries[first], entries[first + 1], entries[first + 2]};
}

bool SurfaceDefinition::PlaneFromThreePoints(const SurfaceType& type, SurfaceRecord& plane) {
  const double d = context_.D();
  const double a = context_.A();
  Vec3 points[3] = {EntryVector(entries_, 0), EntryVector(entries_, 3), EntryVector(entries_, 6)};
  for (int k = 0; k < 3; ++k) {
    int next = (k + 1) % 3;
    if (!(Norm(points[next] - points[k]) > d))
      return Fail(platform::FormatText(messages::kPointsTooClose, k + 1, next + 1, type.name, id_, d));
  }
  Vec3 normal = Cross(Unit(points[1] - points[0]), Unit(points[2] - points[1]));
  if (Norm(normal) <= a) return Fail(platform::FormatText(messages::kPointsCollinear, type.name, id_));
  normal = Unit(normal);
  // The origin goes on the negative side; a plane through the origin is
  // turned by the sign of the normal's z, then y, then x component.
  double offset = Dot(normal, points[0]);
  bool flip = false;
  if (std::fabs(offset) > d) flip = offset < 0;
  else if (std::fabs(normal.z) > a) flip = normal.z < 0;
  else if (std::fabs(normal.y) > a) flip = normal.y < 0;
  else flip = normal.x < 0;
  plane.point = points[0];
  plane.direction = flip ? -normal : normal;
  return true;
}

bool SurfaceDefinition::DefineRegular(const SurfaceType& type) {
  SurfaceRecord surface;
  bool hasDirection = false;
  switch (type.regular) {
    case RegularType::Plane:
      surface.kind = SurfaceKind::Plane;
      if (count_ == 9) {
        if (!PlaneFromThreePoints(type, surface)) return false;
      } else if (count_ == 6) {
        surface.point = EntryVector(entries_, 0);
        surface.direction = EntryVector(entries_, 3);
        hasDirection = true;
      } else {
        // A zero normal has no direction at all; refuse it like any other.
        Vec3 normal = EntryVector(entries_, 0);
        if (Norm(normal) == 0) return Fail(platform::FormatText(messages::kZeroDirection, type.name, id_));
        surface.direction = Unit(normal);
        surface.point = (entries_[3] / Norm(normal)) * surface.direction;
      }
      break;
    case RegularType::Sphere:
      surface.kind = SurfaceKind::Sphere;
      surface.point = EntryVector(entries_, 0);
      surface.radius = entries_[3];
      break;
    case RegularType::Cylinder:
    case RegularType::Cone:
      surface.kind = type.regular == RegularType::Cone ? SurfaceKind::Cone : SurfaceKind::Cylinder;
      surface.point = EntryVector(entries_, 0);
      surface.direction = EntryVector(entries_, 3);
      (type.regular == RegularType::Cone ? surface.halfAngle : surface.radius) = entries_[6];
      hasDirection = true;
      break;
    case RegularType::None:
      return false;
  }
  if (hasDirection) {
    if (Norm(surface.direction) == 0) return Fail(platform::FormatText(messages::kZeroDirection, type.name, id_));
    surface.direction = Unit(surface.direction);
  }
  if (transform_ != nullptr) {
    surface.point = TransformPoint(*transform_, surface.point);
    if (surface.kind != SurfaceKind::Sphere) surface.direction = Unit(TransformDirection(*transform_, surface.direction));
  }
  if (surface.kind == SurfaceKind::Plane) surface.planeConstant = -Dot(surface.direction, surface.point);
  if (surface.kind == SurfaceKind::Cone) {
    double a = context_.A();
    double angle = surface.halfAngle;
    if (!(angle > a && angle < kPi / 2 - a))
      return Fail(platform::FormatText(messages::kConeAngle, id_, angle / kDegree, a / kDegree, 90 - a / kDegree));
    surface.sinHalfAngle = std::sin(angle);
    surface.cosHalfAngle = std::cos(angle);
    surface.tanHalfAngle = std::tan(angle);
  }
  return StoreRegularSurface(context_, surface, id_);
}

bool SurfaceDefinition::DefineCopy(std::string_view originalToken) {
  GeometryModel& model = context_.model;
  std::optional<std::int32_t> originalId = ParseIdentifier(originalToken);
  if (!originalId)
    return Fail(platform::FormatText(messages::kCopyOriginalInvalid, id_, std::string(originalToken).c_str()));
  if (context_.tokens.NextToken()) return Fail(platform::FormatText(messages::kCopyExtraEntries, id_, *originalId));
  int surface = model.FindRegularSurface(*originalId);
  if (surface >= 0) {
    SurfaceRecord copy = TransformSurface(model.surfaces[static_cast<std::size_t>(surface)], *transform_);
    return StoreRegularSurface(context_, copy, id_);
  }
  int body = model.FindMacrobody(*originalId);
  if (body < 0) return Fail(platform::FormatText(messages::kCopyOriginalUnknown, id_, *originalId));
  // The record is copied: storing the copy may grow the table it lives in.
  MacrobodyRecord original = model.macrobodies[static_cast<std::size_t>(body)];
  if (original.kind == MacrobodyKind::General) return CopyGeneralMacrobody(original, body);
  BuiltMacrobody built;
  if (!BuildTransformedCopy(context_, original, *transform_, id_, built)) return false;
  return StoreStandardMacrobody(context_, built, id_);
}

bool SurfaceDefinition::CopyGeneralMacrobody(const MacrobodyRecord& original, int originalIndex) {
  GeometryModel& model = context_.model;
  if (static_cast<int>(model.macrobodies.size()) >= kMaxMacrobodies)
    return Fail(platform::FormatText(messages::kMacrobodyLimit, kMaxMacrobodies));
  MacrobodyRecord copy;
  copy.kind = MacrobodyKind::General;
  copy.id = id_;
  copy.copyRoot = original.copyRoot >= 0 ? original.copyRoot : static_cast<std::int16_t>(originalIndex);
  copy.originMacrobody = original.originMacrobody;
  copy.originFacet = original.originFacet;
  for (int k = 0; k < original.facetCount(); ++k) {
    const SurfaceRecord& source = model.surfaces[original.facetSurfaces[static_cast<std::size_t>(k)]];
    SurfaceRecord moved = TransformSurface(source, *transform_);
    std::int8_t sense = original.facetSenses[static_cast<std::size_t>(k)];
    int found = FindCoinciding(model, moved);
    if (found >= 0) {
      const SurfaceRecord& reused = model.surfaces[static_cast<std::size_t>(found)];
      if (moved.kind == SurfaceKind::Plane && Dot(reused.direction, moved.direction) < 0)
        sense = static_cast<std::int8_t>(-sense);
    } else {
      if (static_cast<int>(model.surfaces.size()) >= kMaxSurfaces)
        return Fail(platform::FormatText(messages::kSurfaceLimit, kMaxSurfaces));
      moved.facetNumber = 0;
      found = static_cast<int>(model.surfaces.size());
      model.surfaces.push_back(moved);
    }
    copy.facetSurfaces.push_back(static_cast<std::uint16_t>(found));
    copy.facetSenses.push_back(sense);
  }
  model.macrobodies.push_back(std::move(copy));
  return true;
}

}  // namespace

bool DefineSurface(DirectiveContext& context, const DirectiveCall& call) {
  SurfaceDefinition definition(context, call.identifier);
  return definition.Run();
}

}  // namespace tessarin::input

#include "ui/vector_fields.h"

#include <optional>

#include "ui/field_numbers.h"

namespace tessarin::ui {
namespace {

using settings::Vector3;
using settings::VIEWPARM;

Vector3 VIEWPARM::*MemberOf(VectorField field) {
  switch (field) {
    case VectorField::ViewCenter: return &VIEWPARM::viewCenter;
    case VectorField::CutawayPlanePoint: return &VIEWPARM::cutawayPlanePoint;
    case VectorField::CutawayPlaneNormal: return &VIEWPARM::cutawayPlaneNormal;
  }
  return &VIEWPARM::viewCenter;
}

double& Component(Vector3& vector, int component) {
  return component == 0 ? vector.x : component == 1 ? vector.y : vector.z;
}

}  // namespace

std::string VectorCellText(const VIEWPARM& set, VectorField field, int component) {
  Vector3 vector = set.*MemberOf(field);
  return FormatG(Component(vector, component));
}

bool CommitVectorCell(VIEWPARM& set, VectorField field, int component, std::string_view text) {
  if (component < 0 || component > 2) return false;
  std::optional<double> value = ParseReal(text);
  if (!value || *value < -1e300 || *value > 1e300) return false;
  Vector3 updated = set.*MemberOf(field);
  Component(updated, component) = *value;
  if (field == VectorField::CutawayPlaneNormal && updated == Vector3{0, 0, 0}) return false;
  if (updated == set.*MemberOf(field)) return false;
  set.*MemberOf(field) = updated;
  return true;
}

}  // namespace tessarin::ui

#include "input/general_macrobody.h"

#include <optional>
#include <string>

#include "input/bounding_list.h"
#include "input/cell_messages.h"
#include "input/messages.h"
#include "input/owned_token.h"
#include "input/redundant_regions.h"
#include "input/region_name.h"
#include "input/surface_expression.h"
#include "platform/format_text.h"

namespace tessarin::input {
namespace {

void WarnRemoved(DirectiveContext& context, const std::vector<BoundingEntry>& removed, std::int32_t id) {
  if (removed.empty()) return;
  std::string first = FormatRegionName(context.model, removed[0]);
  if (removed.size() == 1) {
    context.Warn(platform::FormatText(messages::kGeneralMacrobodyRemovedOne, first.c_str(), id));
    return;
  }
  std::string second = FormatRegionName(context.model, removed[1]);
  if (removed.size() == 2)
    context.Warn(platform::FormatText(messages::kGeneralMacrobodyRemovedTwo, first.c_str(), second.c_str(), id));
  else
    context.Warn(platform::FormatText(messages::kGeneralMacrobodyRemovedMany, static_cast<int>(removed.size()), first.c_str(),
                            second.c_str(), id));
}

}  // namespace

bool DefineGeneralMacrobody(DirectiveContext& context, std::int32_t id) {
  GeometryModel& model = context.model;
  BoundingList list;
  SurfaceExpression expression(context, ExpressionOwner::Macrobody, id, list);
  int referencesWithSurfaces = 0;
  std::optional<std::string> token = NextOwnedToken(context.tokens);
  while (token) {
    int before = list.Count();
    BoundingTokenResult result = expression.AddBoundingToken(token);
    if (result == BoundingTokenResult::Failed) return false;
    if (list.Count() > before) ++referencesWithSurfaces;
    if (result == BoundingTokenResult::NextTokenRead) continue;
    token = NextOwnedToken(context.tokens);
  }
  if (referencesWithSurfaces < 2) return context.Fail(platform::FormatText(messages::kGeneralMacrobodyTooFew, id));
  if (static_cast<int>(model.macrobodies.size()) >= kMaxMacrobodies)
    return context.Fail(platform::FormatText(messages::kMacrobodyLimit, kMaxMacrobodies));
  WarnRemoved(context, RemoveRedundantRegions(model, list), id);
  MacrobodyRecord body;
  body.kind = MacrobodyKind::General;
  body.id = id;
  body.copyRoot = -1;
  body.facetSurfaces = std::move(list.surfaces);
  body.facetSenses = std::move(list.senses);
  body.originMacrobody = std::move(list.originMacrobody);
  body.originFacet = std::move(list.originFacet);
  model.macrobodies.push_back(std::move(body));
  return true;
}

}  // namespace tessarin::input

#include "input/cell_directive.h"

#include <algorithm>
#include <optional>
#include <string>

#include "input/bounding_list.h"
#include "input/cell_copy.h"
#include "input/cell_messages.h"
#include "input/owned_token.h"
#include "input/redundant_regions.h"
#include "input/region_fill.h"
#include "input/surface_expression.h"
#include "input/whole_integer.h"
#include "platform/format_text.h"

namespace tessarin::input {
namespace {

class CellDefinition {
 public:
  CellDefinition(DirectiveContext& context, std::int32_t id)
      : context_(context), id_(id), expression_(context, ExpressionOwner::Cell, id, list_) {}
  bool Run();

 private:
  bool Fail(const std::string& text) { return context_.Fail(text); }
  bool ReadBoundingTokens(std::optional<std::string> token);
  bool AddComplement(const std::string& token);
  void Store();

  DirectiveContext& context_;
  std::int32_t id_;
  RegionFill fill_;
  BoundingList list_;
  SurfaceExpression expression_;
  CellCopyState copy_;
  std::vector<std::int32_t> complements_;
};

bool CellDefinition::Run() {
  GeometryModel& model = context_.model;
  if (static_cast<int>(model.cells.size()) >= kMaxCells) return Fail(platform::FormatText(messages::kCellLimit, kMaxCells));
  if (model.FindCell(id_) >= 0) return Fail(platform::FormatText(messages::kCellDuplicate, id_));
  std::optional<std::string> token;
  if (!ReadFillMaterial(context_, kCellFillTexts, fill_, token)) return false;
  if (!token) return Fail(platform::FormatText(messages::kCellNoSurfaces, id_));
  if (!ReadBoundingTokens(std::move(token))) return false;
  if (list_.Count() == 0) return Fail(platform::FormatText(messages::kCellNoSurfaces, id_));
  RemoveRedundantRegions(model, list_);
  Store();
  return true;
}

bool CellDefinition::ReadBoundingTokens(std::optional<std::string> token) {
  while (token) {
    if (IsCellTransformToken(*token)) {
      if (!ReadCellCopy(context_, *token, list_.Count() > 0, copy_, list_)) return false;
    } else if (token->front() == '#') {
      if (!AddComplement(*token)) return false;
    } else {
      FillOption option = ReadFillOption(context_, kCellFillTexts, *token, fill_);
      if (option == FillOption::Failed) return false;
      if (option == FillOption::NotAnOption) {
        if (copy_.copied) return Fail(messages::kCellSurfacesAfterCopy);
        BoundingTokenResult result = expression_.AddBoundingToken(token);
        if (result == BoundingTokenResult::Failed) return false;
        if (result == BoundingTokenResult::NextTokenRead) continue;
      }
    }
    token = NextOwnedToken(context_.tokens);
  }
  return true;
}

bool CellDefinition::AddComplement(const std::string& token) {
  GeometryModel& model = context_.model;
  std::optional<std::int32_t> id = ParseWholeInteger(std::string_view(token).substr(1));
  if (!id || *id < 1) return Fail(platform::FormatText(messages::kComplementFormat, token.c_str()));
  int index = model.FindCell(*id);
  if (index < 0) return Fail(platform::FormatText(messages::kComplementUndefined, *id));
  // The same cell named twice in one definition means the same as once.
  if (std::find(complements_.begin(), complements_.end(), index) != complements_.end()) return true;
  CellRecord& inner = model.cells[static_cast<std::size_t>(index)];
  if (inner.enclosingCell >= 0) {
    std::int32_t enclosing = model.cells[static_cast<std::size_t>(inner.enclosingCell)].id;
    return Fail(platform::FormatText(messages::kComplementAlreadyInside, *id, id_, enclosing));
  }
  if (inner.unionIndex >= 0) return Fail(platform::FormatText(messages::kComplementInUnion, *id));
  complements_.push_back(index);
  inner.enclosingCell = static_cast<std::int32_t>(model.cells.size());
  return true;
}

void CellDefinition::Store() {
  GeometryModel& model = context_.model;
  CellRecord cell;
  cell.id = id_;
  cell.material = fill_.material;
  cell.concentration = fill_.concentration;
  cell.cutoffElectron = fill_.cutoffElectron;
  cell.cutoffPhoton = fill_.cutoffPhoton;
  cell.force = fill_.force;
  cell.copyRoot = copy_.copyRoot;
  cell.surfaces = std::move(list_.surfaces);
  cell.senses = std::move(list_.senses);
  cell.originMacrobody = std::move(list_.originMacrobody);
  cell.originFacet = std::move(list_.originFacet);
  cell.complementCells = std::move(complements_);
  model.maxCellSurfaces = std::max<int>(model.maxCellSurfaces, cell.surfaceCount());
  model.cells.push_back(std::move(cell));
  model.cellTransforms.push_back(copy_.transform);
}

}  // namespace

bool DefineCell(DirectiveContext& context, const DirectiveCall& call) {
  CellDefinition definition(context, call.identifier);
  return definition.Run();
}

}  // namespace tessarin::input

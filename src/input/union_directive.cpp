#include "input/union_directive.h"

#include <optional>
#include <string>

#include "input/cell_messages.h"
#include "input/owned_token.h"
#include "input/region_fill.h"
#include "input/whole_integer.h"
#include "platform/format_text.h"

namespace tessarin::input {
namespace {

class UnionDefinition {
 public:
  UnionDefinition(DirectiveContext& context, std::int32_t id) : context_(context), id_(id) {}
  bool Run();

 private:
  bool Fail(const std::string& text) { return context_.Fail(text); }
  bool AddCell(const std::string& token);

  DirectiveContext& context_;
  std::int32_t id_;
  RegionFill fill_;
  UnionRecord record_;
};

bool UnionDefinition::Run() {
  GeometryModel& model = context_.model;
  std::optional<std::string> token;
  if (!ReadFillMaterial(context_, kUnionFillTexts, fill_, token)) return false;
  if (!token) return Fail(messages::kUnionNoCells);
  while (token) {
    FillOption option = ReadFillOption(context_, kUnionFillTexts, *token, fill_);
    if (option == FillOption::Failed) return false;
    if (option == FillOption::NotAnOption && !AddCell(*token)) return false;
    token = NextOwnedToken(context_.tokens);
  }
  // Options alone would leave a union without cells, which nothing could draw.
  if (record_.cells.empty()) return Fail(messages::kUnionNoCells);
  if (record_.cells.size() == 1) return Fail(messages::kUnionSingleCell);
  for (std::int16_t index : record_.cells) {
    CellRecord& cell = model.cells[static_cast<std::size_t>(index)];
    cell.cutoffElectron = fill_.cutoffElectron;
    cell.cutoffPhoton = fill_.cutoffPhoton;
    cell.force = fill_.force;
  }
  record_.id = id_;
  model.unions.push_back(std::move(record_));
  return true;
}

bool UnionDefinition::AddCell(const std::string& token) {
  GeometryModel& model = context_.model;
  std::optional<std::int32_t> id = ParseWholeInteger(token);
  if (!id || *id < 1) return Fail(platform::FormatText(messages::kUnionCellInvalid, token.c_str()));
  int index = model.FindCell(*id);
  if (index < 0) return Fail(platform::FormatText(messages::kUnionCellUndefined, *id));
  if (model.source.sourceCell == index) return Fail(platform::FormatText(messages::kUnionSourceCell, *id));
  CellRecord& cell = model.cells[static_cast<std::size_t>(index)];
  if (cell.unionIndex >= 0) return Fail(platform::FormatText(messages::kUnionCellTaken, *id));
  for (std::int16_t listed : record_.cells)
    if (!CellsFitInOneUnion(model, index, listed))
      return Fail(platform::FormatText(messages::kUnionIncompatible, model.cells[static_cast<std::size_t>(listed)].id, *id));
  cell.unionIndex = static_cast<std::int32_t>(model.unions.size());
  cell.material = fill_.material;
  cell.concentration = fill_.concentration;
  record_.cells.push_back(static_cast<std::int16_t>(index));
  return true;
}

}  // namespace

bool DefineUnion(DirectiveContext& context, const DirectiveCall& call) {
  UnionDefinition definition(context, call.identifier);
  return definition.Run();
}

bool CellsFitInOneUnion(const GeometryModel& model, int added, int listed) {
  std::int32_t outerAdded = model.cells[static_cast<std::size_t>(added)].enclosingCell;
  std::int32_t outerListed = model.cells[static_cast<std::size_t>(listed)].enclosingCell;
  if (outerAdded == outerListed) return true;
  if (outerAdded < 0 || outerListed < 0) return false;
  const CellRecord& enclosingAdded = model.cells[static_cast<std::size_t>(outerAdded)];
  const CellRecord& enclosingListed = model.cells[static_cast<std::size_t>(outerListed)];
  if (enclosingAdded.enclosingCell == enclosingListed.enclosingCell) return true;
  return enclosingAdded.unionIndex >= 0 && enclosingAdded.unionIndex == enclosingListed.unionIndex;
}

}  // namespace tessarin::input

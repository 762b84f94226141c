#include "input/material_directive.h"

#include "input/cell_messages.h"
#include "input/quoted_name.h"
#include "platform/format_text.h"

namespace tessarin::input {

int AppendMaterial(MaterialTable& materials, std::int32_t id, std::string name) {
  materials.materialId.push_back(id);
  materials.materialName.push_back(std::move(name));
  return materials.Count() - 1;
}

bool DefineMaterial(DirectiveContext& context, const DirectiveCall& call) {
  MaterialTable& materials = context.model.materials;
  if (materials.Count() >= kMaxMaterials) return context.Fail(platform::FormatText(messages::kMaterialLimit, kMaxMaterials));
  if (materials.Find(call.identifier) >= 0)
    return context.Fail(platform::FormatText(messages::kMaterialDuplicate, call.identifier));
  QuotedNameResult name = ReadQuotedName(context, call.keyword, messages::kMaterialNameQuote);
  if (!name.ok) return false;
  AppendMaterial(materials, call.identifier, name.name.value_or(std::string()));
  return true;
}

}  // namespace tessarin::input

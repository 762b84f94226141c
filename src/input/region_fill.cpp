#include "input/region_fill.h"

#include "input/cell_messages.h"
#include "input/material_directive.h"
#include "input/numbers.h"
#include "input/owned_token.h"
#include "input/quoted_name.h"
#include "input/whole_integer.h"
#include "platform/format_text.h"
#include "platform/text_case.h"

namespace tessarin::input {

const FillTexts kCellFillTexts{
    messages::kCellMissing,        messages::kCellMaterialInvalid, messages::kCellConcentrationMissing,
    messages::kCellConcentrationInvalid, messages::kCellConcentrationZero, messages::kCellCutoffMissing,
    messages::kCellCutoffIllegal,  messages::kCellVolumeMissing,   messages::kCellVolumeIllegal,
    messages::kCellForceMissing,   messages::kCellForceIllegal,
};

const FillTexts kUnionFillTexts{
    messages::kUnionMissing,        messages::kUnionMaterialInvalid, messages::kUnionConcentrationMissing,
    messages::kUnionConcentrationInvalid, messages::kUnionConcentrationZero, messages::kUnionCutoffMissing,
    messages::kUnionCutoffIllegal,  messages::kUnionVolumeMissing,   messages::kUnionVolumeIllegal,
    messages::kUnionForceMissing,   messages::kUnionForceIllegal,
};

namespace {

bool ReadVoidMaterial(DirectiveContext& context, std::int32_t id, const std::string& token, RegionFill& fill,
                      std::optional<std::string>& next) {
  MaterialTable& materials = context.model.materials;
  fill.material = materials.Find(id);
  if (fill.material < 0) {
    if (materials.Count() >= kMaxMaterials) return context.Fail(platform::FormatText(messages::kMaterialLimit, kMaxMaterials));
    fill.material = AppendMaterial(materials, id);
  }
  fill.concentration = 0;
  QuotedNameResult name = ReadQuotedName(context, token, messages::kMaterialNameQuote);
  if (!name.ok) return false;
  if (name.name) materials.materialName[static_cast<std::size_t>(fill.material)] = *name.name;
  next = NextTokenAfterName(context, name);
  return true;
}

// A positive number after a keyword; `missing` and `illegal` name what it is.
std::optional<double> ReadPositiveValue(DirectiveContext& context, const char* missing, const char* illegal) {
  std::optional<std::string> token = NextOwnedToken(context.tokens);
  if (!token) {
    context.Fail(missing);
    return std::nullopt;
  }
  std::optional<double> value = ParseCompleteNumber(*token);
  if (!value || !(*value > 0)) {
    context.Fail(platform::FormatText(illegal, token->c_str()));
    return std::nullopt;
  }
  return value;
}

FillOption ReadCutoff(DirectiveContext& context, const FillTexts& texts, double& cutoff) {
  std::optional<double> value = ReadPositiveValue(context, texts.cutoffMissing, texts.cutoffIllegal);
  if (!value) return FillOption::Failed;
  cutoff = *value;
  return FillOption::Read;
}

FillOption ReadForce(DirectiveContext& context, const FillTexts& texts, RegionFill& fill) {
  std::optional<std::string> token = NextOwnedToken(context.tokens);
  if (!token) {
    context.Fail(texts.forceMissing);
    return FillOption::Failed;
  }
  std::optional<std::int32_t> value = ParseWholeInteger(*token);
  if (!value || (*value != 0 && *value != 1)) {
    context.Fail(platform::FormatText(texts.forceIllegal, token->c_str()));
    return FillOption::Failed;
  }
  fill.force = static_cast<std::int8_t>(*value);
  return FillOption::Read;
}

}  // namespace

bool ReadFillMaterial(DirectiveContext& context, const FillTexts& texts, RegionFill& fill,
                      std::optional<std::string>& next) {
  std::optional<std::string> token = NextOwnedToken(context.tokens);
  if (!token) return context.Fail(texts.missingSpecification);
  std::optional<std::int32_t> id = ParseWholeInteger(*token);
  if (!id) return context.Fail(platform::FormatText(texts.materialInvalid, token->c_str()));
  if (*id <= 0) return ReadVoidMaterial(context, *id, *token, fill, next);
  fill.material = context.model.materials.Find(*id);
  if (fill.material < 0) return context.Fail(platform::FormatText(messages::kMaterialUndefined, *id));
  std::optional<std::string> concentration = NextOwnedToken(context.tokens);
  if (!concentration) return context.Fail(texts.concentrationMissing);
  std::optional<double> value = ParseCompleteNumber(*concentration);
  if (!value) return context.Fail(platform::FormatText(texts.concentrationInvalid, concentration->c_str()));
  if (*value == 0) return context.Fail(texts.concentrationZero);
  fill.concentration = *value;
  next = NextOwnedToken(context.tokens);
  return true;
}

FillOption ReadFillOption(DirectiveContext& context, const FillTexts& texts, const std::string& token,
                          RegionFill& fill) {
  if (platform::EqualsIgnoringCase(token, "CUT_E") && fill.cutoffElectron < 0)
    return ReadCutoff(context, texts, fill.cutoffElectron);
  if (platform::EqualsIgnoringCase(token, "CUT_P") && fill.cutoffPhoton < 0) return ReadCutoff(context, texts, fill.cutoffPhoton);
  if (platform::EqualsIgnoringCase(token, "VOL") && !fill.volumeGiven) {
    if (!ReadPositiveValue(context, texts.volumeMissing, texts.volumeIllegal)) return FillOption::Failed;
    fill.volumeGiven = true;
    return FillOption::Read;
  }
  if (platform::EqualsIgnoringCase(token, "FORCE") && fill.force < 0) return ReadForce(context, texts, fill);
  return FillOption::NotAnOption;
}

}  // namespace tessarin::input

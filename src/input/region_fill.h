#pragma once
// What fills a cell or a union of cells: its material and concentration and
// the options CUT_E, CUT_P, VOL and FORCE. Both directives read them alike
// and differ only in how their messages name them.

#include <cstdint>
#include <optional>
#include <string>

#include "input/directive_context.h"

namespace tessarin::input {

struct FillTexts {
  const char* missingSpecification;
  const char* materialInvalid;
  const char* concentrationMissing;
  const char* concentrationInvalid;
  const char* concentrationZero;
  const char* cutoffMissing;
  const char* cutoffIllegal;
  const char* volumeMissing;
  const char* volumeIllegal;
  const char* forceMissing;
  const char* forceIllegal;
};

extern const FillTexts kCellFillTexts;
extern const FillTexts kUnionFillTexts;

struct RegionFill {
  int material = -1;  // index into the material table
  double concentration = 0;
  double cutoffElectron = -1;
  double cutoffPhoton = -1;
  std::int8_t force = -1;
  bool volumeGiven = false;  // the volume is only checked, not kept
};

// The material token and either the concentration or, for a void material
// (identifier <= 0, entered into the table when new), an optional quoted
// name. `next` receives the token that follows.
[[nodiscard]] bool ReadFillMaterial(DirectiveContext& context, const FillTexts& texts, RegionFill& fill,
                      std::optional<std::string>& next);

enum class FillOption { NotAnOption, Read, Failed };

// CUT_E, CUT_P, VOL or FORCE with its value, each only while not yet given;
// any other token is NotAnOption.
FillOption ReadFillOption(DirectiveContext& context, const FillTexts& texts, const std::string& token,
                          RegionFill& fill);

}  // namespace tessarin::input

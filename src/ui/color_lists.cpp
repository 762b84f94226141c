#include "ui/color_lists.h"

#include "settings/colors.h"

namespace tessarin::ui {
namespace {

int NamedEntryCount(ColorList list) {
  return list == ColorList::Material ? settings::kMaterialColorNameCount : settings::kNamedColorCount;
}

bool IsMaterial(ColorList list) { return list == ColorList::Material; }

}  // namespace

platform::Rgb ToRgb(const settings::ColorEntry& color) { return {color.red, color.green, color.blue}; }

std::vector<std::string> ColorListEntries(ColorList list) {
  std::vector<std::string> entries;
  for (int i = 0; i < NamedEntryCount(list); ++i) entries.emplace_back(settings::kNamedColors[i].name);
  entries.emplace_back(kCustomColorEntry);
  if (list == ColorList::BeamAxis) entries.emplace_back(kNoColorEntry);
  return entries;
}

int ColorListIndex(const settings::ColorEntry& color, ColorList list, platform::Rgb buttonFace) {
  int customIndex = NamedEntryCount(list);
  if (list == ColorList::BeamAxis && ToRgb(color) == buttonFace) return customIndex + 1;
  int named = settings::DeriveColorNameIndex(color.red, color.green, color.blue, IsMaterial(list));
  return named < customIndex ? named : customIndex;
}

std::optional<settings::ColorEntry> ColorOfListEntry(int index, ColorList list, const settings::ColorEntry& current,
                                                     platform::Host& host) {
  int customIndex = NamedEntryCount(list);
  bool material = IsMaterial(list);
  if (index >= 0 && index < customIndex) {
    const settings::NamedColor& named = settings::kNamedColors[index];
    return settings::MakeColor(named.red, named.green, named.blue, material);
  }
  if (index == customIndex) {
    std::optional<platform::Rgb> chosen = host.ChooseColor(ToRgb(current));
    if (!chosen) return std::nullopt;
    return settings::MakeColor(chosen->red, chosen->green, chosen->blue, material);
  }
  if (index == customIndex + 1 && list == ColorList::BeamAxis) {
    platform::Rgb face = host.ButtonFaceColor();
    return settings::MakeColor(face.red, face.green, face.blue, false);
  }
  return std::nullopt;
}

settings::ColorEntry& ListColor(settings::VIEWPARM& set, ColorList list) {
  return list == ColorList::BeamAxis ? set.beamAxisColorRGB : set.backgroundColorRGB;
}

const settings::ColorEntry& ListColor(const settings::VIEWPARM& set, ColorList list) {
  return list == ColorList::BeamAxis ? set.beamAxisColorRGB : set.backgroundColorRGB;
}

}  // namespace tessarin::ui

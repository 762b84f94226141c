#include "render/script_number_check.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <vector>

#include "platform/format_text.h"
#include "render/messages.h"
#include "render/mged_units.h"

namespace tessarin::render {

namespace {

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < line.size()) {
    at = line.find_first_not_of(" \t\"{}", at);
    if (at == std::string_view::npos) break;
    const std::size_t end = std::min(line.find_first_of(" \t\"{}", at), line.size());
    words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

// How printf spells what is not a finite number: "nan", "-nan", "inf",
// "-inf", in either case.
bool IsNonFinite(std::string_view word) {
  if (!word.empty() && (word.front() == '-' || word.front() == '+')) word.remove_prefix(1);
  if (word.size() != 3) return false;
  std::string lower(word);
  for (char& c : lower) c = static_cast<char>(c | 0x20);
  return lower == "nan" || lower == "inf";
}

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

int NumberAfter(std::string_view text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

// "S12", "S12F1", "S12C3", "S12F1C3", "S03C3", "World", "World3", "ARBN3",
// "S_source": what a primitive of the script stands for.
std::string PrimitiveSubject(std::string_view name) {
  if (name == "S_source") return "The source sphere";
  if (name == "World") return "The world";
  if (StartsWith(name, "World")) return platform::FormatText("The world box of cell C%d", NumberAfter(name.substr(5)));
  if (StartsWith(name, "ARBN")) return platform::FormatText("The planes of cell C%d", NumberAfter(name.substr(4)));
  const std::size_t cell = name.find('C');
  const std::string_view surface = name.substr(0, cell);
  std::string subject;
  if (StartsWith(surface, "S0")) subject = platform::FormatText("The copied surface %d", NumberAfter(surface.substr(2)));
  else if (const std::size_t facet = surface.find('F'); facet != std::string_view::npos)
    subject = "Facet " + std::string(surface.substr(0, facet)) + "." + std::string(surface.substr(facet + 1));
  else
    subject = "Surface " + std::string(surface);
  if (cell != std::string_view::npos) subject += " of cell " + std::string(name.substr(cell));
  return subject;
}

// The quantity that number `index` (from 0, after the primitive's type) of
// a primitive of `type` gives.
std::string PrimitiveQuantity(std::string_view type, std::size_t index) {
  static constexpr std::array<std::string_view, 8> kTruncated{
      "base centre", "base centre", "base centre", "height vector", "height vector", "height vector", "radius",
      "top radius"};
  static constexpr std::array<std::string_view, 6> kRpp{"x-minimum", "x-maximum", "y-minimum",
                                                        "y-maximum", "z-minimum", "z-maximum"};
  static constexpr std::array<std::string_view, 4> kBox{"corner", "first edge", "second edge", "third edge"};
  if (type == "rcc" || type == "trc") {
    if (type == "trc" && index == 6) return "base radius";
    return std::string(kTruncated[std::min(index, kTruncated.size() - 1)]);
  }
  if (type == "sph") return index < 3 ? "centre" : "radius";
  if (type == "rpp") return std::string(kRpp[std::min(index, kRpp.size() - 1)]);
  if (type == "box") return std::string(kBox[std::min(index / 3, kBox.size() - 1)]);
  if (type == "arb4") return platform::FormatText("vertex %d", static_cast<int>(index / 3) + 1);
  if (type == "arbn" && index > 0) {
    const int plane = static_cast<int>((index - 1) / 4) + 1;
    return platform::FormatText((index - 1) % 4 == 3 ? "distance of plane %d" : "normal of plane %d", plane);
  }
  return "numbers";
}

struct Finding {
  std::string subject;
  std::string quantity;
};

// What the non-finite number `index` of `words` belongs to.
std::optional<Finding> Describe(const std::vector<std::string_view>& words, std::size_t index) {
  if (words[0] == "in" && words.size() > 3 && index >= 3)
    return Finding{PrimitiveSubject(words[1]), PrimitiveQuantity(words[2], index - 3)};
  if (words[0] == "view" && words.size() > 1) return Finding{"The view", words[1] == "size" ? "size" : "centre"};
  if (words[0] == "ae") return Finding{"The view", "direction"};
  if (words[0] == "set" && words.size() > 1 && words[1] == "perspective") return Finding{"The view", "perspective"};
  if (words[0] == "vdraw") return Finding{"The beam axis", "end point"};
  if (words[0] == "mater" && words.size() > 1) return Finding{"Material " + std::string(words[1]), "optical values"};
  // The fast form: "put <name> <type> ..." and the "<name> <type> {...}"
  // rows of its data blocks.
  if (words[0] == "put" && words.size() > 2) return Finding{PrimitiveSubject(words[1]), "stored values"};
  static constexpr std::array<std::string_view, 4> kStoredTypes{"arb8", "arbn", "ell", "tgc"};
  if (words.size() > 2 && std::find(kStoredTypes.begin(), kStoredTypes.end(), words[1]) != kStoredTypes.end())
    return Finding{PrimitiveSubject(words[0]), "stored values"};
  return std::nullopt;
}

}  // namespace

std::optional<std::string> NonFiniteNumberMessage(std::string_view script) {
  std::size_t begin = 0;
  while (begin < script.size()) {
    const std::size_t end = std::min(script.find('\n', begin), script.size());
    const std::vector<std::string_view> words = Words(script.substr(begin, end - begin));
    begin = end + 1;
    if (words.empty()) continue;
    for (std::size_t k = 1; k < words.size(); ++k) {
      if (!IsNonFinite(words[k])) continue;
      const std::optional<Finding> finding = Describe(words, k);
      if (!finding) break;
      return platform::FormatText(messages::kNonFiniteNumber, finding->subject.c_str(), finding->quantity.c_str(),
                                  std::string(words[k]).c_str());
    }
  }
  return std::nullopt;
}

std::optional<std::string> ViewOffScaleWarning(double viewSize) {
  // The unit is chosen to keep the view between a hundredth and a hundred
  // of its units; past the ends of the table nothing can.
  const MgedUnit& smallest = kMgedUnits.front();
  const MgedUnit& largest = kMgedUnits.back();
  const MgedUnit& unit = kMgedUnits[static_cast<std::size_t>(ChooseMgedUnit(viewSize))];
  const double scaled = viewSize / unit.size;
  if (std::isfinite(scaled) && scaled >= 0.01 && scaled <= 100) return std::nullopt;
  return platform::FormatText(messages::kViewOffScale, viewSize, smallest.name, largest.name, unit.name, scaled);
}

}  // namespace tessarin::render

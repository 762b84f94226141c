#include "render/fast_script.h"

#include <array>
#include <optional>
#include <vector>

#include "render/stored_form.h"

namespace tessarin::render {

namespace {

struct LocalUnit {
  std::string_view name;
  double millimetres;
};
inline constexpr std::array<LocalUnit, 3> kLocalUnits{{{"mm", 1}, {"cm", 10}, {"m", 1000}}};

double MillimetresPer(std::string_view unit) {
  for (const LocalUnit& known : kLocalUnits)
    if (known.name == unit) return known.millimetres;
  return 0;
}

void AppendLine(std::string& out, std::string_view line) {
  out += line;
  out += '\n';
}

}  // namespace

std::string FastScriptTranslator::Translate(std::string_view readable) {
  std::string out;
  out.reserve(readable.size());
  std::size_t begin = 0;
  while (begin < readable.size()) {
    const std::size_t end = std::min(readable.find('\n', begin), readable.size());
    TranslateLine(readable.substr(begin, end - begin), out);
    begin = end + 1;
  }
  EndBlock(out);
  return out;
}

void FastScriptTranslator::TranslateLine(std::string_view line, std::string& out) {
  const std::vector<std::string_view> words = LineWords(line);
  if (words.empty()) {
    // Inside a block the empty lines that part the readable sections go.
    if (block_.empty()) AppendLine(out, line);
    return;
  }
  std::optional<StoredObject> object;
  if (words[0] == "in" && toBase_ > 0) object = StoredPrimitive(words, toBase_);
  else if (words[0] == "comb" && !LongSubtraction(words)) object = StoredCombination(words);
  if (object) {
    if (blockRows_ == kRowsPerBlock) EndBlock(out);
    block_ += object->name + ' ' + object->type + " {" + object->values + "}\n";
    ++blockRows_;
    return;
  }
  EndBlock(out);
  if (words[0] == "comb" && LongSubtraction(words)) {
    AppendLine(out, SubtractionCommand(words));
    AppendLine(out, "attr rm " + std::string(words[1]) + " region_id");
    return;
  }
  if (words[0] == "units") toBase_ = words.size() == 2 ? MillimetresPer(words[1]) : 0;
  if (words[0] == "r") {
    const int number = regions_++;
    if (const std::optional<StoredObject> region = StoredRegion(words)) {
      AppendLine(out, "put {" + region->name + "} " + region->type + ' ' + region->values);
      AppendLine(out, "attr set {" + region->name + "} " + RegionAttributes(number));
      return;
    }
  }
  AppendLine(out, line);
}

void FastScriptTranslator::EndBlock(std::string& out) {
  if (block_.empty()) return;
  out += kStoredBlockStart;
  out += block_;
  out += kStoredBlockEnd;
  block_.clear();
  blockRows_ = 0;
}

}  // namespace tessarin::render

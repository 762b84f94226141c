#include "render/stored_form.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>

#include "input/vec3.h"
#include "platform/format_text.h"
#include "platform/shortest_number.h"

namespace tessarin::render {

using input::Vec3;

namespace {

// A number as `put` reads it back to the same double.
void AppendNumber(std::string& text, double value) { platform::AppendShortest(text, value); }

// The values of a stored primitive: "KEY {x y z}" pairs and plane rows.
class StoredValues {
 public:
  void Vector(std::string_view key, const Vec3& v) {
    Key(key);
    text_ += '{';
    AppendNumber(text_, v.x);
    text_ += ' ';
    AppendNumber(text_, v.y);
    text_ += ' ';
    AppendNumber(text_, v.z);
    text_ += '}';
  }
  void Plane(int index, const Vec3& normal, double distance) {
    Key(platform::FormatText("P%d", index));
    text_ += '{';
    for (double value : {normal.x, normal.y, normal.z}) {
      AppendNumber(text_, value);
      text_ += ' ';
    }
    AppendNumber(text_, distance);
    text_ += '}';
  }
  void Word(std::string_view key, std::string_view word) {
    Key(key);
    text_ += word;
  }
  std::string Take() { return std::move(text_); }

 private:
  void Key(std::string_view key) {
    if (!text_.empty()) text_ += ' ';
    text_ += key;
    text_ += ' ';
  }
  std::string text_;
};

std::optional<std::vector<double>> Numbers(const std::vector<std::string_view>& words, std::size_t first) {
  std::vector<double> numbers;
  for (std::size_t k = first; k < words.size(); ++k) {
    double value = 0;
    const char* end = words[k].data() + words[k].size();
    const auto parsed = std::from_chars(words[k].data(), end, value);
    if (parsed.ec != std::errc() || parsed.ptr != end) return std::nullopt;
    numbers.push_back(value);
  }
  return numbers;
}

Vec3 At(const std::vector<double>& numbers, std::size_t first, double scale) {
  return {scale * numbers[first], scale * numbers[first + 1], scale * numbers[first + 2]};
}

// An arb8 from its eight corners, as MGED numbers them.
std::string Arb8(const std::array<Vec3, 8>& corners) {
  StoredValues values;
  for (std::size_t k = 0; k < corners.size(); ++k) values.Vector(platform::FormatText("V%zu", k + 1), corners[k]);
  return values.Take();
}

// MGED keeps an rpp as the arb8 that starts at the maximum x, minimum y and z
// corner, goes round the x-maximum face and then round the x-minimum face.
std::optional<std::string> RppValues(const std::vector<double>& n, double toBase) {
  if (n.size() != 6 || !(n[0] <= n[1] && n[2] <= n[3] && n[4] <= n[5])) return std::nullopt;
  const double x0 = toBase * n[0], x1 = toBase * n[1], y0 = toBase * n[2], y1 = toBase * n[3];
  const double z0 = toBase * n[4], z1 = toBase * n[5];
  return Arb8({{{x1, y0, z0}, {x1, y1, z0}, {x1, y1, z1}, {x1, y0, z1}, {x0, y0, z0}, {x0, y1, z0}, {x0, y1, z1},
                {x0, y0, z1}}});
}

// A box from its corner V and edges A, B, C: the face through V spanned by
// B and A, then the same face moved along C.
std::optional<std::string> BoxValues(const std::vector<double>& n, double toBase) {
  if (n.size() != 12) return std::nullopt;
  const Vec3 v = At(n, 0, toBase), a = At(n, 3, toBase), b = At(n, 6, toBase), c = At(n, 9, toBase);
  return Arb8({{v, v + b, v + a + b, v + a, v + c, v + b + c, v + a + b + c, v + a + c}});
}

// A tetrahedron repeats its first point as the fourth of the base and its
// apex as the whole top face.
std::optional<std::string> Arb4Values(const std::vector<double>& n, double toBase) {
  if (n.size() != 12) return std::nullopt;
  const Vec3 p1 = At(n, 0, toBase), p2 = At(n, 3, toBase), p3 = At(n, 6, toBase), p4 = At(n, 9, toBase);
  return Arb8({{p1, p2, p3, p1, p4, p4, p4, p4}});
}

std::optional<std::string> SphereValues(const std::vector<double>& n, double toBase) {
  if (n.size() != 4 || !(n[3] > 0)) return std::nullopt;
  const double r = toBase * n[3];
  StoredValues values;
  values.Vector("V", At(n, 0, toBase));
  values.Vector("A", {r, 0, 0});
  values.Vector("B", {0, r, 0});
  values.Vector("C", {0, 0, r});
  return values.Take();
}

// A unit vector at right angles to `v`, made from v's two larger
// components, the way MGED picks the first radius vector of a cylinder.
Vec3 Perpendicular(const Vec3& v) {
  const std::array<double, 3> c{v.x, v.y, v.z};
  std::size_t i = 0;
  if (std::fabs(c[1]) < std::fabs(c[i])) i = 1;
  if (std::fabs(c[2]) < std::fabs(c[i])) i = 2;
  const std::size_t j = (i + 1) % 3, k = (i + 2) % 3;
  const double f = 1 / std::sqrt(c[j] * c[j] + c[k] * c[k]);
  std::array<double, 3> out{};
  out[j] = -c[k] * f;
  out[k] = c[j] * f;
  return {out[0], out[1], out[2]};
}

// rcc and trc are kept as a tgc whose base and top ellipses are circles:
// A along a perpendicular of H, B along H × A, C and D the same directions
// at the top radius.
std::optional<std::string> TruncatedConeValues(const std::vector<double>& n, double toBase, bool cone) {
  if (n.size() != (cone ? 8u : 7u)) return std::nullopt;
  const Vec3 height = At(n, 3, toBase);
  const double baseRadius = toBase * n[6];
  const double topRadius = cone ? toBase * n[7] : baseRadius;
  if (!(Norm(height) > 0) || !(baseRadius > 0) || !(topRadius > 0)) return std::nullopt;
  const Vec3 a = Perpendicular(height);
  const Vec3 b = Unit(Cross(height, a));
  StoredValues values;
  values.Vector("V", At(n, 0, toBase));
  values.Vector("H", height);
  values.Vector("A", baseRadius * a);
  values.Vector("B", baseRadius * b);
  values.Vector("C", topRadius * a);
  values.Vector("D", topRadius * b);
  return values.Take();
}

// An arbn keeps its planes as given, their distances in the base unit.
std::optional<std::string> ArbnValues(const std::vector<double>& n, double toBase) {
  if (n.empty() || !(n[0] >= 1) || n[0] != std::floor(n[0]) || n.size() != 1 + 4 * static_cast<std::size_t>(n[0]))
    return std::nullopt;
  const int planes = static_cast<int>(n[0]);
  StoredValues values;
  values.Word("N", platform::FormatText("%d", planes));
  for (int k = 0; k < planes; ++k) {
    const std::size_t at = 1 + 4 * static_cast<std::size_t>(k);
    values.Plane(k, At(n, at, 1), toBase * n[at + 3]);
  }
  return values.Take();
}

std::string Leaf(std::string_view name) { return "{l " + std::string(name) + "}"; }

// "{op_n ... {op_1 first second} ... last}": each operation applied to what
// came before it and its own operand.
std::string LeftDeep(const std::vector<char>& operations, const std::vector<std::string>& operands) {
  std::string tree;
  for (auto it = operations.rbegin(); it != operations.rend(); ++it) {
    tree += '{';
    tree += *it;
    tree += ' ';
  }
  tree += operands.front();
  for (std::size_t k = 1; k < operands.size(); ++k) tree += ' ' + operands[k] + '}';
  return tree;
}

// How `r` joins its members: the first half a power of two, so that the
// tree is as shallow as it can be.
void AppendUnionTree(std::string& tree, const std::vector<std::string_view>& members, std::size_t first,
                     std::size_t count) {
  if (count == 1) {
    tree += Leaf(members[first]);
    return;
  }
  std::size_t left = 1;
  while (2 * left < count) left *= 2;
  tree += "{u ";
  AppendUnionTree(tree, members, first, left);
  tree += ' ';
  AppendUnionTree(tree, members, first + left, count - left);
  tree += '}';
}

// The operator and member pairs after "<command> <name>"; nothing when they
// are not such pairs or a name needs quoting.
std::optional<std::vector<std::pair<char, std::string_view>>> Members(const std::vector<std::string_view>& words) {
  if (words.size() < 4 || words.size() % 2 != 0 || !IsPlainName(words[1])) return std::nullopt;
  std::vector<std::pair<char, std::string_view>> members;
  for (std::size_t k = 2; k < words.size(); k += 2) {
    const std::string_view operation = words[k];
    if (operation.size() != 1 || (operation[0] != 'u' && operation[0] != '+' && operation[0] != '-') ||
        !IsPlainName(words[k + 1]))
      return std::nullopt;
    members.emplace_back(operation[0], words[k + 1]);
  }
  if (members.front().first != 'u') return std::nullopt;
  return members;
}

}  // namespace

std::vector<std::string_view> LineWords(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < line.size()) {
    at = line.find_first_not_of(" \t\r", at);
    if (at == std::string_view::npos) break;
    const std::size_t end = std::min(line.find_first_of(" \t\r", at), line.size());
    words.push_back(line.substr(at, end - at));
    at = end;
  }
  return words;
}

bool IsPlainName(std::string_view word) {
  if (word.empty()) return false;
  for (char c : word)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
  return true;
}

std::optional<StoredObject> StoredPrimitive(const std::vector<std::string_view>& words, double toBase) {
  if (words.size() < 4 || words[0] != "in" || !IsPlainName(words[1])) return std::nullopt;
  const std::optional<std::vector<double>> numbers = Numbers(words, 3);
  if (!numbers) return std::nullopt;
  const std::string_view type = words[2];
  std::optional<std::string> values;
  const char* stored = "arb8";
  if (type == "rpp") {
    values = RppValues(*numbers, toBase);
  } else if (type == "box") {
    values = BoxValues(*numbers, toBase);
  } else if (type == "arb4") {
    values = Arb4Values(*numbers, toBase);
  } else if (type == "sph") {
    values = SphereValues(*numbers, toBase);
    stored = "ell";
  } else if (type == "rcc" || type == "trc") {
    values = TruncatedConeValues(*numbers, toBase, type == "trc");
    stored = "tgc";
  } else if (type == "arbn") {
    values = ArbnValues(*numbers, toBase);
    stored = "arbn";
  }
  if (!values) return std::nullopt;
  return StoredObject{std::string(words[1]), stored, std::move(*values)};
}

std::optional<StoredObject> StoredCombination(const std::vector<std::string_view>& words) {
  if (words.empty() || words[0] != "comb") return std::nullopt;
  const auto members = Members(words);
  if (!members) return std::nullopt;
  // Each union starts a term of intersections and subtractions.
  std::vector<std::string> terms;
  std::vector<char> operations;
  std::vector<std::string> operands;
  auto endTerm = [&] {
    if (!operands.empty()) terms.push_back(LeftDeep(operations, operands));
    operations.clear();
    operands.clear();
  };
  for (const auto& [operation, member] : *members) {
    if (operation == 'u') endTerm();
    else operations.push_back(operation == '+' ? 'n' : '-');
    operands.push_back(Leaf(member));
  }
  endTerm();
  const std::vector<char> unions(terms.size() - 1, 'u');
  return StoredObject{std::string(words[1]), "comb", "region no tree " + LeftDeep(unions, terms)};
}

// Deeper trees than this take `put` noticeably longer than `c`.
constexpr std::size_t kLongestPutSubtraction = 64;

bool LongSubtraction(const std::vector<std::string_view>& words) {
  const auto members = Members(words);
  if (!members || members->size() <= kLongestPutSubtraction) return false;
  for (std::size_t k = 1; k < members->size(); ++k)
    if ((*members)[k].first != '-') return false;
  return true;
}

std::string SubtractionCommand(const std::vector<std::string_view>& words) {
  std::string command = "c " + std::string(words[1]) + ' ' + std::string(words[3]);
  for (std::size_t k = 4; k + 1 < words.size(); k += 2) command += " - " + std::string(words[k + 1]);
  return command;
}

std::optional<StoredObject> StoredRegion(const std::vector<std::string_view>& words) {
  if (words.empty() || words[0] != "r") return std::nullopt;
  const auto members = Members(words);
  if (!members) return std::nullopt;
  std::vector<std::string_view> names;
  for (const auto& [operation, member] : *members) {
    if (operation != 'u') return std::nullopt;
    names.push_back(member);
  }
  std::string tree;
  AppendUnionTree(tree, names, 0, names.size());
  return StoredObject{std::string(words[1]), "comb", "region yes tree " + tree};
}

std::string RegionAttributes(int number) {
  return platform::FormatText("region R region_id %d material_id 1 los 100", 1000 + number);
}

}  // namespace tessarin::render

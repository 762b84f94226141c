#pragma once
// What MGED keeps in its database for the objects an RT script makes: the
// `in` primitives in their stored types (an rpp is kept as an arb8, a
// sphere as an ell, a cylinder as a tgc), combinations and regions as trees.
// MGED's `put` takes such a description back and stores the object as it
// is, without the work that `in`, `comb` and `r` do on each call.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessarin::render {

// One object as `put` takes it: "put <name> <type> <values>", where the
// values are the words after the type ("V {0 0 0} A {10 0 0} ...",
// "region no tree {...}"). Lengths are in MGED's base unit, the millimetre.
struct StoredObject {
  std::string name;
  std::string type;
  std::string values;
};

// The words of one script line, split at blanks.
std::vector<std::string_view> LineWords(std::string_view line);

// The stored form of "in <name> <type> <numbers...>" with numbers in a local
// unit of `toBase` millimetres; nothing for a primitive MGED's `in` would
// refuse and for any it is not known here to make.
std::optional<StoredObject> StoredPrimitive(const std::vector<std::string_view>& words, double toBase);

// The stored form of "comb <name> u <member> (u|+|-) <member> ...": the
// intersections and subtractions in the order written, joined by unions.
std::optional<StoredObject> StoredCombination(const std::vector<std::string_view>& words);

// Whether "comb <name> u <first> - <member> - <member> ..." subtracts more
// members than `put` takes in good time (see fast_script.h).
[[nodiscard]] bool LongSubtraction(const std::vector<std::string_view>& words);
// That combination as MGED's `c` takes it: "c <name> <first> - <member> ...".
std::string SubtractionCommand(const std::vector<std::string_view>& words);

// The stored form of "r <name> u <member> u <member> ...", the region's
// tree only; its attributes are RegionAttributes. Nothing for a region that
// does more than join its members.
std::optional<StoredObject> StoredRegion(const std::vector<std::string_view>& words);

// The attributes `r` gives the region made by the script's `number`-th "r"
// line (from 0), as "attr set" takes them: MGED numbers regions from 1000
// in a fresh session and gives each material 1 and line-of-sight 100.
std::string RegionAttributes(int number);

// Whether `word` is a name the stored form can carry without quoting.
[[nodiscard]] bool IsPlainName(std::string_view word);

}  // namespace tessarin::render

#include "engine/builtins.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>
#include <unordered_map>

#include "engine/bessel_functions.h"
#include "engine/names.h"
#include "engine/special_math.h"

namespace tessarin::engine {
namespace {

using K = ArgKind;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double Not(double x) { return x == 0 ? 1.0 : 0.0; }
double Exp(double x) { return std::exp(x); }
double Ln(double x) { return std::log(x); }
double Lg(double x) { return std::log10(x); }
double Sqrt(double x) { return std::sqrt(x); }
double Sin(double x) { return std::sin(x); }
double Cos(double x) { return std::cos(x); }
double Tan(double x) { return std::tan(x); }
double Asin(double x) { return std::asin(x); }
double Acos(double x) { return std::acos(x); }
double Atan(double x) { return std::atan(x); }
double Atan2(double a, double b) { return std::atan2(a, b); }
double Sinh(double x) { return std::sinh(x); }
double Cosh(double x) { return std::cosh(x); }
double Tanh(double x) { return std::tanh(x); }
double J0(double x) { return ::j0(x); }
double J1(double x) { return ::j1(x); }
double Jn(double n, double x) { return BesselJ(RoundToInt(n), x); }
double Y0(double x) { return ::y0(x); }
double Y1(double x) { return ::y1(x); }
double Yn(double n, double x) { return BesselY(RoundToInt(n), x); }
double Abs(double x) { return std::fabs(x); }
double Ldexp(double x, double n) { return std::ldexp(x, RoundToInt(n)); }
double Fmod(double a, double b) { return std::fmod(a, b); }
double Ceil(double x) { return std::ceil(x); }
double Floor(double x) { return std::floor(x); }
double Near(double x) { return RoundHalfAway(x); }
double Srand(double x) {
  // The truncated seed taken modulo 2^32, as an integer conversion would
  // wrap it; a seed beyond any integer type must not be converted directly.
  double seed = std::isfinite(x) ? std::fmod(std::trunc(x), 4294967296.0) : 0.0;
  if (seed < 0) seed += 4294967296.0;
  std::srand(static_cast<unsigned>(seed));
  return 0;
}
double Rand(double) { return std::rand(); }
double Time(double) { return static_cast<double>(std::time(nullptr)); }
double ProcessorMilliseconds(double) { return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }
double Erf(double x) { return std::isfinite(x) ? std::erf(x) : kNaN; }
double Erfc(double x) { return std::isfinite(x) ? std::erfc(x) : kNaN; }
double GammaOf(double x) { return Gamma(x); }
double LogGammaOf(double x) { return LogGamma(x); }
double Gammp(double a, double x) { return RegularizedLowerGamma(a, x); }
double Max(double a, double b) { return a >= b ? a : b; }
double Min(double a, double b) { return a < b ? a : b; }
double Select(double c, double a, double b) { return c != 0 ? a : b; }

Builtin Operator(std::string_view name) { return {name, 2, BuiltinGroup::kOperator, {}}; }
Builtin Text(std::string_view name) { return {name, -1, BuiltinGroup::kText, {}}; }
Builtin One(std::string_view name, Simple1 fn, int arity = 1) {
  Builtin entry{name, arity, BuiltinGroup::kSimple, {}};
  entry.simple1 = fn;
  return entry;
}
Builtin Two(std::string_view name, Simple2 fn) {
  Builtin entry{name, 2, BuiltinGroup::kSimple, {}};
  entry.simple2 = fn;
  return entry;
}
Builtin Three(std::string_view name, Simple3 fn) {
  Builtin entry{name, 3, BuiltinGroup::kSimple, {}};
  entry.simple3 = fn;
  return entry;
}
// Entries that work on the calling frame, with the kind of each argument.
Builtin Special(std::string_view name, std::initializer_list<ArgKind> kinds, bool integrationType = false) {
  Builtin entry{name, static_cast<int>(kinds.size()), BuiltinGroup::kSpecial, {}};
  int i = 0;
  for (ArgKind kind : kinds) entry.kinds[i++] = kind;
  entry.integrationType = integrationType;
  return entry;
}

std::array<Builtin, kBuiltinCount> MakeTable() {
  return {
      Operator("Add"), Operator("Subtract"), Operator("Divide"), Operator("Multiply"), Operator("Power"),
      Operator("Equality"), Operator("GT"), Operator("LT"), Operator("GE"), Operator("LE"), Operator("EQ"),
      Operator("NE"), Operator("AND"), Operator("OR"),
      Text("Dir"), Text("Dir2"), Text("Write"), Text("Write2"), Text("Print"), Text("Print2"),
      Text("System"), Text("FopenW"), Text("FopenR"), Text("SetNumberFormat"),
      Special("FcloseW", {}), Special("FcloseR", {}), Special("SkipLines", {K::kValue}),
      One("Not", Not), One("exp", Exp), One("ln", Ln), One("lg", Lg), One("sqrt", Sqrt), One("sin", Sin),
      One("cos", Cos), One("tg", Tan), One("arcsin", Asin), One("arccos", Acos), One("arctg", Atan),
      Two("arctg2", Atan2), One("sinh", Sinh), One("cosh", Cosh), One("tanh", Tanh), One("j0", J0),
      One("j1", J1), Two("jn", Jn), One("y0", Y0), One("y1", Y1), Two("yn", Yn), One("abs", Abs),
      Two("ldexp", Ldexp), Two("fmod", Fmod), One("ceil", Ceil), One("floor", Floor), One("near", Near),
      One("srand", Srand), Special("srand2", {K::kValue}), One("rand", Rand, 0), Special("rand2", {K::kValue}),
      One("time", Time, 0), One("clock", ProcessorMilliseconds, 0),
      Special("indirect", {K::kValueOrReference}),
      Special("memcpy", {K::kValueOrReference, K::kValueOrReference, K::kValue}),
      One("erf", Erf), One("erfc", Erfc), One("gamma", GammaOf), One("lngamma", LogGammaOf),
      Two("gammp", Gammp), Two("max", Max), Two("min", Min), Three("select", Select),
      Special("loc", {K::kValue}),
      Special("Invert", {K::kMatrixReference}), Special("Size", {K::kArrayReference}),
      Special("Size2", {K::kArrayReference, K::kValue}),
      Special("Int", {K::kValue, K::kBoundVariable, K::kValue, K::kValue}, true),
      Special("Int2", {K::kValue, K::kBoundVariable, K::kValue, K::kValue, K::kValue, K::kValue, K::kValue}, true),
      Special("Inti", {K::kValue, K::kBoundVariable, K::kValue, K::kValue}, true),
      Special("Inti2", {K::kValue, K::kBoundVariable, K::kValue, K::kValue, K::kValue, K::kValue, K::kValue}, true),
      Special("Intw", {K::kValue, K::kBoundVariable, K::kValue, K::kValue, K::kValue, K::kValue}, true),
      Special("Intw2", {K::kValue, K::kBoundVariable, K::kValue, K::kValue, K::kValue, K::kValue, K::kValue,
                      K::kValue, K::kValue, K::kValue},
            true),
      Special("Sum", {K::kValue, K::kBoundVariable, K::kValue, K::kValue}, true),
      Special("Sum2", {K::kValue, K::kBoundVariable, K::kValue, K::kValue, K::kValue}, true),
      Special("Iter", {K::kValue, K::kBoundVariable, K::kValue, K::kValue}, true),
      Special("Root", {K::kValue, K::kBoundVariable, K::kValue, K::kValue}, true),
      Special("Root2", {K::kValue, K::kBoundVariable, K::kValue, K::kValue, K::kValue, K::kValue,
                      K::kVariableReference},
            true),
      Special("Return", {K::kValue}),
      Special("Find", {K::kValue, K::kArrayReference, K::kValue}),
      Special("Find2", {K::kValue, K::kArrayReference, K::kValue, K::kValue, K::kValue}),
      Special("Hist", {K::kArrayReference, K::kArrayReference, K::kArrayReference}),
      Special("Hist2", {K::kArrayReference, K::kArrayReference, K::kArrayReference, K::kValue, K::kValue}),
      Special("ReadArray", {K::kArrayReference}), Special("ReadArray2", {K::kArrayReference, K::kValue}),
      Special("Sort", {K::kArrayReference}), Special("Sort2", {K::kArrayReference, K::kArrayReference}),
  };
}

}  // namespace

const std::array<Builtin, kBuiltinCount>& BuiltinTable() {
  static const std::array<Builtin, kBuiltinCount> table = MakeTable();
  return table;
}

std::optional<int> FindBuiltin(std::string_view name) {
  static const std::unordered_map<std::string, int> byName = [] {
    std::unordered_map<std::string, int> names;
    const auto& table = BuiltinTable();
    for (int i = kFirstNamedBuiltin; i < kBuiltinCount; ++i) names.emplace(FoldName(table[i].name), i);
    return names;
  }();
  auto found = byName.find(FoldName(name));
  if (found == byName.end()) return std::nullopt;
  return found->second;
}

}  // namespace tessarin::engine

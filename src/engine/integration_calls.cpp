#include <cmath>
#include <limits>

#include "engine/machine.h"
#include "engine/quadpack.h"
#include "engine/special_math.h"
#include "engine/zero_finder.h"

// The integration-type built-ins (Int, Inti, Intw and their variants, Sum,
// Sum2, Iter, Root, Root2) and the RANMAR built-ins. Each point of an
// integration-type call is evaluated by storing it into the bound variable
// and running the operations of the call's expression again.

namespace tessarin::engine {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kMaxIntegrationNesting = 20;
constexpr int kSystemIer = 10, kSystemAbsErr = 11, kSystemNEval = 12;
constexpr double kMaxSubintervals = 1000000;
constexpr double kMaxLeniw = 2000000;
constexpr double kMaxMoments = 200000;

// x + 0.5 truncated toward zero, as an int clamped to [-1, INT_MAX - 1];
// NaN gives -1 (an invalid size that the routines refuse).
int HalfUpCount(double x) {
  double t = std::trunc(x + 0.5);
  if (!(t >= 0)) return -1;
  return t > 2147483646.0 ? 2147483646 : static_cast<int>(t);
}

template <typename PointFunction>
class ExpressionIntegrand : public Integrand {
 public:
  explicit ExpressionIntegrand(PointFunction evaluate) : evaluate_(evaluate) {}
  double Evaluate(double x) override {
    if (abandoned_) return kNaN;
    double value = 0.0;
    if (!evaluate_(x, value)) abandoned_ = true;
    return value;
  }
  bool Abandoned() const override { return abandoned_; }

 private:
  PointFunction evaluate_;
  bool abandoned_ = false;
};

Msg IntegratorDetail(int ier) {
  switch (ier) {
    case 1: return Msg::kIntegratorCode1;
    case 2: return Msg::kIntegratorCode2;
    case 3: return Msg::kIntegratorCode3;
    case 4: return Msg::kIntegratorCode4;
    case 5: return Msg::kIntegratorCode5;
    default: return Msg::kIntegratorCode6;
  }
}

}  // namespace

double Machine::RunRanmar(int builtin, double argument) {
  if (builtin == builtin::kSrand2) {
    double k = std::trunc(argument + 0.5);
    // Seeds outside the generator's ranges fall back to its defaults.
    if (!(k >= 0 && k < 2147483648.0)) {
      ranmar_.Seed(-1, -1);
    } else {
      auto seed = static_cast<long long>(k);
      ranmar_.Seed(static_cast<int>(seed / 30082), static_cast<int>(seed % 30082));
    }
    return 0.0;
  }
  return std::trunc(argument + 0.5) > 0 ? ranmar_.Normal() : ranmar_.Uniform();
}

double Machine::Integrate(const IntegrationCall& call, double* s, int programSlot, int pc, bool& blockEnds) {
  Frame& frame = *frames_[depth_];
  auto fail = [&](Msg detail) {
    RecordBuiltinError(call.builtin, MessageText(detail), programSlot, pc);
    blockEnds = true;
    return kNaN;
  };
  if (frame.integrationNesting >= kMaxIntegrationNesting) {
    RecordError(Format(Msg::kIntegrationNesting, kMaxIntegrationNesting), programSlot, pc);
    blockEnds = true;
    return kNaN;
  }
  struct NestingGuard {
    int& count;
    explicit NestingGuard(int& c) : count(c) { ++count; }
    ~NestingGuard() { --count; }
  } guard(frame.integrationNesting);

  const int depth = depth_;
  double* boundVariable = nullptr;
  switch (call.boundTarget) {
    case BoundTarget::kLocal: boundVariable = s + call.boundIndex; break;
    case BoundTarget::kGlobal: boundVariable = tables_.globals.Values() + call.boundIndex; break;
    case BoundTarget::kThrough: boundVariable = frame.through[call.boundIndex]; break;
  }
  // One point: false when the expression did not run to its end (the
  // program was interrupted or the block ended).
  auto evaluate = [&](double x, double& value) {
    *boundVariable = x;
    rangeEnd_ = {-1, -1};
    value = Execute(programSlot, static_cast<std::size_t>(call.expressionStart), call.expressionEnd);
    return !stopped_ && rangeEnd_.depth == depth && rangeEnd_.operation == call.expressionEnd;
  };
  ExpressionIntegrand<decltype(evaluate)> f(evaluate);
  auto argument = [&](int i) { return s[call.arguments[i]]; };

  switch (call.builtin) {
    case builtin::kSum:
    case builtin::kIter: {
      double first = RoundHalfAway(argument(2));
      double last = RoundHalfAway(argument(3));
      double step = first <= last ? 1.0 : -1.0;
      double sum = 0.0, value = 0.0;
      for (double v = first;; v += step) {
        value = f.Evaluate(v);
        if (f.Abandoned()) return blockEnds = true, kNaN;
        sum += value;
        if (v == last || !std::isfinite(v) || !std::isfinite(last)) break;
      }
      return call.builtin == builtin::kSum ? sum : value;
    }
    case builtin::kSum2: {
      double x1 = argument(2), x2 = argument(3), step = std::fabs(argument(4));
      if (step == 0.0) return fail(Msg::kZeroStep);
      double sum = 0.0;
      if (x2 >= x1) {
        for (double x = x1; x <= x2; x += step) {
          sum += f.Evaluate(x);
          if (f.Abandoned()) return blockEnds = true, kNaN;
        }
      } else if (x2 < x1) {
        for (double x = x1; x >= x2; x -= step) {
          sum += f.Evaluate(x);
          if (f.Abandoned()) return blockEnds = true, kNaN;
        }
      }
      return sum;
    }
    case builtin::kRoot:
    case builtin::kRoot2: {
      double* flag = nullptr;
      if (call.builtin == builtin::kRoot2) {
        flag = ResolveVariable(argument(6));
        if (!flag) return fail(Msg::kNotAReference);
      }
      double b = argument(2), c = argument(3);
      double re = flag ? argument(4) : 1e-9;
      double ae = flag ? argument(5) : 1e-100;
      ZeroFinder finder;
      double point = finder.Start(b, c, 0.5 * (b + c), re, ae);
      for (;;) {
        double value = f.Evaluate(point);
        if (f.Abandoned()) return blockEnds = true, kNaN;
        if (!finder.Step(value, point)) break;
      }
      int status = finder.Status() - 1;
      if (flag) *flag = status;
      if (status >= 2) {
        Msg detail = status == 2 ? Msg::kRootCode2 : status == 3 ? Msg::kRootCode3 : Msg::kRootCode4;
        RecordBuiltinError(call.builtin, MessageText(detail), programSlot, pc);
      }
      return finder.B();
    }
    default: break;
  }

  // The integrators.
  QuadratureResult outcome;
  double epsabs = 0.0, epsrel = 1e-5;
  int limit = 200;
  bool given = call.builtin == builtin::kInt2 || call.builtin == builtin::kInti2;
  if (given) {
    epsabs = argument(4);
    epsrel = argument(5);
    if (std::trunc(argument(6) + 0.5) > kMaxSubintervals) return fail(Msg::kTooManySubintervals);
    limit = HalfUpCount(argument(6));
  }
  switch (call.builtin) {
    case builtin::kInt:
    case builtin::kInt2: outcome = IntegrateFinite(f, argument(2), argument(3), epsabs, epsrel, limit); break;
    case builtin::kInti:
    case builtin::kInti2: {
      int inf = RoundToInt(argument(3));
      if (inf == 0) inf = 1;
      if (inf >= 2 || inf <= -3) inf = 2;
      outcome = IntegrateInfinite(f, argument(2), inf, epsabs, epsrel, limit);
      break;
    }
    default: {  // Intw, Intw2
      double omega = argument(4);
      int integr = std::trunc(argument(5) + 0.5) >= 2 ? 2 : 1;
      int leniw = 400, maxp1 = 100;
      if (call.builtin == builtin::kIntw2) {
        epsabs = argument(6);
        epsrel = argument(7);
        if (std::trunc(argument(8) + 0.5) > kMaxLeniw) return fail(Msg::kTooManySubintervals);
        if (std::trunc(argument(9) + 0.5) > kMaxMoments) return fail(Msg::kTooManyMoments);
        leniw = HalfUpCount(argument(8));
        maxp1 = HalfUpCount(argument(9));
      }
      if (omega == 0.0 && integr == 2) {
        outcome.neval = 1;  // sin(0·x) vanishes: nothing to evaluate
      } else {
        outcome = IntegrateOscillatory(f, argument(2), argument(3), omega, integr, epsabs, epsrel, leniw, maxp1);
      }
      break;
    }
  }
  if (f.Abandoned()) return blockEnds = true, kNaN;
  if (outcome.ier == kQuadNoStorage) return fail(Msg::kNoWorkMemory);
  tables_.systemVariables[kSystemIer] = outcome.ier;
  tables_.systemVariables[kSystemAbsErr] = outcome.abserr;
  tables_.systemVariables[kSystemNEval] = outcome.neval;
  if (outcome.ier != 0) RecordBuiltinError(call.builtin, MessageText(IntegratorDetail(outcome.ier)), programSlot, pc);
  return outcome.result;
}

}  // namespace tessarin::engine

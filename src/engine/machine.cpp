#include "engine/machine.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "engine/references.h"

namespace tessarin::engine {
namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string WriteLimitFailure(const UserFiles& files) {
  return Format(Msg::kWriteLimitReached, static_cast<double>(files.WriteLimit()) / 1048576.0);
}
}  // namespace

Machine::Machine(EngineTables& tables, const std::atomic<bool>& interrupt)
    : tables_(tables), interrupt_(interrupt), builtins_(BuiltinTable()) {}

Machine::Frame& Machine::FrameAt(int depth) {
  while (static_cast<int>(frames_.size()) <= depth) frames_.push_back(std::make_unique<Frame>());
  return *frames_[depth];
}

double Machine::Run(int programSlot, ProgramOutput& output) {
  output_ = &output;
  stopped_ = false;
  error_ = RuntimeErrorRecord{};
  depth_ = 0;
  const CompiledProgram& code = tables_.slots[programSlot]->code;
  FrameAt(0).slots = code.initialSlots;
  FrameAt(0).through.clear();
  return Execute(programSlot);
}

void Machine::RecordError(std::string message, int programSlot, int pc) {
  if (error_.recorded) return;
  error_.recorded = true;
  error_.message = std::move(message);
  if (depth_ == 0) error_.line = tables_.slots[programSlot]->code.operationLines[pc];
}

void Machine::RecordBuiltinError(int builtin, std::string_view detail, int programSlot, int pc) {
  std::string name(builtins_[builtin].name);
  std::string head = depth_ == 0 ? Format(Msg::kRuntimeBuiltinReported, name)
                                 : Format(Msg::kRuntimeBuiltinCalled, tables_.slots[programSlot]->record.name, name);
  RecordError(head + " " + std::string(detail), programSlot, pc);
}

double* Machine::ResolveVariable(double value) {
  std::optional<Reference> reference = DecodeReference(value);
  if (!reference) return nullptr;
  if (reference->kind == ReferenceKind::kGlobal) {
    if (reference->index >= tables_.globals.size()) return nullptr;
    return tables_.globals.Values() + reference->index;
  }
  if (reference->kind != ReferenceKind::kFrameVariable || reference->depth > depth_) return nullptr;
  Frame& frame = *frames_[reference->depth];
  if (reference->index >= static_cast<std::int64_t>(frame.slots.size())) return nullptr;
  return frame.slots.data() + reference->index;
}

std::optional<double> Machine::CopyBytes(double destination, double source, double count) {
  if (!(count > -0.5 && count < 2147483647.5)) return -1.0;
  auto bytes = static_cast<std::size_t>(count + 0.5);
  std::optional<ReferencedBytes> to = ResolveBytes(destination);
  std::optional<ReferencedBytes> from = ResolveBytes(source);
  if (!to || !from) {
    copyError_ = Msg::kNotAReference;
    return std::nullopt;
  }
  // Never past the end of either referenced variable or array.
  if (bytes > to->size || bytes > from->size) {
    copyError_ = Msg::kCopyPassesEnd;
    return std::nullopt;
  }
  std::memmove(to->data, from->data, bytes);
  return 0.0;
}

double Machine::RunText(const TextCall& call, const double* slots, std::string& failure) {
  textValues_.clear();
  for (int slot : call.values) textValues_.push_back(slots[slot]);
  std::string text = BuildText(call.pieces, textValues_, numberFormat_);
  switch (call.builtin) {
    case builtin::kWrite:
      if (files_.HasOutput()) {
        if (!files_.Write(text + "\n")) failure = WriteLimitFailure(files_);
        break;
      }
      [[fallthrough]];
    case builtin::kDir: output_->EmitLine(text, true); break;
    case builtin::kWrite2:
      if (files_.HasOutput()) {
        if (!files_.Write(text)) failure = WriteLimitFailure(files_);
        break;
      }
      [[fallthrough]];
    case builtin::kDir2: output_->EmitLine(text, false); break;
    case builtin::kSystem:
    case builtin::kFopenW:
    case builtin::kFopenR: return RunFileText(call.builtin, text, failure);
    case builtin::kPrint: output_->Print(text + "\n"); break;
    case builtin::kPrint2: output_->Print(text); break;
    case builtin::kSetNumberFormat:
      if (text.find_first_not_of(" \t") == std::string::npos) {
        numberFormat_ = std::string(kDefaultNumberFormat);
      } else if (IsValidNumberFormat(text)) {
        numberFormat_ = text;
      }
      break;
    default: break;
  }
  return static_cast<double>(call.values.size());
}

double Machine::Call(int program, const double* callerSlots, const std::int32_t* arguments, int count,
                     int callerSlot, int pc, bool& blockEnds) {
  blockEnds = false;
  if (depth_ >= kMaxCallDepth) {
    RecordError(Format(Msg::kCallDepth, kMaxCallDepth), callerSlot, pc);
    blockEnds = true;
    return kNaN;
  }
  const CompiledProgram& code = tables_.slots[program]->code;
  Frame& frame = FrameAt(depth_ + 1);
  frame.slots = code.initialSlots;
  for (int i = 0; i < count; ++i) frame.slots[i] = callerSlots[arguments[i]];
  ++depth_;
  double value = Execute(program);
  --depth_;
  if (depth_ == 0 && error_.recorded && error_.line < 0)
    error_.line = tables_.slots[callerSlot]->code.operationLines[pc];
  return value;
}

double Machine::Execute(int programSlot, std::size_t startPc, std::int64_t stopAt) {
  const ProgramSlot& slot = *tables_.slots[programSlot];
  const CompiledProgram& code = slot.code;
  Frame& frame = *frames_[depth_];
  double* s = frame.slots.data();
  const std::vector<int>& kinds = slot.record.formalKinds;
  if (startPc == 0) {
    frame.through.assign(kinds.size(), nullptr);
    frame.integrationNesting = 0;
  }
  for (std::size_t i = 0; startPc == 0 && i < kinds.size(); ++i) {
    if (kinds[i] != kFormalVariable) continue;
    // The reference was made by the caller, one level up.
    --depth_;
    frame.through[i] = ResolveVariable(s[i]);
    ++depth_;
    if (!frame.through[i]) {
      RecordBuiltinError(builtin::kLoc, MessageText(Msg::kNotAReference), programSlot, 0);
      return kNaN;
    }
  }
  double* const* through = frame.through.data();
  double* globals = tables_.globals.Values();
  const Operation* ops = code.operations.data();
  const std::int32_t* pool = code.argumentPool.data();
  double last = 0.0;
  std::size_t pc = startPc;
  // The interrupt flag is looked at on entry and on every jump back, so
  // every loop and every recursion sees it within a few operations.
  if (interrupt_.load(std::memory_order_acquire)) {
    stopped_ = true;
    return kNaN;
  }
  const Operation* op = nullptr;
#if defined(__GNUC__)
  // Dispatch through a table of labels (a GNU extension): one indirect jump
  // per operation instead of a bounds check and a jump through the switch.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"
  static const void* const kTargets[] = {
#define TESSARIN_OPCODE_LABEL(name) &&label_##name,
      TESSARIN_OPCODES(TESSARIN_OPCODE_LABEL)
#undef TESSARIN_OPCODE_LABEL
  };
#define CASE(name) label_##name:
#define NEXT                            \
  op = &ops[pc++];                      \
  goto* kTargets[static_cast<int>(op->code)];
  NEXT
#else
#define CASE(name) case OpCode::name:
#define NEXT break;
  for (;;) {
    op = &ops[pc++];
    switch (op->code) {
#endif
      CASE(kAdd) last = s[op->r] = s[op->a] + s[op->b]; NEXT
      CASE(kSubtract) last = s[op->r] = s[op->a] - s[op->b]; NEXT
      CASE(kMultiply) last = s[op->r] = s[op->a] * s[op->b]; NEXT
      CASE(kDivide) last = s[op->r] = s[op->a] / s[op->b]; NEXT
      CASE(kPower) last = s[op->r] = std::pow(s[op->a], s[op->b]); NEXT
      CASE(kGreater) last = s[op->r] = s[op->a] > s[op->b] ? 1.0 : 0.0; NEXT
      CASE(kLess) last = s[op->r] = s[op->a] < s[op->b] ? 1.0 : 0.0; NEXT
      CASE(kGreaterEqual) last = s[op->r] = s[op->a] >= s[op->b] ? 1.0 : 0.0; NEXT
      CASE(kLessEqual) last = s[op->r] = s[op->a] <= s[op->b] ? 1.0 : 0.0; NEXT
      CASE(kEqual) last = s[op->r] = s[op->a] == s[op->b] ? 1.0 : 0.0; NEXT
      CASE(kNotEqual) last = s[op->r] = s[op->a] != s[op->b] ? 1.0 : 0.0; NEXT
      CASE(kAnd) last = s[op->r] = (s[op->a] != 0 && s[op->b] != 0) ? 1.0 : 0.0; NEXT
      CASE(kOr) last = s[op->r] = (s[op->a] == 0 && s[op->b] == 0) ? 0.0 : 1.0; NEXT
      CASE(kCopy) last = s[op->r] = s[op->a]; NEXT
      CASE(kLoadGlobal) last = s[op->r] = globals[op->a]; NEXT
      CASE(kStoreGlobal) last = s[op->r] = globals[op->a] = s[op->b]; NEXT
      CASE(kLoadSystem) last = s[op->r] = tables_.systemVariables[op->a]; NEXT
      CASE(kLoadThrough) last = s[op->r] = *through[op->a]; NEXT
      CASE(kStoreThrough) last = s[op->r] = *through[op->a] = s[op->b]; NEXT
      CASE(kJump)
        pc = static_cast<std::size_t>(op->c);
        if (interrupt_.load(std::memory_order_acquire)) {
          stopped_ = true;
          return kNaN;
        }
        NEXT
      CASE(kJumpIfFalse)
        last = s[op->a];
        if (last == 0) pc = static_cast<std::size_t>(op->c);
        NEXT
#define TESSARIN_COMPARE_JUMP(CODE, OPERATOR)    \
  CASE(CODE)                                     \
  if (s[op->a] OPERATOR s[op->b]) {              \
    last = s[op->r] = 1.0;                       \
  } else {                                       \
    last = s[op->r] = 0.0;                       \
    pc = static_cast<std::size_t>(op->c);        \
  }                                              \
  NEXT
      TESSARIN_COMPARE_JUMP(kLessJump, <)
      TESSARIN_COMPARE_JUMP(kLessEqualJump, <=)
      TESSARIN_COMPARE_JUMP(kGreaterJump, >)
      TESSARIN_COMPARE_JUMP(kGreaterEqualJump, >=)
      TESSARIN_COMPARE_JUMP(kEqualJump, ==)
      TESSARIN_COMPARE_JUMP(kNotEqualJump, !=)
#undef TESSARIN_COMPARE_JUMP
// The test at the end of a loop: back into the body while it holds.
#define TESSARIN_BACK_WHILE(CONDITION)                     \
  if (CONDITION) {                                         \
    last = 1.0;                                            \
    pc = static_cast<std::size_t>(op->c);                  \
    if (interrupt_.load(std::memory_order_acquire)) {      \
      stopped_ = true;                                     \
      return kNaN;                                         \
    }                                                      \
  } else {                                                 \
    last = 0.0;                                            \
  }                                                        \
  NEXT
      CASE(kLessBack) TESSARIN_BACK_WHILE(s[op->a] < s[op->b])
      CASE(kLessEqualBack) TESSARIN_BACK_WHILE(s[op->a] <= s[op->b])
      CASE(kGreaterBack) TESSARIN_BACK_WHILE(s[op->a] > s[op->b])
      CASE(kGreaterEqualBack) TESSARIN_BACK_WHILE(s[op->a] >= s[op->b])
      CASE(kEqualBack) TESSARIN_BACK_WHILE(s[op->a] == s[op->b])
      CASE(kNotEqualBack) TESSARIN_BACK_WHILE(s[op->a] != s[op->b])
      CASE(kAddLessBack)
        s[op->r] += s[op->a];
        TESSARIN_BACK_WHILE(s[op->r] < s[op->b])
      CASE(kAddLessEqualBack)
        s[op->r] += s[op->a];
        TESSARIN_BACK_WHILE(s[op->r] <= s[op->b])
#undef TESSARIN_BACK_WHILE
      CASE(kMultiplyAdd) last = s[op->r] = s[op->a] + s[op->b] * s[op->c]; NEXT
      CASE(kSimple1) last = s[op->r] = builtins_[op->c].simple1(s[op->a]); NEXT
      CASE(kSimple2) last = s[op->r] = builtins_[op->c].simple2(s[op->a], s[op->b]); NEXT
      CASE(kSimple3)
        last = s[op->r] = builtins_[op->c].simple3(s[pool[op->a]], s[pool[op->a + 1]], s[pool[op->a + 2]]);
        NEXT
      CASE(kText) {
        std::string failure;
        last = s[op->r] = RunText(code.textCalls[op->a], s, failure);
        if (!failure.empty()) {
          RecordBuiltinError(code.textCalls[op->a].builtin, failure, programSlot, static_cast<int>(pc - 1));
          return kNaN;
        }
      }
        // An interruption while the line waited for the reader ends the
        // program here; going on would write lines nobody takes any more.
        if (interrupt_.load(std::memory_order_acquire)) {
          stopped_ = true;
          return kNaN;
        }
        NEXT
      CASE(kIndirect) {
        std::optional<double> target = Indirect(s[op->a]);
        if (!target) {
          RecordBuiltinError(op->c, MessageText(Msg::kNotAReference), programSlot, static_cast<int>(pc - 1));
          return kNaN;
        }
        last = s[op->r] = *target;
      }
        NEXT
      CASE(kCopyBytes) {
        std::optional<double> copied = CopyBytes(s[pool[op->a]], s[pool[op->a + 1]], s[pool[op->a + 2]]);
        if (!copied) {
          RecordBuiltinError(op->c, MessageText(copyError_), programSlot, static_cast<int>(pc - 1));
          return kNaN;
        }
        last = s[op->r] = *copied;
      }
        NEXT
      CASE(kReference) {
        Reference reference{static_cast<ReferenceKind>(op->a), depth_, op->b};
        last = s[op->r] = EncodeReference(reference);
      }
        NEXT
      CASE(kReturn) return s[op->a];
      CASE(kCallProgram)
      CASE(kCallFunctionFormal) {
        int program = op->c;
        if (op->code == OpCode::kCallFunctionFormal) {
          std::optional<Reference> reference = DecodeReference(s[op->c]);
          if (!reference || reference->kind != ReferenceKind::kFunction ||
              reference->index >= static_cast<std::int64_t>(tables_.slots.size()) ||
              !tables_.slots[reference->index]->code.compiled) {
            RecordBuiltinError(builtin::kLoc, MessageText(Msg::kNotAReference), programSlot, static_cast<int>(pc - 1));
            return kNaN;
          }
          program = static_cast<int>(reference->index);
        }
        bool blockEnds = false;
        double value = Call(program, s, pool + op->a, op->b, programSlot, static_cast<int>(pc - 1), blockEnds);
        if (stopped_ || blockEnds) return kNaN;
        last = s[op->r] = value;
      }
        NEXT
      CASE(kEnd) return last;
      CASE(kIntegrandEnd)
        if (static_cast<std::int64_t>(pc - 1) == stopAt) {
          rangeEnd_ = {depth_, stopAt};
          return s[op->a];
        }
        NEXT
      CASE(kIntegrate) {
        bool blockEnds = false;
        double value = Integrate(code.integrationCalls[op->a], s, programSlot, static_cast<int>(pc - 1), blockEnds);
        if (stopped_ || blockEnds) return kNaN;
        last = s[op->r] = value;
      }
        NEXT
      CASE(kRanmar) last = s[op->r] = RunRanmar(op->c, s[op->a]); NEXT
      CASE(kFileFunction)
        last = s[op->r] = RunFileFunction(op->c, s[op->a]);
        // SkipLines gives up early when asked to stop.
        if (interrupt_.load(std::memory_order_acquire)) {
          stopped_ = true;
          return kNaN;
        }
        NEXT
      CASE(kArrayLoad) {
        ElementPlace place;
        if (!ResolveElement(code.elementAccesses[op->a], s, programSlot, static_cast<int>(pc - 1), place)) return kNaN;
        last = s[op->r] = LoadElement(place.type, place.where);
      }
        NEXT
      CASE(kArrayStore) {
        ElementPlace place;
        if (!ResolveElement(code.elementAccesses[op->a], s, programSlot, static_cast<int>(pc - 1), place)) return kNaN;
        StoreElement(place.type, place.where, s[op->b]);
        last = s[op->r] = s[op->b];
      }
        NEXT
      CASE(kArrayReference) {
        std::optional<double> reference =
            ReferToPart(code.elementAccesses[op->a], s, programSlot, static_cast<int>(pc - 1));
        if (!reference) return kNaN;
        last = s[op->r] = *reference;
      }
        NEXT
      CASE(kArrayBuiltin) {
        bool blockEnds = false;
        double value = RunArrayBuiltin(op->c, s, pool + op->a, programSlot, static_cast<int>(pc - 1), blockEnds);
        // A long sort or search gives up early when asked to stop.
        if (interrupt_.load(std::memory_order_acquire)) stopped_ = true;
        if (stopped_ || blockEnds) return kNaN;
        last = s[op->r] = value;
      }
        NEXT
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#else
    }
  }
#endif
#undef CASE
#undef NEXT
}

}  // namespace tessarin::engine

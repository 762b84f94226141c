#include "engine/machine.h"

#include <cmath>
#include <cstdlib>
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
    : tables_(tables),
      interrupt_(interrupt),
      builtins_(BuiltinTable()),
      portableDispatch_(std::getenv("TESSARIN_PORTABLE_DISPATCH") != nullptr) {}

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
  return portableDispatch_ ? ExecuteBySwitch(programSlot, startPc, stopAt)
                           : ExecuteByLabels(programSlot, startPc, stopAt);
}

double Machine::ExecuteBySwitch(int programSlot, std::size_t startPc, std::int64_t stopAt) {
#define TESSARIN_DISPATCH_BY_LABELS 0
#include "engine/machine_execute.inc"
#undef TESSARIN_DISPATCH_BY_LABELS
}

double Machine::ExecuteByLabels(int programSlot, std::size_t startPc, std::int64_t stopAt) {
#if defined(__GNUC__)
#define TESSARIN_DISPATCH_BY_LABELS 1
#else
#define TESSARIN_DISPATCH_BY_LABELS 0
#endif
#include "engine/machine_execute.inc"
#undef TESSARIN_DISPATCH_BY_LABELS
}

}  // namespace tessarin::engine

#pragma once
// The executor: runs compiled blocks, one frame of value slots per active
// call, and records the first runtime error of a run.

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/builtins.h"
#include "engine/engine_tables.h"
#include "engine/messages.h"
#include "engine/number_format.h"
#include "engine/ranmar.h"
#include "engine/user_files.h"

namespace tessarin::engine {

// Where the text functions send their text.
class ProgramOutput {
 public:
  virtual ~ProgramOutput() = default;
  // Dir and Write (finished) end the current generated line; Dir2 and Write2
  // continue it.
  virtual void EmitLine(std::string_view text, bool finished) = 0;
  virtual void Print(std::string_view text) = 0;
  // Whether System may run commands in this reading (asked once).
  [[nodiscard]] virtual bool AllowCommands(std::string_view firstCommand) = 0;
  // Whether files that need the user's yes may be opened in this reading
  // (asked once, with the reason).
  [[nodiscard]] virtual bool AllowFiles(std::string_view firstPath, std::string_view reason) = 0;
  // Off while a command of System runs, so that its keys stay its own.
  virtual void SetKeyPolling(bool on) = 0;
};

inline constexpr int kMaxCallDepth = 1000;

struct RuntimeErrorRecord {
  bool recorded = false;
  std::string message;
  int line = -1;  // in the block that was started
};

class Machine {
 public:
  Machine(EngineTables& tables, const std::atomic<bool>& interrupt);

  // Runs the block from the start; afterwards see Stopped() and Error().
  double Run(int programSlot, ProgramOutput& output);
  [[nodiscard]] bool Stopped() const { return stopped_; }
  const RuntimeErrorRecord& Error() const { return error_; }
  void ResetNumberFormat() { numberFormat_ = std::string(kDefaultNumberFormat); }
  const std::string& NumberFormat() const { return numberFormat_; }
  // Only while no program runs.
  void FlushOutputFile() { files_.FlushOutput(); }
  UserFiles& Files() { return files_; }

 private:
  struct Frame {
    std::vector<double> slots;
    std::vector<double*> through;  // the caller's variable behind each loc formal
    int integrationNesting = 0;    // integration-type calls active in this block
  };
  // Runs the block whose frame at depth_ is filled in; false in `failed`
  // means the block ended normally.
  // startPc and stopAt (the kIntegrandEnd that ends the run) re-run the
  // expression of an integration-type call in the current frame.
  double Execute(int programSlot, std::size_t startPc = 0, std::int64_t stopAt = -1);
  // The same operations, dispatched the fast way (GNU label addresses) or
  // through a portable switch (machine_execute.inc).
  double ExecuteByLabels(int programSlot, std::size_t startPc, std::int64_t stopAt);
  double ExecuteBySwitch(int programSlot, std::size_t startPc, std::int64_t stopAt);
  // The integration-type calls (integration_calls.cpp); blockEnds when the
  // call ended the block.
  double Integrate(const IntegrationCall& call, double* slots, int programSlot, int pc, bool& blockEnds);
  double RunRanmar(int builtin, double argument);
  // FcloseW, FcloseR and SkipLines (user_file_calls.cpp).
  double RunFileFunction(int builtin, double argument);
  // System, FopenW and FopenR with their built text; the detail of the
  // runtime error in `failure` when the command or the file was refused.
  double RunFileText(int builtin, const std::string& text, std::string& failure);
  double OpenUserFile(int builtin, const std::string& path, std::string& failure);
  // Arrays (array_calls.cpp).
  struct ElementPlace {
    unsigned char* where = nullptr;
    ElementType type = ElementType::kDouble;
  };
  struct ReferencedBytes {
    unsigned char* data = nullptr;
    std::size_t size = 0;
  };
  [[nodiscard]] bool ResolveElement(const ElementAccess& access, const double* slots, int programSlot, int pc, ElementPlace& place);
  std::optional<double> ReferToPart(const ElementAccess& access, const double* slots, int programSlot, int pc);
  void RecordArrayError(std::string_view name, Msg detail, int programSlot, int pc);
  // What a reference from loc designates: a variable or the rest of an array.
  std::optional<ReferencedBytes> ResolveBytes(double reference);
  std::optional<double> Indirect(double reference);
  double RunArrayBuiltin(int builtin, const double* slots, const std::int32_t* arguments, int programSlot, int pc,
                         bool& blockEnds);
  double Call(int program, const double* callerSlots, const std::int32_t* arguments, int count, int callerSlot,
              int pc, bool& blockEnds);
  double* ResolveVariable(double reference);
  void RecordBuiltinError(int builtin, std::string_view detail, int programSlot, int pc);
  void RecordError(std::string message, int programSlot, int pc);
  // The value of a text function; the detail of a runtime error in
  // `failure`.
  double RunText(const TextCall& call, const double* slots, std::string& failure);
  // memcpy: 0 when copied, -1 for a count out of range, none on an error
  // (its text in copyError_).
  std::optional<double> CopyBytes(double destination, double source, double count);
  Frame& FrameAt(int depth);

  EngineTables& tables_;
  const std::atomic<bool>& interrupt_;
  const std::array<Builtin, kBuiltinCount>& builtins_;
  std::vector<std::unique_ptr<Frame>> frames_;
  int depth_ = 0;
  bool stopped_ = false;
  // Set by the environment variable TESSARIN_PORTABLE_DISPATCH, so that the
  // engine's tests can run the portable switch as well.
  bool portableDispatch_ = false;
  RuntimeErrorRecord error_;
  ProgramOutput* output_ = nullptr;
  std::string numberFormat_{kDefaultNumberFormat};
  std::vector<double> textValues_;
  Msg copyError_ = Msg::kNotAReference;
  Ranmar ranmar_;
  UserFiles files_;
  // The user's answers, asked at most once per reading.
  enum class Decision { kUndecided, kAllowed, kRefused };
  Decision commandDecision_ = Decision::kUndecided;
  Decision fileDecision_ = Decision::kUndecided;
  // The kIntegrandEnd that the last re-run of an expression stopped at.
  struct RangeEnd {
    std::int64_t depth = -1;
    std::int64_t operation = -1;
  } rangeEnd_;
};

}  // namespace tessarin::engine

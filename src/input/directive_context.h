#pragma once
// What a directive handler works with: the model, the tokens of its
// directive, the console and the state of the read.

#include <cstdint>
#include <string>
#include <string_view>

#include "input/geometry_model.h"
#include "input/token_reader.h"

namespace tessarin::platform {
class Console;
}

namespace tessarin::input {

struct ReaderState {
  int pass = 0;  // 0 pre-scan, 1 main pass
  bool failed = false;         // main pass: an error was printed; the read stops
  bool preScanEnded = false;   // pre-scan: stopped early, the main pass reports why
  bool sourcePositionGiven = false;
  bool sourceDirectionGiven = false;
  double layerThickness = 0;  // THICK in simple geometry; 0 when not given
};

// The first token of a directive and, for prefixed keywords (S<n>, TR<n>,
// ...), the identifier after the prefix.
struct DirectiveCall {
  std::string keyword;      // as written
  const char* name = "";    // how messages name the keyword ("S<n>", "MAT", ...)
  std::int32_t identifier = 0;
  bool starred = false;  // *TR<n>
};

class DirectiveContext {
 public:
  DirectiveContext(GeometryModel& model, TokenReader& tokens, platform::Console& console, ReaderState& state)
      : model(model), tokens(tokens), console(console), state(state) {}

  // Reports an error: printed in the main pass, ends the pre-scan silently.
  // Always returns false, so handlers can `return context.Fail(...)`.
  bool Fail(const std::string& text);
  // Warnings are printed in the main pass only.
  void Warn(const std::string& text);
  // Prints a message and, on the next line, where the current directive
  // comes from.
  void Report(const std::string& text);

  double D() const { return model.precision.distancePrecision; }
  double A() const { return model.precision.anglePrecision; }

  GeometryModel& model;
  TokenReader& tokens;
  platform::Console& console;
  ReaderState& state;
};

using DirectiveHandler = bool (*)(DirectiveContext& context, const DirectiveCall& call);

}  // namespace tessarin::input

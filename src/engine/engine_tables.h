#pragma once
// What the engine keeps for one reading of an input file: the program slots
// in order of definition and the global parameters.

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/arrays.h"
#include "engine/program.h"

namespace tessarin::engine {

inline constexpr int kMaxGlobalParameters = 10000;
inline constexpr int kGlobalNameField = 56;  // characters, terminator included

class GlobalTable {
 public:
  GlobalTable() { values_.reserve(kMaxGlobalParameters); }
  int Find(std::string_view name) const;
  // Appends a parameter; the caller has checked the capacity.
  int Add(std::string_view name, double value);
  int size() const { return static_cast<int>(names_.size()); }
  const std::string& Name(int index) const { return names_[index]; }
  // Storage never moves: it is reserved for the whole capacity.
  double* Values() { return values_.data(); }
  const double* Values() const { return values_.data(); }

 private:
  std::vector<std::string> names_;
  std::vector<double> values_;
  std::unordered_map<std::string, int> byName_;
};

struct ProgramSlot {
  ProgramRecord record;
  CompiledProgram code;
  std::vector<std::string> sourceLines;  // the block's lines, for diagnostics
};

struct EngineTables {
  std::vector<std::unique_ptr<ProgramSlot>> slots;
  GlobalTable globals;
  ArrayTable arrays;
  double systemVariables[13] = {};

  // A block defined before `beforeSlot`, or that block itself, by name.
  int FindProgram(std::string_view name, int beforeSlot) const;
};

}  // namespace tessarin::engine

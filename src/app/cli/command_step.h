#pragma once
// What one step of a sub-command (parsing its arguments, loading its set)
// gives back: the value it made, or nothing with the exit code the command
// ends with now.

#include <optional>
#include <utility>

#include "app/cli/cli.h"

namespace tessarin::cli {

template <typename T>
class [[nodiscard]] CommandStep {
 public:
  // Implicit, so that a step can return the value it made.
  CommandStep(T value) : value_(std::move(value)) {}
  static CommandStep End(int exitCode) { return CommandStep(exitCode); }

  explicit operator bool() const { return value_.has_value(); }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  T* operator->() { return &*value_; }
  const T* operator->() const { return &*value_; }
  // Meaningful only when the step made nothing.
  int ExitCode() const { return exitCode_; }

 private:
  explicit CommandStep(int exitCode) : exitCode_(exitCode) {}

  std::optional<T> value_;
  int exitCode_ = kExitSuccess;
};

}  // namespace tessarin::cli

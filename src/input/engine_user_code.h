#pragma once
// The reader's user-code engine backed by engine::Compiler: each session is
// one Compiler for one reading of an input file.

#include "input/user_code.h"

namespace tessarin::input {

class EngineUserCode final : public UserCodeEngine {
 public:
  // A program that runs longer than `timeLimitSeconds` of wall-clock time is
  // interrupted like one stopped with Esc and Q; 0 means no limit.
  explicit EngineUserCode(double timeLimitSeconds = 0) : timeLimitSeconds_(timeLimitSeconds) {}

  std::unique_ptr<UserCodeSession> OpenSession(const UserCodeSetup& setup, std::string& unavailableMessage) override;

 private:
  double timeLimitSeconds_;
};

}  // namespace tessarin::input

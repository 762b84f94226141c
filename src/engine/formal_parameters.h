#pragma once
// The formal parameter list of a SUBROUTINE: names and kinds, with the
// checks against the names already defined.

#include <string>
#include <string_view>

#include "engine/engine_tables.h"

namespace tessarin::engine {

struct FormalListResult {
  bool ok = false;
  int linesTaken = 0;  // lines of the block text up to the closing ')'
  std::string message;
  int line = -1;
};

// Parses the list at the start of `blockText` into the slot's record.
FormalListResult CompileFormalList(EngineTables& tables, int slotIndex, std::string_view blockText);

}  // namespace tessarin::engine

#pragma once
// Every console text of the input reader and the directive handlers.

namespace tessarin::input::messages {

inline constexpr const char* kUserProgramsUnavailable =
    "Error: This build of Tessarin cannot run user programs, so the PROGRAM, SUBROUTINE, PARAMETERS and "
    "ARRAYS blocks of this input file cannot be read.\n";

}  // namespace tessarin::input::messages

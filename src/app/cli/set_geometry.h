#pragma once
// What rt, plot, overlaps and render start from: the chosen set with its
// input file read and its region rows named and coloured as "Make RT script"
// would.

#include <array>
#include <optional>
#include <string>

#include "app/cli/selected_set.h"
#include "app/cli/user_program_options.h"
#include "input/geometry_model.h"

namespace tessarin::cli {

struct SetGeometry {
  SelectedSet selected;
  settings::VIEWPARM set;
  input::GeometryModel model;
};

// Loads the set that the parsed arguments name (FILE and "--set N", as
// LoadSelectedSet) and reads its input file; the reader's messages go to
// io.err. A file that cannot be read or has errors ends the command with
// kExitFailure.
CommandStep<SetGeometry> LoadSetGeometry(const ParsedArguments& arguments, const UserProgramOptions& options,
                                         const CommandDescription& command, CommandIo& io);

// "X,Y,Z" as three finite numbers.
std::optional<input::Vec3> ParseTriple(const std::string& text);
// "X0,Y0,Z0,X1,Y1,Z1".
std::optional<std::array<double, 6>> ParseSextuple(const std::string& text);

}  // namespace tessarin::cli

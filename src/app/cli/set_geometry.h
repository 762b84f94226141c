#pragma once
// What plot and overlaps start from: the chosen set with its input file read
// and its region rows named and coloured as "Make RT script" would.

#include <array>
#include <optional>
#include <string>

#include "app/cli/selected_set.h"
#include "app/cli/user_program_options.h"
#include "input/geometry_model.h"

namespace tessarin::cli {

struct SetGeometry {
  settings::VIEWPARM set;
  input::GeometryModel model;
};

// Reads the set's input file; the reader's messages go to io.err. Nothing
// when the file cannot be read or has errors: the command has failed.
std::optional<SetGeometry> ReadSetGeometry(const SelectedSet& selected, const UserProgramOptions& options,
                                           const CommandDescription& command, CommandIo& io);

// "X,Y,Z" as three finite numbers.
std::optional<input::Vec3> ParseTriple(const std::string& text);
// "X0,Y0,Z0,X1,Y1,Z1".
std::optional<std::array<double, 6>> ParseSextuple(const std::string& text);

}  // namespace tessarin::cli

#include "app/cli/set_geometry.h"

#include <algorithm>
#include <ostream>
#include <utility>
#include <vector>

#include "app/cli/option_names.h"
#include "app/cli/terminal_read.h"
#include "render/region_rows.h"
#include "settings/parameter_numbers.h"

namespace tessarin::cli {

namespace {

std::optional<std::vector<double>> ParseNumberList(const std::string& text, std::size_t count) {
  std::vector<double> values;
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = text.find(',', start);
    const std::string_view piece =
        std::string_view(text).substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    const std::optional<double> value = settings::ParseReal(piece);
    if (!value || values.size() == count) return std::nullopt;
    values.push_back(*value);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (values.size() != count) return std::nullopt;
  return values;
}

}  // namespace

CommandStep<SetGeometry> LoadSetGeometry(const ParsedArguments& arguments, const UserProgramOptions& options,
                                         const CommandDescription& command, CommandIo& io) {
  CommandStep<SelectedSet> selected =
      LoadSelectedSet(arguments.positional.front(), arguments.Value(kSetOption), command, io);
  if (!selected) return CommandStep<SetGeometry>::End(selected.ExitCode());
  SetGeometry geometry{std::move(*selected), {}, {}};
  geometry.set = geometry.selected.set();
  if (geometry.set.InputFN.empty()) {
    io.err << "tessarin-cli " << command.name << ": the set names no input file\n";
    return CommandStep<SetGeometry>::End(kExitFailure);
  }
  // Reading the file is what these commands are for, whatever the set says
  // about checking it.
  geometry.set.checkSyntax_Tessarin = 1;
  input::InputReadResult read =
      ReadInputOnTerminal(geometry.set, geometry.selected.Context(), io.err, options, geometry.model);
  if (read.status == input::InputReadStatus::OpenFailed)
    io.err << "tessarin-cli " << command.name << ": " << read.message << "\n";
  if (read.status != input::InputReadStatus::Loaded) return CommandStep<SetGeometry>::End(kExitFailure);
  render::PaletteUsage palette;
  palette.CountRows(geometry.set.rows);
  render::RebuildRegionRows(geometry.model, geometry.set, palette);
  return geometry;
}

std::optional<input::Vec3> ParseTriple(const std::string& text) {
  const std::optional<std::vector<double>> values = ParseNumberList(text, 3);
  if (!values) return std::nullopt;
  return input::Vec3{(*values)[0], (*values)[1], (*values)[2]};
}

std::optional<std::array<double, 6>> ParseSextuple(const std::string& text) {
  const std::optional<std::vector<double>> values = ParseNumberList(text, 6);
  if (!values) return std::nullopt;
  std::array<double, 6> result{};
  std::copy(values->begin(), values->end(), result.begin());
  return result;
}

}  // namespace tessarin::cli

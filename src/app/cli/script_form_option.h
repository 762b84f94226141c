#pragma once
// --form readable|fast|auto: which form of the RT script and its track
// drawings `rt` and `tracks draw` write.

#include <optional>

#include "app/cli/command_arguments.h"
#include "app/cli/option_names.h"
#include "render/script_form.h"

namespace tessarin::cli {

// Nothing, after a usage message on io.err, when the value is none of the
// three names; `fallback` without the option.
std::optional<render::ScriptForm> ReadScriptFormOption(const ParsedArguments& arguments, render::ScriptForm fallback,
                                                       const CommandDescription& command, CommandIo& io);

}  // namespace tessarin::cli

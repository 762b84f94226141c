#include "app/cli/script_form_option.h"

#include <string>

namespace tessarin::cli {

std::optional<render::ScriptForm> ReadScriptFormOption(const ParsedArguments& arguments, render::ScriptForm fallback,
                                                       const CommandDescription& command, CommandIo& io) {
  const std::optional<std::string> value = arguments.Value(kFormOption);
  if (!value) return fallback;
  if (const std::optional<render::ScriptForm> form = render::ParseScriptForm(*value)) return form;
  ReportUsageError(command, "--form takes readable, fast or auto, not '" + *value + "'", io);
  return std::nullopt;
}

}  // namespace tessarin::cli

#pragma once
// The sub-commands of tessarin-cli, one file each.

#include "app/cli/cli.h"

namespace tessarin::cli {

int RunSetsCommand(const std::vector<std::string>& args, CommandIo& io);
int RunShowCommand(const std::vector<std::string>& args, CommandIo& io);
int RunNamesCommand(const std::vector<std::string>& args, CommandIo& io);
int RunCmdlineCommand(const std::vector<std::string>& args, CommandIo& io);
int RunCheckCommand(const std::vector<std::string>& args, CommandIo& io);
int RunRtCommand(const std::vector<std::string>& args, CommandIo& io);
int RunTracksCommand(const std::vector<std::string>& args, CommandIo& io);
int RunPlotCommand(const std::vector<std::string>& args, CommandIo& io);
int RunOverlapsCommand(const std::vector<std::string>& args, CommandIo& io);
int RunRenderCommand(const std::vector<std::string>& args, CommandIo& io);

}  // namespace tessarin::cli

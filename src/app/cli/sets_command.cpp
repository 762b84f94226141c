#include <ostream>

#include "app/cli/commands.h"
#include "app/cli/selected_set.h"

namespace tessarin::cli {
namespace {

constexpr CommandDescription kSets{
    "sets",
    "Usage: tessarin-cli sets FILE\n"
    "\n"
    "Lists the parameter sets of the parameter file FILE (\"-\" reads standard\n"
    "input), one line per set as in the program's set list, \" (N)  name\", and\n"
    "then the line \"current set: N\". When a set cannot be read, the sets before\n"
    "it are listed and the exit status is 1.\n"};

// The entry of the program's parameter-set list.
std::string SetListEntry(int setNumber, const std::string& name) {
  return " (" + std::to_string(setNumber) + ")  " + name;
}

}  // namespace

int RunSetsCommand(const std::vector<std::string>& args, CommandIo& io) {
  CommandStep<SelectedSet> selected = LoadSelectedSet(args, kSets, false, io);
  if (!selected) return selected.ExitCode();
  for (std::size_t i = 0; i < selected->list.sets.size(); ++i)
    io.out << SetListEntry(static_cast<int>(i) + 1, selected->list.sets[i].name) << "\n";
  io.out << "current set: " << selected->index + 1 << "\n";
  return selected->ExitCode(kExitSuccess);
}

}  // namespace tessarin::cli

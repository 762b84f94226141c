#pragma once
// Starting programs and looking at running processes. The launch buttons
// only need these few questions answered; the POSIX implementation answers
// them from fork/exec and /proc, tests may answer them from a script.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace tessarin::platform {

struct ProcessStart {
  std::string program;                 // a path, or a name looked up in PATH
  std::vector<std::string> arguments;  // without the program itself
  std::string directory;               // initial working directory; empty = ours
};

struct StartedProcess {
  bool started = false;
  int processId = 0;
  std::string error;  // why it did not start, for the log; empty on success
};

class Processes {
 public:
  virtual ~Processes() = default;

  virtual StartedProcess Start(const ProcessStart& request) = 0;

  // The executable file that `program` names: a path with a slash taken
  // against `directory`, a bare name looked up in PATH; empty when none.
  virtual std::optional<std::string> FindProgram(const std::string& program, const std::string& directory) = 0;

  // Whether the process exists and has not ended (a zombie has ended).
  [[nodiscard]] virtual bool IsRunning(int processId) = 0;

  // How a process started here ended: its exit status, or 128 plus the
  // number of the signal that ended it. None while it runs, and for
  // processes started elsewhere.
  virtual std::optional<int> ExitStatus(int processId) = 0;

  // Whether the process runs the program called `name`: its executable's
  // file name, or the name it was started by (a script, or a wrapper such as
  // x-terminal-emulator that replaces itself with the real program); compared
  // without regard to case.
  [[nodiscard]] virtual bool HasName(int processId, const std::string& name) = 0;

  // The ids of the running processes, at most `limit`.
  virtual std::vector<int> RunningProcesses(std::size_t limit) = 0;

  // The direct children of a process, at most `limit`.
  virtual std::vector<int> ChildProcesses(int processId, std::size_t limit) = 0;
};

}  // namespace tessarin::platform

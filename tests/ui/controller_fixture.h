#pragma once
// A controller driven without a display: a scripted host, shell services
// that record what they are asked, and dialogs answered by test code.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "input/engine_user_code.h"
#include "platform/process_scripted.h"
#include "platform/scripted_console.h"
#include "platform/scripted_host.h"
#include "platform/timers.h"
#include "platform/windows_clipboard.h"
#include "platform/windows_scripted.h"
#include "support/test_files.h"
#include "ui/cmd_line_dialog.h"
#include "ui/controller.h"
#include "ui/dialog_runner.h"
#include "ui/edit_name_dialog.h"
#include "ui/new_parm_set_dialog.h"
#include "ui/shell_services.h"

namespace tessarin::ui::testing {

class RecordingShell final : public ShellServices {
 public:
  OpenOutcome OpenDocument(const std::string& path) override {
    opened.push_back(path);
    return openOutcome;
  }
  void AddRecentFile(const std::string& path) override { recent.push_back(path); }
  OpenOutcome openOutcome = OpenOutcome::Opened;
  std::vector<std::string> opened;
  std::vector<std::string> recent;
};

// Keeps the text placed on it.
class RecordingClipboard final : public platform::Clipboard {
 public:
  bool SetText(std::string_view text) override {
    this->text = std::string(text);
    ++copies;
    return true;
  }
  std::string text;
  int copies = 0;
};

// Each dialog runs the test's function on the dialog object; without one it
// is cancelled.
class ScriptedDialogs final : public DialogRunner {
 public:
  bool Run(CNewParmSetDlg& dialog) override { return newSet ? newSet(dialog) : false; }
  bool Run(CEditNameDlg& dialog) override { return editName ? editName(dialog) : false; }
  bool Run(CCmdLineDlg& dialog) override { return commandLine ? commandLine(dialog) : false; }
  void ShowSystemVariables() override { ++systemVariablesShown; }
  void ShowAbout() override { ++aboutShown; }

  std::function<bool(CNewParmSetDlg&)> newSet;
  std::function<bool(CEditNameDlg&)> editName;
  std::function<bool(CCmdLineDlg&)> commandLine;
  int systemVariablesShown = 0;
  int aboutShown = 0;
};

// A new set named `name` inserted at list position `position` (0 = before
// the first set, k = after set k).
inline std::function<bool(CNewParmSetDlg&)> InsertNewSet(std::string name, int position) {
  return [name, position](CNewParmSetDlg& dialog) {
    dialog.name = name;
    dialog.insertPosition = position;
    return true;
  };
}

enum class StartWith { DefaultFile, DemoFile };

struct ControllerFixture {
  // DefaultFile: the program folder has no parameter file; DemoFile: a copy
  // of the demo parameter file is named on the command line.
  // `otherConsole` replaces the scripted console, `otherEngine` the engine.
  explicit ControllerFixture(StartWith start = StartWith::DefaultFile, platform::Console* otherConsole = nullptr,
                             input::UserCodeEngine* otherEngine = nullptr) {
    ControllerEnvironment environment;
    environment.programFolder = folder.path();
    environment.startupDirectory = folder.path();
    if (start == StartWith::DemoFile) {
      demoPath = folder.File("demo.tesprm");
      tessarin::testing::WriteWholeFile(
          demoPath, tessarin::testing::ReadWholeFile(std::string(TESSARIN_SOURCE_DIR) + "/examples/demo.tesprm"));
      environment.parameterFileArgument = demoPath;
    }
    ControllerServices services{otherConsole ? *otherConsole : console,
                                otherEngine ? *otherEngine : engine,
                                processes,
                                windows,
                                timers,
                                {platform::TerminalEmulator{"xterm", "xterm"}},
                                &clipboard};
    controller = std::make_unique<Controller>(host, shell, dialogs, services, environment);
    controller->Start();
  }

  tessarin::testing::TempDir folder;
  platform::ScriptedHost host;
  RecordingShell shell;
  ScriptedDialogs dialogs;
  platform::ScriptedConsole console;
  input::EngineUserCode engine;
  platform::ScriptedProcesses processes;
  platform::ScriptedWindows windows;
  platform::RecordingTimers timers;
  RecordingClipboard clipboard;
  std::unique_ptr<Controller> controller;
  std::string demoPath;
};

}  // namespace tessarin::ui::testing

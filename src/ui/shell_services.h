#pragma once
// Desktop services the controller needs besides the host: the "open" action
// for documents, the list of recently used parameter files and the program's
// preferences (kept with its settings, not in the parameter file).

#include <string>

#include "render/script_form.h"

namespace tessarin::ui {

enum class [[nodiscard]] OpenOutcome {
  Opened,
  Failed,    // the file is not there, or opening it failed otherwise
  NoViewer,  // the file is there, but no program to show it was found
};

class ShellServices {
 public:
  virtual ~ShellServices() = default;
  // Opens the file with its associated program.
  virtual OpenOutcome OpenDocument(const std::string& path) = 0;
  // Puts the parameter file at the top of the recent-file list.
  virtual void AddRecentFile(const std::string& path) = 0;
  // Which form "Make RT script" writes; Auto when never chosen.
  virtual render::ScriptForm ScriptFormPreference() const = 0;
  virtual void SetScriptFormPreference(render::ScriptForm form) = 0;
};

}  // namespace tessarin::ui

#pragma once
// Desktop services the controller needs besides the host: the "open" action
// for documents and the list of recently used parameter files.

#include <string>

namespace tessarin::ui {

enum class OpenOutcome {
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
};

}  // namespace tessarin::ui

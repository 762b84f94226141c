#pragma once
// Desktop services the controller needs besides the host: the "open" action
// for documents and the list of recently used parameter files.

#include <string>

namespace tessarin::ui {

class ShellServices {
 public:
  virtual ~ShellServices() = default;
  // Opens the file with its associated program; false when that failed.
  virtual bool OpenDocument(const std::string& path) = 0;
  // Puts the parameter file at the top of the recent-file list.
  virtual void AddRecentFile(const std::string& path) = 0;
};

}  // namespace tessarin::ui

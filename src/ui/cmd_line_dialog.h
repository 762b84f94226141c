#pragma once
// The logic of the "Varnholt command-line arguments" dialog. It edits a
// private copy of the working copy; OK writes the simulator fields back when
// any of them changed.

#include <string>
#include <string_view>

#include "launch/launch_context.h"
#include "platform/host.h"
#include "settings/viewparm.h"
#include "ui/check_fields.h"
#include "ui/numeric_fields.h"
#include "ui/shell_services.h"
#include "ui/text_fields.h"

namespace tessarin::ui {

class CCmdLineDlg {
 public:
  CCmdLineDlg(settings::VIEWPARM& workingCopy, launch::LaunchContext context, platform::Host& host,
              ShellServices& shell);

  const settings::VIEWPARM& Copy() const { return copy_; }

  std::string Text(TextField field) const;
  [[nodiscard]] bool IsEditable(TextField field) const;
  void Commit(TextField field, std::string_view text);
  std::string Text(NumberField field) const;
  void Commit(NumberField field, std::string_view text);
  int State(CheckField field) const;
  void SetState(CheckField field, int state);
  int ConsoleFolderOption() const { return copy_.cmdFolderOption; }
  void SetConsoleFolderOption(int option);

  // "Browse..." and "Select folder..." buttons; the field takes the choice.
  void Browse(TextField field);
  // "Open file" buttons.
  void OpenFile(TextField field);

  // OK: true when the working copy was changed.
  [[nodiscard]] bool Accept();

 private:
  settings::VIEWPARM& workingCopy_;
  settings::VIEWPARM copy_;
  launch::LaunchContext context_;
  platform::Host& host_;
  ShellServices& shell_;
};

// Splits at blanks, tabs, carriage returns and line feeds and joins the
// pieces with single blanks.
std::string NormalizeAdditionalArguments(std::string_view text);

}  // namespace tessarin::ui

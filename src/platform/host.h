#pragma once
// Everything the program asks of the desktop: message boxes, file, folder and
// colour choosers, and the dialog background colour. The GUI shows real
// dialogs; the command line answers from its flags; tests script the answers.

#include <optional>
#include <string>
#include <string_view>

namespace tessarin::platform {

enum class MessageIcon { Error, Warning, Information, Question };
// OverwriteReloadSaveAs: the question before saving over a file that has
// changed on disk; Esc answers Cancel.
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, OverwriteReloadSaveAs };
enum class MessageAnswer { Ok, Cancel, Yes, No, Overwrite, Reload, SaveAs };

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

struct FileChooserRequest {
  std::string title;
  std::string defaultExtension;  // e.g. "*.tesprm"
  std::string filter;            // "Name (*.ext)|*.ext|All files (*.*)|*.*||"
  std::string initialPath;       // folder and file name to start with
  bool promptOverwrite = false;  // save choosers only
};

class Host {
 public:
  virtual ~Host() = default;

  // A modal message box. The answer is one of the buttons offered;
  // `defaultAnswer` is the button that Enter would press.
  virtual MessageAnswer ShowMessage(std::string_view text, MessageIcon icon,
                                    MessageButtons buttons = MessageButtons::Ok,
                                    MessageAnswer defaultAnswer = MessageAnswer::Ok) = 0;

  // Empty when the user cancels.
  virtual std::optional<std::string> ChooseFileToOpen(const FileChooserRequest& request) = 0;
  virtual std::optional<std::string> ChooseFileToSave(const FileChooserRequest& request) = 0;
  virtual std::optional<std::string> ChooseFolder(std::string_view title, std::string_view initialFolder) = 0;
  virtual std::optional<Rgb> ChooseColor(Rgb initial) = 0;

  // The dialog background colour; a beam-axis colour equal to it means "None".
  virtual Rgb ButtonFaceColor() const = 0;
};

}  // namespace tessarin::platform

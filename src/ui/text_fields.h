#pragma once
// The text edit fields of a parameter set: suffixes, file and folder names,
// the MGED command line and the additional arguments. File names are shown
// in the form RelativePath gives against the start-up directory and are kept
// as typed.

#include <string>
#include <string_view>

#include "launch/launch_context.h"
#include "settings/viewparm.h"

namespace tessarin::ui {

enum class TextField {
  OutputSuffix,
  LogSuffix,
  RtSuffix,
  OutputFile,  // custom only while the output suffix is empty
  LogFile,     // custom only while the log suffix is empty
  TrackFile,   // custom only while "Custom track data file name" is checked
  RtScript,    // always derived
  InputFile,
  VarnholtExecutable,
  MgedCommandLine,
  EndfFolder,
  AltCrossSectionsFile,
  ConsoleFolder,  // the folder of the chosen console-directory option
  AdditionalArguments,
};

std::string TextFieldText(const settings::VIEWPARM& set, TextField field, const launch::LaunchContext& context);

[[nodiscard]] bool IsTextFieldEditable(const settings::VIEWPARM& set, TextField field);

// True when the stored value changed. A suffix with a stray "%" is refused;
// a suffix that becomes empty turns the derived name into the custom name.
[[nodiscard]] bool CommitTextField(settings::VIEWPARM& set, TextField field, std::string_view text,
                     const launch::LaunchContext& context);

}  // namespace tessarin::ui

#pragma once
// The texts of the start buttons and of their messages. "%s" stands for the
// name of the terminal emulator or of the program concerned.

#include <string>
#include <string_view>

#include "settings/message_format.h"

namespace tessarin::launch::process_messages {

inline constexpr std::string_view kStartConsole = "Start Varnholt";
inline constexpr std::string_view kActivateConsole = "Activate the %s window";
inline constexpr std::string_view kStartMged = "Start MGED";
inline constexpr std::string_view kActivateMged = "Activate the MGED window";
inline constexpr std::string_view kResetButton = "Reset this button";

// The terminal's name, a blank and its arguments follow the opening quote.
inline constexpr std::string_view kConsoleStartFailed =
    "An error occurred when attempting to execute the command \"%s\".";
inline constexpr std::string_view kConsoleProcessIdMissing =
    "The process ID of the created %s window could not be obtained.";
inline constexpr std::string_view kConsoleWindowNotYetCreated =
    "It seems that the %s window is not created yet. Try again in a few seconds.";

// The simulator's name, then where it was looked for.
inline constexpr std::string_view kSimulatorNotFound =
    "The simulator \"%s\" was not found. Looked for: %s.\n\nEnter the simulator's folder and file name in "
    "\"Name of the Varnholt executable file:\" (the \"Edit\" button beside \"Command line:\"), or put the "
    "simulator into one of the folders of the PATH.";
inline constexpr std::string_view kLookedInPath = ", then in the folders of the PATH";

inline constexpr std::string_view kMgedNameMissing =
    "The name of the executable file has not been specified. Enter the full path to the MGED executable file in "
    "order to start the Multi-Device Geometry Editor.";
inline constexpr std::string_view kAlreadyRunning =
    "The process \"%s\" is already running. Do you want to start another instance?";
inline constexpr std::string_view kProgramStartFailed = "An error occurred when attempting to run the program \"%s\".";
inline constexpr std::string_view kMgedProcessIdMissing =
    "The process ID of the created MGED window could not be obtained.";
inline constexpr std::string_view kMgedNotActivated =
    "The %s window could not be activated. Do you want to reset the \"Start MGED\" button?";

inline constexpr std::string_view kActivationUnavailable =
    "The %s window cannot be brought to the front: no X11 display is available. The process is still being "
    "watched; the button returns to its start state when the process ends.";

// The program name by which MGED's processes are recognised.
inline constexpr std::string_view kMgedProgramName = "mged";

// The message with its "%s" replaced by `value`.
inline std::string Format(std::string_view message, std::string_view value) {
  return settings::FillMessage(message, {value});
}

}  // namespace tessarin::launch::process_messages

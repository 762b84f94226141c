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
// A terminal that could not run here: its name and exit status. One of the
// two sentences below follows.
inline constexpr std::string_view kTerminalEndedAtOnce =
    "The terminal emulator \"%s\" ended with exit status %s right after it was started: it could not open its "
    "window here.";
inline constexpr std::string_view kTryingNextTerminal = "Trying \"%s\" instead.";
inline constexpr std::string_view kNoOtherTerminal =
    "No other terminal emulator is installed: install xterm, or name a terminal emulator that works here in the "
    "environment variable TESSARIN_TERMINAL.";
inline constexpr std::string_view kConsoleWindowNotYetCreated =
    "It seems that the %s window is not created yet. Try again in a few seconds.";

// The simulator's name, then where it was looked for.
inline constexpr std::string_view kSimulatorNotFound =
    "The simulator \"%s\" was not found. Looked for: %s.\n\nEnter the simulator's folder and file name in "
    "\"Name of the Varnholt executable file:\" (the \"Edit\" button beside \"Command line:\"), or put the "
    "simulator into one of the folders of the PATH.";
inline constexpr std::string_view kLookedInPath = ", then in the folders of the PATH";

// MGED's program as the MGED command line names it, then where it was
// looked for: a path, or the folders of the PATH.
inline constexpr std::string_view kMgedNotFound =
    "The program \"%s\" was not found. Looked for: %s.\n\nEnter the full path to MGED in \"MGED startup command "
    "line:\" (the \"...\" button beside it locates the file), or add the folder that holds it (the bin folder of "
    "BRL-CAD) to the PATH before starting Tessarin.";
// The PATH's value, as it is.
inline constexpr std::string_view kPathFolders = "the folders of the PATH (%s)";

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

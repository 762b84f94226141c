#pragma once
// The texts that the parameter file shows to the user. "%s" stands for the
// file's path, "%d" for a parameter-set number; fill them with FillMessage.

#include <string_view>

namespace tessarin::settings::messages {

inline constexpr std::string_view kCannotOpenForReading = "File \"%s\" could not be opened for reading.";
inline constexpr std::string_view kIncorrectFormat =
    "Warning: File \"%s\" has incorrect format. A default parameter set will be created.";
inline constexpr std::string_view kErrorInParameterSet =
    "Warning: Error while reading parameter set No. %d from file \"%s\" (incorrect file format).";
// The second line of a format warning: where the reading stopped, in the
// form the input reader's messages use. The places are the file's name, a
// line number, the expected key and what was found.
inline constexpr std::string_view kValueOutOfRange = "  at %s:%d: %s = %s is out of range";
inline constexpr std::string_view kValueNotValid = "  at %s:%d: %s = %s is not a valid value";
inline constexpr std::string_view kOtherLineFound = "  at %s:%d: %s was expected, not \"%s\"";
inline constexpr std::string_view kEndBeforeKey = "  at %s:%d: the file ends where %s was expected";
inline constexpr std::string_view kEndBeforeName = "  at %s:%d: the file ends where a name was expected";
inline constexpr std::string_view kCannotOpenForWriting =
    "File \"%s\" could not be opened for writing. View parameters have not been saved.";
inline constexpr std::string_view kCannotReopen = "File \"%s\" could not be re-opened after saving.";
// The parameter file's name is a symbolic link: the name and what it points
// to. Yes replaces the link with the saved file.
inline constexpr std::string_view kReplaceLinkQuestion =
    "File \"%s\" is a symbolic link to \"%s\". Do you want to replace the link with the saved file? The file it "
    "points to is left as it is.";

}  // namespace tessarin::settings::messages

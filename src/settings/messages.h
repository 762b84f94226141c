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
inline constexpr std::string_view kCannotOpenForWriting =
    "File \"%s\" could not be opened for writing. View parameters have not been saved.";
inline constexpr std::string_view kCannotReopen = "File \"%s\" could not be re-opened after saving.";

}  // namespace tessarin::settings::messages

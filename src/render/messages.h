#pragma once
// The texts the RT script command shows, verbatim.

namespace tessarin::render::messages {

inline constexpr const char* kOverwriteQuestion = "File \"%s\" already exists. Do you want to overwrite it?";
inline constexpr const char* kCouldNotOpen = "File \"%s\" could not be opened for writing.";
inline constexpr const char* kWorldVolumeZero = "Geometry error: The volume of the \"world\" is zero.";

}  // namespace tessarin::render::messages

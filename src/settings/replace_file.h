#pragma once
// Saving a file so that a failure never destroys the previous version.

#include <string>
#include <string_view>

namespace tessarin::settings {

// Writes `contents` to a new file in the folder of `path` and renames it over
// `path` only when every byte has reached the disk. A symbolic link is
// followed, so the file it names is replaced, and an existing file keeps its
// permissions. On failure the temporary file is removed, `path` is untouched
// and the result is false. An existing file in a folder where no new file
// may be made is overwritten in place, without that protection.
[[nodiscard]] bool ReplaceFileContents(const std::string& path, std::string_view contents);

}  // namespace tessarin::settings

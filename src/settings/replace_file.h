#pragma once
// Saving a file so that a failure never destroys the previous version.

#include <string>
#include <string_view>

#include "platform/file_replacement.h"

namespace tessarin::settings {

// Writes `contents` to a new file in the folder of `path` and renames it over
// `path` only when every byte has reached the disk; an existing file keeps
// its permissions. A symbolic link is refused unless `links` says it is to
// be replaced; its target is never written. On failure the temporary file is
// removed, `path` is untouched and the result is false. An existing file in
// a folder where no new file may be made is overwritten in place, without
// that protection, unless it is a link or has another name (a hard link),
// which would then change too.
[[nodiscard]] bool ReplaceFileContents(const std::string& path, std::string_view contents,
                                       platform::LinkHandling links = platform::LinkHandling::kRefuse);

}  // namespace tessarin::settings

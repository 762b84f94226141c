#pragma once
// Folders in which a user program writes nothing without the user's yes: the
// root folder, the user's home folder (where the shell's start-up files
// lie) and the folders of the system. A project folder anywhere below the
// home folder, in /tmp or in /var/tmp is an ordinary folder; so is /tmp
// itself, where the other rules already keep every existing file safe.

#include <string_view>

namespace tessarin::engine {

// `folder` is absolute, without "." or ".." and without a trailing slash.
[[nodiscard]] bool IsProtectedFolder(std::string_view folder);

}  // namespace tessarin::engine

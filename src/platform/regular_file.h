#pragma once
// Opening a named file for reading only when it is an ordinary file. A
// folder opens but fails on the first read, where the stream library throws;
// a named pipe blocks the open until some writer comes. Such paths, devices
// and dangling links are therefore refused before anything is opened.

#include <fstream>
#include <string>

namespace tessarin::platform {

// Whether `path` names a regular file, symbolic links followed.
[[nodiscard]] bool IsRegularFile(const std::string& path);

// Opens `path` into `stream` for binary reading. False when it is not a
// regular file or cannot be opened; `reason`, when given, then says why in
// words ("it is a folder", "Permission denied").
[[nodiscard]] bool OpenRegularFile(const std::string& path, std::ifstream& stream, std::string* reason = nullptr);

}  // namespace tessarin::platform

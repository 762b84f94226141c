#pragma once
// Path rules shared by every layer: which paths are absolute, how they are
// shown relative to the start-up directory, and where the program lives.
// A backslash in a path field of a parameter file written elsewhere is taken
// as a separator when the file is read (NormalizeSeparators); everywhere
// else, and in file names, a backslash is an ordinary character of the name,
// as it is for the simulator. A path that begins with a backslash or
// contains a colon counts as absolute so that such files still load.

#include <string>
#include <string_view>

namespace tessarin::platform {

// Backslashes become slashes.
std::string NormalizeSeparators(std::string_view path);

[[nodiscard]] bool IsAbsolutePath(std::string_view path);

// `path` itself when absolute, else `startupDirectory` + `path`.
std::string AbsolutePath(std::string_view path, std::string_view startupDirectory);

// Both are made absolute against the start-up directory; when `path` begins
// with `base` (case-sensitive, as file names here are) the rest is returned,
// otherwise the absolute path.
std::string RelativePath(std::string_view path, std::string_view base, std::string_view startupDirectory);

// Whether the path ends with a separator or a colon, i.e. names a folder or
// a drive rather than a file.
[[nodiscard]] bool EndsWithSeparator(std::string_view path);

// `folder` with a trailing slash added when it has none (empty stays empty).
std::string WithTrailingSeparator(std::string_view folder);

// The working directory, ending with a slash.
std::string CurrentDirectory();

// The folder of the running executable, ending with a slash.
std::string ProgramFolder();

// The split of a path into folder (with its trailing slash), base name and
// extension (with its dot): "/a/b/run.txt" -> "/a/b/", "run", ".txt".
struct PathParts {
  std::string folder;
  std::string name;
  std::string extension;
};
PathParts SplitPath(std::string_view path);

}  // namespace tessarin::platform

#include "platform/paths.h"

#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

namespace tessarin::platform {

std::string NormalizeSeparators(std::string_view path) {
  std::string result(path);
  for (char& c : result)
    if (c == '\\') c = '/';
  return result;
}

bool IsAbsolutePath(std::string_view path) {
  if (path.empty()) return false;
  return path.front() == '/' || path.front() == '\\' || path.find(':') != std::string_view::npos;
}

std::string AbsolutePath(std::string_view path, std::string_view startupDirectory) {
  if (IsAbsolutePath(path)) return std::string(path);
  std::string result(startupDirectory);
  result += path;
  return result;
}

std::string RelativePath(std::string_view path, std::string_view base, std::string_view startupDirectory) {
  std::string absolutePath = AbsolutePath(path, startupDirectory);
  std::string absoluteBase = AbsolutePath(base, startupDirectory);
  if (absolutePath.size() >= absoluteBase.size() && absolutePath.compare(0, absoluteBase.size(), absoluteBase) == 0)
    return absolutePath.substr(absoluteBase.size());
  return absolutePath;
}

bool EndsWithSeparator(std::string_view path) {
  if (path.empty()) return false;
  char last = path.back();
  return last == '/' || last == '\\' || last == ':';
}

std::string WithTrailingSeparator(std::string_view folder) {
  std::string result(folder);
  if (!result.empty() && result.back() != '/' && result.back() != '\\') result += '/';
  return result;
}

std::string CurrentDirectory() {
  std::vector<char> buffer(PATH_MAX + 1);
  if (::getcwd(buffer.data(), buffer.size()) == nullptr) return "./";
  return WithTrailingSeparator(buffer.data());
}

std::string ProgramFolder() {
  std::vector<char> buffer(PATH_MAX + 1);
  ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) return CurrentDirectory();
  std::string exe(buffer.data(), static_cast<std::size_t>(length));
  return exe.substr(0, exe.rfind('/') + 1);
}

PathParts SplitPath(std::string_view path) {
  PathParts parts;
  std::size_t slash = path.rfind('/');
  std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  parts.folder = std::string(path.substr(0, nameStart));
  std::string_view file = path.substr(nameStart);
  std::size_t dot = file.rfind('.');
  if (dot == std::string_view::npos) {
    parts.name = std::string(file);
  } else {
    parts.name = std::string(file.substr(0, dot));
    parts.extension = std::string(file.substr(dot));
  }
  return parts;
}

}  // namespace tessarin::platform

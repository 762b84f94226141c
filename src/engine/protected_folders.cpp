#include "engine/protected_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <string>

namespace tessarin::engine {
namespace {

// Whole trees: programs, their libraries and settings, the kernel's views
// and the system's own state. /lib, /lib32, /lib64, /libx32 by their prefix.
constexpr std::array<std::string_view, 12> kSystemTrees = {"etc",  "usr", "bin", "sbin", "boot", "dev",
                                                           "proc", "sys", "run", "var",  "opt",  "srv"};

bool InTree(std::string_view folder, std::string_view tree) {
  return folder == tree || (folder.starts_with(tree) && folder.size() > tree.size() && folder[tree.size()] == '/');
}

bool InSystemTree(std::string_view folder) {
  if (InTree(folder, "/var/tmp")) return false;
  std::string_view first = folder.substr(1, folder.find('/', 1) - 1);
  if (first.starts_with("lib")) return true;
  for (std::string_view tree : kSystemTrees)
    if (first == tree) return true;
  return false;
}

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The home folder as named and as it really is.
bool IsHome(std::string_view folder, const char* home) {
  if (home == nullptr || home[0] != '/') return false;
  if (folder == WithoutTrailingSlashes(home)) return true;
  char* real = ::realpath(home, nullptr);
  bool same = real != nullptr && folder == real;
  std::free(real);
  return same;
}

}  // namespace

bool IsProtectedFolder(std::string_view folder) {
  if (folder.empty() || folder == "/" || folder == "/root" || InSystemTree(folder)) return true;
  if (IsHome(folder, std::getenv("HOME"))) return true;
  // The account's own home too, whatever HOME says.
  passwd account {};
  passwd* found = nullptr;
  std::array<char, 16384> buffer{};
  return ::getpwuid_r(::getuid(), &account, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
         IsHome(folder, account.pw_dir);
}

}  // namespace tessarin::engine

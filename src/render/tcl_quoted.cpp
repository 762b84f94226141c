#include "render/tcl_quoted.h"

namespace tessarin::render {

std::string TclQuoted(const std::string& path) {
  std::string quoted;
  for (char c : path) {
    if (c == '"' || c == '$' || c == '[' || c == ']' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted;
}

}  // namespace tessarin::render

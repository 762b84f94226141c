#include "input/directive_context.h"

#include "platform/console.h"

namespace tessarin::input {

bool DirectiveContext::Fail(const std::string& text) {
  if (state.pass == 0) {
    state.preScanEnded = true;
  } else {
    console.Write(text);
    state.failed = true;
  }
  return false;
}

void DirectiveContext::Warn(const std::string& text) {
  if (state.pass != 0) console.Write(text);
}

}  // namespace tessarin::input

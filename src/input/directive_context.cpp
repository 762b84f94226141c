#include "input/directive_context.h"

#include "input/directive_origin.h"

namespace tessarin::input {

bool DirectiveContext::Fail(const std::string& text) {
  if (state.pass == 0) {
    state.preScanEnded = true;
  } else {
    Report(text);
    state.failed = true;
  }
  return false;
}

void DirectiveContext::Warn(const std::string& text) {
  if (state.pass != 0) Report(text);
}

void DirectiveContext::Report(const std::string& text) { WriteWithOrigin(console, text, tokens.Origin()); }

}  // namespace tessarin::input

// Linked only while the RT script writer is not in src/render (see
// src/CMakeLists.txt): the command says so instead of writing anything.

#include "render/rt_script.h"

namespace tessarin::render {

constexpr const char* kWriterAbsent = "Make RT script is not available in this build: the RT script writer is missing.";

RtScriptResult WriteRtScript(const RtScriptRequest& request) {
  request.host.ShowMessage(kWriterAbsent, platform::MessageIcon::Error);
  return {};
}

}  // namespace tessarin::render

// Reads fuzzed bytes as a parameter file. Whatever the bytes, the reader must
// give a usable list (at least one set, each with a material row, a current
// set inside the list), and what it gives must survive a save: the list
// written out reads back the same, without a message.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "platform/scripted_host.h"
#include "settings/parameter_file.h"

namespace {

using namespace tessarin;

constexpr std::string_view kStartupDirectory = "/fuzz/startup/";

settings::ParameterFileReadResult Read(const std::string& text, platform::ScriptedHost& host) {
  std::istringstream in(text);
  return settings::ReadParameterFile(in, "fuzz.tesprm", host);
}

bool Usable(const settings::ParameterSetList& list) {
  if (list.sets.empty() || list.current < 0 || list.current >= static_cast<int>(list.sets.size())) return false;
  for (const settings::VIEWPARM& set : list.sets)
    if (set.rows.empty()) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::ScriptedHost host;
  settings::ParameterFileReadResult first = Read(std::string(reinterpret_cast<const char*>(data), size), host);
  if (!Usable(first.list)) __builtin_trap();

  std::ostringstream saved;
  if (!settings::WriteParameterFile(saved, first.list, kStartupDirectory, host)) __builtin_trap();
  platform::ScriptedHost rereadHost;
  settings::ParameterFileReadResult again = Read(saved.str(), rereadHost);
  if (!rereadHost.messages.empty()) __builtin_trap();
  if (again.list.current != first.list.current || again.list.sets != first.list.sets) __builtin_trap();
  return 0;
}

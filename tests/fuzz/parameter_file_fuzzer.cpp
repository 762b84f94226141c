// Reads fuzzed bytes as a parameter file. Whatever the bytes, the reader must
// give a usable list (at least one set, each with a material row, a current
// set inside the list), and what it gives must survive saving: the list
// written out reads back without a message. The first save may tidy texts
// (a carriage return inside a value becomes a blank, which the reader then
// trims); from then on every save must read back exactly as it was.

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

// The list after a save and a read of the saved file, which must bring no message.
settings::ParameterSetList SavedAndReadBack(const settings::ParameterSetList& list) {
  platform::ScriptedHost host;
  std::ostringstream saved;
  if (!settings::WriteParameterFile(saved, list, kStartupDirectory, host)) __builtin_trap();
  settings::ParameterFileReadResult read = Read(saved.str(), host);
  if (!host.messages.empty()) __builtin_trap();
  return read.list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  platform::ScriptedHost host;
  settings::ParameterFileReadResult first = Read(std::string(reinterpret_cast<const char*>(data), size), host);
  if (!Usable(first.list)) __builtin_trap();

  settings::ParameterSetList saved = SavedAndReadBack(first.list);
  if (saved.current != first.list.current || saved.sets.size() != first.list.sets.size()) __builtin_trap();
  settings::ParameterSetList savedAgain = SavedAndReadBack(saved);
  if (savedAgain.current != saved.current || savedAgain.sets != saved.sets) __builtin_trap();
  return 0;
}

#pragma once
// Parameter-file text for tests: written by the writer, edited line by line,
// read back through a scripted host that records the messages.

#include <optional>
#include <string>
#include <string_view>

#include "platform/scripted_host.h"
#include "settings/parameter_file.h"

namespace tessarin::settings::testing {

inline constexpr std::string_view kStartup = "/home/user/sim/";

std::string WriteToText(const ParameterSetList& list);
// A list of `count` fresh sets named "Set 1", "Set 2", ...
ParameterSetList FreshSets(int count, int current = 0);

ParameterFileReadResult ReadText(const std::string& text, platform::ScriptedHost& host);

// Line-wise edits; each finds the first line at or after `fromLine`
// (0-based) whose key (text before " =" or "=") equals `key`.
std::string RemoveLine(const std::string& text, std::string_view key, std::size_t fromLine = 0);
std::string ReplaceLine(const std::string& text, std::string_view key, std::string_view newLine,
                        std::size_t fromLine = 0);
// Reads a one-set file from the writer with the line of `key` replaced by
// `line`: the set, or nothing when the reader refused it (any message).
std::optional<VIEWPARM> ReadWithLine(std::string_view key, std::string_view line);
// The same for a line the reader must accept: a refusal fails the test,
// which then goes on with the default set instead of crashing.
VIEWPARM ReadAccepted(std::string_view key, std::string_view line);

// The 0-based number of the line that holds a set's name.
std::size_t LineOfSetName(const std::string& text, std::string_view name);

std::string ExamplePath(std::string_view fileName);

}  // namespace tessarin::settings::testing

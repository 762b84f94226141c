#pragma once
// The parameter file: every parameter set in one text file of
// "key = value" lines. Reading replaces the whole list; writing writes it all.

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"
#include "settings/viewparm.h"

namespace tessarin::settings {

inline constexpr int kMaxParameterSets = 10000;

struct ParameterSetList {
  std::vector<VIEWPARM> sets;  // never empty after a read
  int current = 0;             // 0-based
};

struct ParameterFileReadResult {
  ParameterSetList list;
  bool opened = false;          // the file could be opened
  bool defaultCreated = false;  // the list is one default set (missing or unusable file)
};

// Reads a parameter file from `in`; `path` is only used in messages, which
// go to `host` with their icons. Paths come back as written (relative ones
// stay relative to the start-up directory).
ParameterFileReadResult ReadParameterFile(std::istream& in, std::string_view path, platform::Host& host);

// Opens `path` and reads it; when it cannot be opened, reports that only with
// `reportOpenFailure` and returns one default set.
ParameterFileReadResult ReadParameterFile(const std::string& path, bool reportOpenFailure, platform::Host& host);

// Writes the list in the current format; paths under `startupDirectory` are
// written relative to it. Returns false (after the message) when the file
// cannot be written; the previous file is then left as it was.
bool WriteParameterFile(std::ostream& out, const ParameterSetList& list, std::string_view startupDirectory,
                        const platform::Host& host);
bool WriteParameterFile(const std::string& path, const ParameterSetList& list, std::string_view startupDirectory,
                        platform::Host& host);

}  // namespace tessarin::settings

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
inline constexpr std::string_view kDefaultParameterFileName = "Tessarin.tesprm";

struct ParameterSetList {
  std::vector<VIEWPARM> sets;  // never empty after a read
  int current = 0;             // 0-based
};

struct [[nodiscard]] ParameterFileReadResult {
  ParameterSetList list;
  bool opened = false;          // the file could be opened
  bool defaultCreated = false;  // the list is one default set (missing or unusable file)
  // The file is there but the list does not hold all of it (a format error,
  // or a file that could not be opened): saving over it would lose the rest.
  bool readInPart = false;
  std::string failureDetail;  // the line, key and value of a format error
};

// Reads a parameter file from `in`; `path` is only used in messages, which
// go to `host` with their icons. Paths come back as written (relative ones
// stay relative to the start-up directory), with "/" separators. A set with
// a format error ends the reading: the sets before it are kept, and when
// there are none the list is one default set. The warning names the line,
// key and value that failed on a second line.
ParameterFileReadResult ReadParameterFile(std::istream& in, std::string_view path, platform::Host& host);

// Opens `path` and reads it; when it is not a regular file or cannot be
// opened, reports that only with `reportOpenFailure` and returns one default
// set.
ParameterFileReadResult ReadParameterFile(const std::string& path, bool reportOpenFailure, platform::Host& host);

// The lines of one set in the current format; paths under
// `startupDirectory` are written relative to it, a beam-axis colour equal to
// `buttonFace` as "None". Over-long texts are cut to their limits and line
// breaks inside texts become blanks and a set without material rows gets
// one default row, so that the set can always be read back.
void WriteParameterSetLines(std::ostream& out, const VIEWPARM& set, std::string_view startupDirectory,
                            platform::Rgb buttonFace);

// Writes the whole list in the current format. Returns whether the stream
// took everything (checked after flushing); shows no message.
[[nodiscard]] bool WriteParameterFile(std::ostream& out, const ParameterSetList& list, std::string_view startupDirectory,
                        const platform::Host& host);

// Saves the list to `path` through a temporary file in the same folder that
// replaces the old file only when completely written. On failure shows the
// "could not be opened for writing" message and returns false; the previous
// file is then left as it was. When `path` is a symbolic link it first asks
// whether to replace the link (never the file it points to) and returns
// false on No. When the saved file cannot be opened again, warns and still
// returns true.
[[nodiscard]] bool WriteParameterFile(const std::string& path, const ParameterSetList& list, std::string_view startupDirectory,
                        platform::Host& host);

}  // namespace tessarin::settings

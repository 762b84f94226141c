#pragma once
// The grammar of the header lines of a track data file, in both layouts:
//   current:  "n: History No. h"  and, for secondary tracks, "n: g/t"
//   older:    "Track No. h"
// plus the source particle number, the vertex count and the vertex lines.

#include <cstdint>
#include <string_view>

#include "tracks/trackset_data.h"

namespace tessarin::tracks {

enum class HeaderKind { CurrentHistory, OlderHistory, Secondary, Other };

struct HeaderLine {
  HeaderKind kind = HeaderKind::Other;
  std::int64_t trackNumber = 0;   // n (current layout)
  std::int64_t historyNumber = 0;
  int generation = 0;             // secondary tracks
  int type = 0;
  bool wellFormed = false;        // the numbers obey their rules
};

// Recognises a header under the layout fixed so far (0: none yet).
// A secondary header is well formed only with running number
// `expectedTrackNumber` and a type from 1 to 11.
HeaderLine RecogniseHeader(std::string_view line, int layout, std::int64_t expectedTrackNumber);

// The source particle number: a real number above 0.5 and at most 2^63,
// rounded to the nearest integer.
[[nodiscard]] bool ParseSourceParticle(std::string_view line, std::int64_t& number);

// A vertex count with nothing after it.
[[nodiscard]] bool ParseVertexCount(std::string_view line, std::int64_t& count);

// Four numbers x, y, z, energy.
[[nodiscard]] bool ParseVertex(std::string_view line, TrackVertex& vertex);

}  // namespace tessarin::tracks

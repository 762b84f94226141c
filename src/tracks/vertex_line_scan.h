#pragma once
// The quick way through the lines a simulator prints: a vertex line whose
// four numbers are written like printf's "%e" ("  -1.575442e-03 ...") and
// whose fourth number is followed by its line end (after blanks, perhaps).
// Digits are taken eight or sixteen at a time, and the line end is found on
// the way, so such a line is looked at once.

#include <span>

#include "tracks/trackset_data.h"

namespace tessarin::tracks {

// Sixteen bytes past `textEnd` must be readable. On success returns where the
// line's end is ('\n', "\r\n" or `textEnd`) and gives the four numbers,
// exactly as ParseVertex would; nullptr for any other line (which is then
// left to the general parser).
const char* ScanVertexLine(const char* line, const char* textEnd, TrackVertex& vertex);

// The ways of scanning this processor can run, each as ScanVertexLine: the
// portable one first, the one ScanVertexLine uses last.
using VertexLineScanner = const char* (*)(const char* line, const char* textEnd, TrackVertex& vertex);
std::span<const VertexLineScanner> UsableVertexLineScanners();

}  // namespace tessarin::tracks

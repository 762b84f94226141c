// Damaged track files: whatever the bytes, the reader ends with a
// consistent copy and never reads outside what it was given. The same entry
// point, ReadTrackText, serves the fuzzing harness.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tracks/track_reader.h"

namespace tessarin::tracks {
namespace {

const std::string kValid =
    "1: History No. 1\n7\n3\n0 0 0 1e6\n0 0 1 6e5\n0 0 2 0\n2: 1/1\n1\n0 0 1 5e4\n"
    "3: History No. 2\n8\n2\n1 0 0 2e6\n1 0 5 -1.5e6\nTrack No. 3\n9\n-2\n0 0 0 1\n0 0 0 1\n";

class Random {
 public:
  std::uint32_t Next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(state_ >> 33);
  }

 private:
  std::uint64_t state_ = 42;
};

void CheckConsistent(const std::string& text, bool keep) {
  TrackReadingRequest request;
  request.keepTrackDataInMemory = keep;
  request.filter.originTypeMask = 4095;
  request.escapeExtension = 1500;
  TRACKSETDATA copy;
  TrackStatistics statistics;
  // A copy with its own storage, so that the sanitizers see any read past the end.
  std::string owned = text;
  TrackReadingOutcome outcome = ReadTrackText({owned.data(), owned.size()}, request, copy, statistics);
  EXPECT_LE(outcome.messages.size(), 2u);
  if (!keep) return;
  ASSERT_EQ(copy.records.size(), static_cast<std::size_t>(copy.tracks));
  if (copy.tracks == 0) return;
  ASSERT_EQ(copy.firstTrack.size(), static_cast<std::size_t>(copy.histories) + 1);
  EXPECT_EQ(copy.firstTrack.back(), copy.tracks);
  for (std::size_t h = 1; h < copy.firstTrack.size(); ++h) EXPECT_LE(copy.firstTrack[h - 1], copy.firstTrack[h]);
  EXPECT_LE(statistics.tracks, copy.tracks);
}

TEST(TrackReadingRobustness, DamagedFilesLeaveAConsistentCopy) {
  Random random;
  const std::string alphabet = "0123456789 .:-+eE/\n\tHistoryNo.Track";
  for (int round = 0; round < 3000; ++round) {
    std::string text = kValid;
    const int edits = 1 + static_cast<int>(random.Next() % 6);
    for (int e = 0; e < edits && !text.empty(); ++e) {
      const std::size_t at = random.Next() % text.size();
      switch (random.Next() % 3) {
        case 0: text[at] = alphabet[random.Next() % alphabet.size()]; break;
        case 1: text.erase(at, 1 + random.Next() % 8); break;
        default: text.insert(at, 1, alphabet[random.Next() % alphabet.size()]); break;
      }
    }
    CheckConsistent(text, round % 2 == 0);
  }
}

TEST(TrackReadingRobustness, ExtremeNumbersAndEmptyInput) {
  for (const std::string& text :
       {std::string(), std::string("\n\n"), std::string("1: History No. 1\n9.3e18\n2\n0 0 0 1\n0 0 0 0\n"),
        std::string("1: History No. 1\n1\n2147483647\n0 0 0 1\n"),
        std::string("1: History No. 99999999999999999999\n1\n2\n0 0 0 1\n0 0 0 0\n"),
        std::string("1: History No. 1\n1\n2\n1e999 0 0 1\n0 0 0 0\n"),
        std::string("1: History No. 1\n1\n2\nnan inf -inf 1\n0 0 0 0\n"),
        std::string("Track No. 1\n1\n-2\n0 0 0 1\n0 0 0 5\n"), std::string(5000, 'x')}) {
    CheckConsistent(text, true);
    CheckConsistent(text, false);
  }
}

// A vertex that is not a finite number is a format error at its line, in
// the layout the quick scanner takes ("%e") and in any other.
TEST(TrackReadingRobustness, NonFiniteVerticesAreFormatErrorsAtTheirLine) {
  for (const char* number : {"nan", "NaN", "inf", "-inf", "+inf", "Infinity", "-infinity", "1e999", "nan(1)"}) {
    for (const std::string& fine : {std::string("0 0 "), std::string("  1.000000e+00  2.000000e+00  ")}) {
      SCOPED_TRACE(std::string(number) + " after \"" + fine + "\"");
      const std::string text = "1: History No. 1\n1\n3\n0 0 0 1e6\n" + fine + number + " 5e5\n0 0 2 0\n";
      for (bool keep : {true, false}) {
        TrackReadingRequest request;
        request.path = "/runs/t.txt";
        request.keepTrackDataInMemory = keep;
        request.filter.originTypeMask = 4095;
        TRACKSETDATA copy;
        TrackStatistics statistics;
        const TrackReadingOutcome outcome = ReadTrackText({text.data(), text.size()}, request, copy, statistics);
        EXPECT_TRUE(outcome.formatError);
        ASSERT_FALSE(outcome.messages.empty());
        EXPECT_NE(outcome.messages.back().text.find("\n  at t.txt:5"), std::string::npos)
            << outcome.messages.back().text;
        EXPECT_EQ(statistics.tracks, 0);
      }
    }
  }
}

}  // namespace
}  // namespace tessarin::tracks

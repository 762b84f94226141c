// Lines of large track files: cut into chunks and parsed ahead on helper
// threads, they must come out exactly as a plain line-by-line reading of the
// text gives them, with the same numbers.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "support/test_files.h"
#include "tracks/exact_expectations.h"
#include "tracks/track_line_source.h"
#include "tracks/track_file_lines.h"
#include "tracks/track_reader.h"
#include "tracks/vertex_line_scan.h"

namespace tessarin::tracks {
namespace {


// One number in one of the forms files hold, or something close to one.
std::string RandomNumber(std::mt19937& random) {
  static const char* const kOdd[] = {"", "-", "+", ".", "e5", "1e", "1e+", "--1", "+-1", "1.2.3", "0x1p3",
                                     "inf", "nan", "1e400", "1e-400", "1,5", "1\x01", "12345678901234567890"};
  std::uniform_int_distribution<int> pick(0, 99);
  if (pick(random) < 5) return kOdd[static_cast<std::size_t>(pick(random)) % std::size(kOdd)];
  std::string text;
  const int sign = pick(random) % 3;
  if (sign == 1) text += '-';
  if (sign == 2) text += '+';
  const int whole = pick(random) % 5, fraction = pick(random) % 18;
  for (int i = 0; i < whole; ++i) text += static_cast<char>('0' + pick(random) % 10);
  if (fraction > 0 || pick(random) % 4 == 0) text += '.';
  for (int i = 0; i < fraction; ++i) text += static_cast<char>('0' + pick(random) % 10);
  if (pick(random) % 3 != 0) {
    text += pick(random) % 2 == 0 ? 'e' : 'E';
    if (pick(random) % 2 == 0) text += pick(random) % 2 == 0 ? '-' : '+';
    const int exponentDigits = pick(random) % 6;
    for (int i = 0; i < exponentDigits; ++i) text += static_cast<char>('0' + pick(random) % 10);
  }
  return text;
}

std::string RandomLine(std::mt19937& random) {
  std::uniform_int_distribution<int> pick(0, 99);
  std::string line;
  const int fields = 2 + pick(random) % 4;
  for (int i = 0; i < fields; ++i) {
    const int blanks = pick(random) % 4;
    for (int b = 0; b < blanks; ++b) line += pick(random) % 4 == 0 ? '\t' : ' ';
    line += RandomNumber(random);
  }
  if (pick(random) % 4 == 0) line += "  ";
  return line;
}

// A vertex line as simulators print it, without its line end.
std::string PrintedLine(std::mt19937& random) {
  std::uniform_real_distribution<double> value(-1e3, 1e3);
  char printed[128];
  std::snprintf(printed, sizeof printed, "  %e  %e  %e  %e", value(random), value(random), value(random),
                value(random));
  return printed;
}

// The text of a line and what follows it, then the zero bytes a chunk ends
// with; the scan reads up to sixteen bytes at a time.
struct ScannedText {
  std::string bytes;
  std::size_t textSize;
  // What ScanVertexLine finds, once every way of scanning this processor
  // can run has been seen to find the same.
  const char* Scan(TrackVertex& vertex) const {
    const char* const found = ScanVertexLine(bytes.data(), bytes.data() + textSize, vertex);
    for (const VertexLineScanner scan : UsableVertexLineScanners()) {
      TrackVertex other;
      const char* const otherEnd = scan(bytes.data(), bytes.data() + textSize, other);
      EXPECT_EQ(otherEnd, found) << bytes.substr(0, textSize);
      if (found != nullptr && otherEnd == found) {
        EXPECT_TRUE(SameVertex(other, vertex)) << bytes.substr(0, textSize);
      }
    }
    return found;
  }
};

ScannedText Padded(const std::string& text) { return {text + std::string(16, '\0'), text.size()}; }

TEST(VertexLines, TheScanAgreesWithTheGeneralParser) {
  // After the line: a line end and more digits, a Windows line end, the end
  // of the text, a carriage return inside the line, a zero byte.
  const std::string kEndings[] = {"\n7.5 1 2 3", "\r\n", "", "\r7\n", std::string("\0 1", 3)};
  std::mt19937 random(7);
  int scanned = 0;
  std::uniform_int_distribution<int> pick(0, 99);
  const std::string kNearMisses = " \t.eE+-09x";
  for (int i = 0; i < 100000; ++i) {
    // Every other line is printed, one in four of those with a byte changed.
    std::string line = i % 2 == 0 ? PrintedLine(random) : RandomLine(random);
    if (i % 8 == 0) {
      line[static_cast<std::size_t>(pick(random)) % line.size()] =
          kNearMisses[static_cast<std::size_t>(pick(random)) % kNearMisses.size()];
    }
    const std::string& ending = kEndings[i % std::size(kEndings)];
    const ScannedText text = Padded(line + ending);
    TrackVertex quick;
    const char* const lineEnd = text.Scan(quick);
    if (lineEnd == nullptr) continue;
    ++scanned;
    ASSERT_EQ(static_cast<std::size_t>(lineEnd - text.bytes.data()), line.size()) << line;
    TrackVertex general;
    ASSERT_TRUE(ParseVertex(line, general)) << line;
    ASSERT_TRUE(SameVertex(quick, general)) << line;
  }
  EXPECT_GT(scanned, 20000);
}

TEST(VertexLines, NumbersPrintedWithPercentEAreReadAsStrtodReadsThem) {
  std::mt19937 random(17);
  // Exponents from -16 to 27: the seven digits scale by 10^-22 to 10^21.
  std::uniform_real_distribution<double> magnitude(-16, 27.99), sign(-1, 1);
  for (int i = 0; i < 100000; ++i) {
    double numbers[4];
    for (double& number : numbers) number = std::copysign(std::pow(10.0, magnitude(random)), sign(random));
    if (i % 100 == 0) numbers[i / 100 % 4] = i % 200 == 0 ? 0.0 : -0.0;
    char printed[160];
    std::snprintf(printed, sizeof printed, "  %e  %e  %e  %e\n", numbers[0], numbers[1], numbers[2], numbers[3]);
    const ScannedText text = Padded(printed);
    TrackVertex vertex;
    ASSERT_NE(text.Scan(vertex), nullptr) << printed;
    const double scanned[4] = {vertex.x, vertex.y, vertex.z, vertex.energy};
    char* next = printed;
    for (double value : scanned) ASSERT_TRUE(SameBits(value, std::strtod(next, &next))) << printed;
  }
}

TEST(VertexLines, PrintedNumbersAreScannedAndCorrectlyRounded) {
  std::mt19937 random(11);
  std::uniform_int_distribution<long long> mantissa(0, 999999999999999LL);
  // Fourteen digits after the point: a scale of 10^-22 at the least.
  std::uniform_int_distribution<int> exponent(-8, 22), digits(1, 15);
  for (int i = 0; i < 100000; ++i) {
    std::string number = std::to_string(mantissa(random)).substr(0, static_cast<std::size_t>(digits(random)));
    number.insert(1, ".");
    number += "e" + std::to_string(exponent(random));
    const ScannedText text = Padded("  " + number + " -" + number + "\t" + number + "  " + number + " \n");
    TrackVertex vertex;
    ASSERT_NE(text.Scan(vertex), nullptr) << number;
    const double expected = std::strtod(number.c_str(), nullptr);
    ASSERT_TRUE(SameBits(vertex.x, expected) && SameBits(vertex.y, -expected) && SameBits(vertex.energy, expected))
        << number;
  }
}

// About six chunks of lines of every kind, half of them printed as
// simulators print them, with Windows line ends in places and no line end at
// the very end.
std::string ManyChunksOfLines() {
  std::mt19937 random(3);
  std::string text;
  int line = 0;
  while (text.size() < (std::size_t{6} << 20)) {
    ++line;
    if (line % 97 == 0) {
      text += "\n";
    } else if (line % 13 == 0) {
      text += std::to_string(line) + ": History No. " + std::to_string(line) + "\r\n";
    } else if (line % 2 == 0) {
      text += PrintedLine(random) + (line % 10 == 0 ? "\r\n" : "\n");
    } else {
      text += RandomLine(random) + "\n";
    }
  }
  return text + "0 0 0 1";
}

struct PlainLine {
  std::string_view text;
  std::size_t end;  // bytes up to and including its line end
};

std::vector<PlainLine> SplitPlainly(std::string_view text) {
  std::vector<PlainLine> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    std::size_t newline = text.find('\n', begin);
    const std::size_t end = newline == std::string_view::npos ? text.size() : newline + 1;
    if (newline == std::string_view::npos) newline = text.size();
    std::string_view line = text.substr(begin, newline - begin);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back({line, end});
    begin = end;
  }
  return lines;
}

TEST(ChunkedLines, LinesNumbersAndPositionsMatchAPlainReading) {
  const std::string text = ManyChunksOfLines();
  const std::vector<PlainLine> expected = SplitPlainly(text);
  testing::TempDir folder;
  const std::string path = folder.File("lines.txt");
  testing::WriteWholeFile(path, text);
  for (int fromFile = 0; fromFile < 2; ++fromFile) {
    LineSource fileSource(path);
    LineSource textSource(std::span<const char>(text.data(), text.size()));
    LineSource& source = fromFile == 1 ? fileSource : textSource;
    ASSERT_TRUE(source.Good());
    std::string_view line;
    const TrackVertex* vertex = nullptr;
    std::size_t index = 0;
    while (source.Next(line, vertex)) {
      ASSERT_LT(index, expected.size());
      ASSERT_EQ(line, expected[index].text) << "line " << index + 1;
      ASSERT_EQ(source.BytesRead(), expected[index].end);
      ASSERT_EQ(source.LineNumber(), static_cast<std::int64_t>(index + 1));
      TrackVertex parsed;
      const bool isVertex = ParseVertex(expected[index].text, parsed);
      ASSERT_EQ(vertex != nullptr, isVertex) << line;
      if (isVertex) {
        ASSERT_TRUE(SameBits(vertex->x, parsed.x) && SameBits(vertex->y, parsed.y) &&
                    SameBits(vertex->z, parsed.z) && SameBits(vertex->energy, parsed.energy))
            << line;
      }
      ++index;
    }
    EXPECT_EQ(index, expected.size());
    EXPECT_FALSE(source.HasMore());
  }
}

TEST(ChunkedLines, VertexRunsAreHandedOutAsTheirLinesWouldBe) {
  const std::string text = ManyChunksOfLines();
  const std::vector<PlainLine> expected = SplitPlainly(text);
  LineSource source(std::span<const char>(text.data(), text.size()));
  std::mt19937 random(9);
  std::size_t index = 0;
  int runs = 0;
  while (index < expected.size()) {
    const std::size_t count = 1 + random() % 6;
    const std::span<const TrackVertex> run = source.PeekVertexRun(count);
    if (run.empty()) {
      std::string_view line;
      ASSERT_TRUE(source.Next(line));
      ASSERT_EQ(line, expected[index].text);
      ++index;
      continue;
    }
    ++runs;
    ASSERT_EQ(run.size(), count);
    ASSERT_LE(index + count, expected.size());
    for (std::size_t k = 0; k < count; ++k) {
      TrackVertex parsed;
      ASSERT_TRUE(ParseVertex(expected[index + k].text, parsed)) << expected[index + k].text;
      ASSERT_TRUE(SameVertex(run[k], parsed));
    }
    source.Skip(count);
    index += count;
    ASSERT_EQ(source.BytesRead(), expected[index - 1].end);
    ASSERT_EQ(source.LineNumber(), static_cast<std::int64_t>(index));
  }
  EXPECT_FALSE(source.HasMore());
  EXPECT_GT(runs, 1000);
}

TEST(ChunkedLines, ALineLongerThanAChunkComesInPiecesThatAddUp) {
  const std::string longLine(std::size_t{5} << 20, '7');
  const std::string text = "1 2 3 4\n" + longLine + "\n5 6 7 8\n";
  LineSource source(std::span<const char>(text.data(), text.size()));
  std::string_view line;
  ASSERT_TRUE(source.Next(line));
  std::size_t pieces = 0, length = 0;
  while (source.Next(line) && line != "5 6 7 8") {
    ++pieces;
    length += line.size();
    ASSERT_EQ(line.find_first_not_of('7'), std::string_view::npos);
  }
  EXPECT_GT(pieces, 1u);
  EXPECT_EQ(length, longLine.size());
  EXPECT_EQ(line, "5 6 7 8");
  EXPECT_EQ(source.BytesRead(), text.size());
}

// A track file of a few megabytes: `histories` histories of one source track
// of `vertices` vertices each.
std::string LargeTrackFile(int histories, int vertices) {
  std::string text;
  for (int h = 1; h <= histories; ++h) {
    text += std::to_string(h) + ": History No. " + std::to_string(h) + "\n" + std::to_string(h) + "\n" +
            std::to_string(vertices) + "\n";
    for (int v = 0; v < vertices; ++v) text += "  1.000000e-01  2.000000e-01  " + std::to_string(v) + ".0  1.0e+03\n";
  }
  return text;
}

TEST(ChunkedLines, AFormatErrorDeepInALargeFileNamesItsLine) {
  const int histories = 20000, vertices = 5;  // lines of 8 per history
  std::string text = LargeTrackFile(histories, vertices);
  const int badHistory = 15001;
  const std::size_t lineOfBadVertex = static_cast<std::size_t>(badHistory - 1) * 8 + 5;
  std::size_t at = 0;
  for (std::size_t line = 1; line < lineOfBadVertex; ++line) at = text.find('\n', at) + 1;
  text.replace(at, text.find('\n', at) - at, "1 2 three 4");
  testing::TempDir folder;
  const std::string path = folder.File("large.txt");
  testing::WriteWholeFile(path, text);
  TrackReadingRequest request;
  request.path = path;
  request.filter.originTypeMask = 4095;
  TRACKSETDATA copy;
  TrackStatistics statistics;
  const TrackReadingOutcome outcome = ReadTracks(request, copy, statistics);
  ASSERT_TRUE(outcome.formatError);
  EXPECT_EQ(statistics.tracks, badHistory - 1);
  ASSERT_EQ(outcome.messages.size(), 1u);
  EXPECT_NE(outcome.messages[0].text.find("history No. 15001, corresponding to source particle No. 15001"),
            std::string::npos)
      << outcome.messages[0].text;
  EXPECT_NE(outcome.messages[0].text.find("large.txt:" + std::to_string(lineOfBadVertex)), std::string::npos)
      << outcome.messages[0].text;
}

TEST(ChunkedLines, StopEndsALargeReadingAtOnce) {
  const std::string text = LargeTrackFile(30000, 5);
  testing::TempDir folder;
  const std::string path = folder.File("large.txt");
  testing::WriteWholeFile(path, text);
  for (bool keep : {false, true}) {
    class StopAfter : public SelectedTrackSink {
     public:
      explicit StopAfter(std::atomic<bool>& stop) : stop_(stop) {}
      void Add(const TrackInput&, const SelectedSegment&, int) override {
        if (++seen_ == 100) stop_ = true;
      }
      void Finish() override {}

     private:
      std::atomic<bool>& stop_;
      int seen_ = 0;
    };
    std::atomic<bool> stop{false};
    StopAfter sink(stop);
    TrackReadingRequest request;
    request.path = path;
    request.keepTrackDataInMemory = keep;
    request.stop = &stop;
    request.sink = &sink;
    request.filter.originTypeMask = 4095;
    TRACKSETDATA copy;
    TrackStatistics statistics;
    const TrackReadingOutcome outcome = ReadTracks(request, copy, statistics);
    EXPECT_TRUE(outcome.interrupted);
    EXPECT_EQ(statistics.tracks, 100);
  }
}

}  // namespace
}  // namespace tessarin::tracks

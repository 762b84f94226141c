#include "tracks/track_file_lines.h"

#include <cmath>
#include <limits>

#include "platform/text_case.h"
#include "tracks/line_numbers.h"

namespace tessarin::tracks {
namespace {

constexpr std::string_view kHistoryLabel = "History No.";
constexpr std::string_view kOlderLabel = "Track No.";
constexpr double kLargestSourceParticle = 9223372036854775808.0;  // 2^63

// "h" with nothing after it, h >= 1.
bool ParseHistoryNumber(std::string_view text, std::int64_t& number) {
  return TakeInteger(text, number) && number >= 1 && OnlyBlanks(text);
}

// The number before the colon, alone in its field.
bool ParseTrackNumber(std::string_view beforeColon, std::int64_t& number) {
  return TakeInteger(beforeColon, number) && OnlyBlanks(beforeColon);
}

HeaderLine CurrentHistory(std::string_view line, std::size_t colon, std::int64_t expectedTrackNumber) {
  HeaderLine header{HeaderKind::CurrentHistory};
  header.wellFormed = ParseTrackNumber(line.substr(0, colon), header.trackNumber) &&
                      header.trackNumber == expectedTrackNumber &&
                      ParseHistoryNumber(line.substr(colon + 2 + kHistoryLabel.size()), header.historyNumber);
  return header;
}

HeaderLine OlderHistory(std::string_view line) {
  HeaderLine header{HeaderKind::OlderHistory};
  header.wellFormed = ParseHistoryNumber(line.substr(kOlderLabel.size()), header.historyNumber);
  return header;
}

// "n: g/t": each number ends at its field's end, a blank or a tab.
HeaderLine Secondary(std::string_view line, std::size_t colon, std::int64_t expectedTrackNumber) {
  HeaderLine header{HeaderKind::Secondary};
  std::int64_t generation = 0, type = 0;
  std::string_view rest = line.substr(colon + 1);
  const bool parsed = ParseTrackNumber(line.substr(0, colon), header.trackNumber) && TakeInteger(rest, generation);
  if (parsed) SkipBlanks(rest);
  if (!parsed || rest.empty() || rest.front() != '/') return {};
  rest.remove_prefix(1);
  if (!TakeInteger(rest, type) || !AtFieldEnd(rest)) return {};
  if (generation < std::numeric_limits<int>::min() || generation > std::numeric_limits<int>::max()) return {};
  header.generation = static_cast<int>(generation);
  header.type = static_cast<int>(type >= 0 && type < 100 ? type : -1);
  header.wellFormed = header.trackNumber == expectedTrackNumber && type >= 1 && type <= 11;
  return header;
}

}  // namespace

HeaderLine RecogniseHeader(std::string_view line, int layout, std::int64_t expectedTrackNumber) {
  const std::size_t colon = line.find(':');
  if (layout != kOlderTrackLayout && colon != std::string_view::npos && colon + 2 <= line.size() &&
      platform::StartsWithIgnoringCase(line.substr(colon + 2), kHistoryLabel))
    return CurrentHistory(line, colon, expectedTrackNumber);
  if (layout != kCurrentTrackLayout && platform::StartsWithIgnoringCase(line, kOlderLabel))
    return OlderHistory(line);
  if (layout == kCurrentTrackLayout && colon != std::string_view::npos)
    return Secondary(line, colon, expectedTrackNumber);
  return {};
}

bool ParseSourceParticle(std::string_view line, std::int64_t& number) {
  double value = 0;
  if (!TakeReal(line, value) || !OnlyBlanks(line)) return false;
  if (!(value > 0.5 && value <= kLargestSourceParticle)) return false;
  // 2^63 itself does not fit: it becomes the largest 64-bit number.
  number = value >= kLargestSourceParticle ? std::numeric_limits<std::int64_t>::max() : std::llround(value);
  return true;
}

bool ParseVertexCount(std::string_view line, std::int64_t& count) {
  return TakeInteger(line, count) && OnlyBlanks(line);
}

bool ParseVertex(std::string_view line, TrackVertex& vertex) {
  return TakeReal(line, vertex.x) && AtFieldEnd(line) && TakeReal(line, vertex.y) && AtFieldEnd(line) &&
         TakeReal(line, vertex.z) && AtFieldEnd(line) && TakeReal(line, vertex.energy) && AtFieldEnd(line);
}

}  // namespace tessarin::tracks

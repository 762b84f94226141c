#include "input/keyword_hint.h"

#include <algorithm>
#include <vector>

#include "input/directive_table.h"
#include "platform/text_case.h"

namespace tessarin::input {
namespace {

constexpr std::size_t kMaxEdits = 2;
constexpr std::size_t kShortestHintedKeyword = 5;
// Tokens longer than any keyword plus the edits cannot be near one.
constexpr std::size_t kLongestToken = 64;

std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      std::size_t above = row[j];
      std::size_t change = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
      row[j] = std::min({change, above + 1, row[j - 1] + 1});
      diagonal = above;
    }
  }
  return row[b.size()];
}

}  // namespace

std::optional<std::string> NearGeometryKeyword(std::string_view token) {
  if (token.size() > kLongestToken) return std::nullopt;
  std::string upper = platform::ToUpper(std::string(token));
  std::optional<std::string> best;
  std::size_t bestDistance = kMaxEdits + 1;
  for (const DirectiveSpec& spec : Directives()) {
    std::string_view keyword = spec.keyword;
    if (spec.prefixed || keyword.size() < kShortestHintedKeyword) continue;
    std::size_t distance = EditDistance(upper, platform::ToUpper(std::string(keyword)));
    if (distance > 0 && distance < bestDistance) {
      bestDistance = distance;
      best = std::string(keyword);
    }
  }
  return best;
}

}  // namespace tessarin::input

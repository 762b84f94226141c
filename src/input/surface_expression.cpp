#include "input/surface_expression.h"

#include "input/cell_messages.h"
#include "input/owned_token.h"
#include "platform/format_text.h"

namespace tessarin::input {
namespace {

constexpr long long kIdentifierLimit = 2147483647;
constexpr int kMaxBracketDepth = 2;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits at the start of `text`, saturated above the identifier range;
// `length` is how many characters they take.
long long LeadingDigits(std::string_view text, std::size_t& length) {
  long long value = 0;
  length = 0;
  while (length < text.size() && IsDigit(text[length])) {
    value = std::min(value * 10 + (text[length] - '0'), kIdentifierLimit + 1);
    ++length;
  }
  return value;
}

bool OnlyClosingBrackets(std::string_view token) {
  return !token.empty() && token.find_first_not_of(']') == std::string_view::npos;
}

}  // namespace

bool SurfaceExpression::ReadClosings(std::string_view rest, int& closings) const {
  if (rest.empty()) {
    closings = 0;
    return true;
  }
  if (!OnlyClosingBrackets(rest) || static_cast<int>(rest.size()) > depth_) return false;
  closings = static_cast<int>(rest.size());
  return true;
}

bool SurfaceExpression::ParseSurfaceToken(std::string_view token, SurfaceReference& reference) {
  reference = SurfaceReference{};
  std::string_view text = token;
  // Each pass reads one signed number; "N.[" opens a bracket and the rest of
  // the token is read again as its first element, so the loop runs at most
  // once per bracket depth.
  for (;;) {
    // "+" may stand before a number as well, to say the positive side.
    int sign = 1;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
      sign = text.front() == '-' ? -1 : 1;
      text.remove_prefix(1);
    }
    if (depth_ > 0) sign *= signInForce_[static_cast<std::size_t>(depth_)];
    std::size_t length = 0;
    long long number = LeadingDigits(text, length);
    std::string_view rest = text.substr(length);
    char next = rest.empty() ? '\0' : rest.front();
    if (next == '/' || next == '*') return Fail(platform::FormatText(messages::kExpressionSeparator, next));
    if (length == 0 || number < 1 || number > kIdentifierLimit || (next != '\0' && next != '.' && next != ']'))
      return Fail(platform::FormatText(messages::kExpressionObjectInvalid, std::string(token).c_str()));
    if (next != '.') return ParsePlain(token, rest, number, sign, reference);
    bool opened = false;
    text = rest.substr(1);
    if (!ParseAfterDot(text, number, sign, reference, opened)) return false;
    if (!opened || text.empty()) return true;
  }
}

bool SurfaceExpression::ParsePlain(std::string_view token, std::string_view rest, long long number, int sign,
                                   SurfaceReference& reference) {
  const GeometryModel& model = context_.model;
  if (!ReadClosings(rest, reference.closedBrackets))
    return Fail(platform::FormatText(messages::kExpressionObjectInvalid, std::string(token).c_str()));
  std::int32_t id = static_cast<std::int32_t>(number);
  reference.sign = sign;
  if (depth_ > 0) {
    // Inside a bracket a number is a facet of the bracket's macrobody.
    int body = bracketBody_[static_cast<std::size_t>(depth_)];
    const MacrobodyRecord& record = model.macrobodies[static_cast<std::size_t>(body)];
    if (number > record.facetCount()) return Fail(platform::FormatText(messages::kExpressionFacetBeyond, record.id, id));
    reference.kind = SurfaceReference::Kind::Facet;
    reference.index = body;
    reference.facet = id;
    return true;
  }
  reference.index = model.FindRegularSurface(id);
  if (reference.index >= 0) {
    reference.kind = SurfaceReference::Kind::RegularSurface;
    return true;
  }
  reference.index = model.FindMacrobody(id);
  if (reference.index < 0) return Fail(platform::FormatText(messages::kExpressionUndefinedSurface, id));
  reference.kind = SurfaceReference::Kind::WholeMacrobody;
  return true;
}

bool SurfaceExpression::ParseAfterDot(std::string_view& text, long long number, int sign,
                                      SurfaceReference& reference, bool& opened) {
  if (depth_ >= kMaxBracketDepth) return Fail(platform::FormatText(messages::kExpressionSeparatorDepth2, '.'));
  bool bracket = !text.empty() && text.front() == '[';
  if (depth_ > 0 && !bracket) return Fail(platform::FormatText(messages::kExpressionSeparatorInFacet, '.'));
  std::int32_t id = static_cast<std::int32_t>(number);
  int body = context_.model.FindMacrobody(id);
  if (body < 0) return Fail(platform::FormatText(messages::kExpressionNoMacrobody, id));
  if (text.empty()) return Fail(platform::FormatText(messages::kExpressionDanglingSeparator, '.'));
  if (bracket) {
    text.remove_prefix(1);
    OpenBracket(body, sign, text);
    opened = true;
    return true;
  }
  return ParseFacet(text, body, sign, reference);
}

bool SurfaceExpression::ParseFacet(std::string_view afterDot, int body, int sign, SurfaceReference& reference) {
  const MacrobodyRecord& record = context_.model.macrobodies[static_cast<std::size_t>(body)];
  std::string shown(afterDot);
  std::size_t length = 0;
  long long facet = LeadingDigits(afterDot, length);
  if (length == 0 || facet < 1 || facet > kIdentifierLimit)
    return Fail(platform::FormatText(messages::kExpressionFacetInvalid, record.id, shown.c_str()));
  if (!ReadClosings(afterDot.substr(length), reference.closedBrackets))
    return Fail(platform::FormatText(messages::kExpressionFacetTrailing, record.id, shown.c_str()));
  if (facet > record.facetCount())
    return Fail(platform::FormatText(messages::kExpressionFacetBeyond, record.id, static_cast<int>(facet)));
  reference.kind = SurfaceReference::Kind::Facet;
  reference.sign = sign;
  reference.index = body;
  reference.facet = static_cast<int>(facet);
  return true;
}

void SurfaceExpression::OpenBracket(int body, int sign, std::string_view& text) {
  ++depth_;
  std::size_t depth = static_cast<std::size_t>(depth_);
  bracketBody_[depth] = body;
  signInForce_[depth] = sign;
  if (!text.empty() && text.front() == '-') {
    signInForce_[depth] = -sign;
    text.remove_prefix(1);
  }
}

bool SurfaceExpression::AppendEntry(const BoundingEntry& entry) {
  if (list_.Count() >= kMaxCellSurfaces)
    return Fail(platform::FormatText(messages::kExpressionTooManyEntries, OwnerName(), ownerId_, kMaxCellSurfaces));
  list_.Append(entry);
  if (owner_ == ExpressionOwner::Macrobody) ++context_.model.surfaces[entry.surface].useCount;
  return true;
}

bool SurfaceExpression::AppendReference(const SurfaceReference& reference) {
  const GeometryModel& model = context_.model;
  switch (reference.kind) {
    case SurfaceReference::Kind::None:
      return true;
    case SurfaceReference::Kind::RegularSurface:
      return AppendEntry({static_cast<std::uint16_t>(reference.index), static_cast<std::int8_t>(reference.sign), 0, 0});
    case SurfaceReference::Kind::WholeMacrobody: {
      const MacrobodyRecord& body = model.macrobodies[static_cast<std::size_t>(reference.index)];
      bool general = body.kind == MacrobodyKind::General;
      if (!general && reference.sign > 0)
        return Fail(platform::FormatText(messages::kExpressionStandardWithoutMinus, OwnerName(), ownerId_));
      if (general && reference.sign < 0)
        return Fail(platform::FormatText(messages::kExpressionGeneralWithMinus, OwnerName(), ownerId_));
      auto origin = static_cast<std::int16_t>(general ? reference.index + 1 : -1 - reference.index);
      for (int i = 0; i < body.facetCount(); ++i) {
        std::size_t k = static_cast<std::size_t>(i);
        if (!AppendEntry({body.facetSurfaces[k], body.facetSenses[k], origin, static_cast<std::int16_t>(i + 1)}))
          return false;
      }
      return true;
    }
    case SurfaceReference::Kind::Facet: {
      const MacrobodyRecord& body = model.macrobodies[static_cast<std::size_t>(reference.index)];
      std::size_t k = static_cast<std::size_t>(reference.facet - 1);
      int facetSense = body.facetSenses[k];
      int sense = body.kind == MacrobodyKind::General ? reference.sign * facetSense : -reference.sign * facetSense;
      return AppendEntry({body.facetSurfaces[k], static_cast<std::int8_t>(sense),
                          static_cast<std::int16_t>(reference.sign * (reference.index + 1)),
                          static_cast<std::int16_t>(-reference.facet)});
    }
  }
  return true;
}

BoundingTokenResult SurfaceExpression::AddBoundingToken(std::optional<std::string>& token) {
  if (OnlyClosingBrackets(*token)) {
    if (static_cast<int>(token->size()) > depth_) {
      Fail(platform::FormatText(messages::kExpressionObjectInvalid, token->c_str()));
      return BoundingTokenResult::Failed;
    }
    depth_ -= static_cast<int>(token->size());
    token = NextOwnedToken(context_.tokens);
    return BoundingTokenResult::NextTokenRead;
  }
  SurfaceReference reference;
  if (!ParseSurfaceToken(*token, reference) || !AppendReference(reference)) return BoundingTokenResult::Failed;
  depth_ -= reference.closedBrackets;
  return BoundingTokenResult::Added;
}

}  // namespace tessarin::input

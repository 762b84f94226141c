#pragma once
// The bounding list of a cell or a general macrobody, written as surface
// references: a signed regular surface (-3), a whole macrobody (-5), one
// facet of a macrobody (+5.2) or a bracket group of its facets (5.[1 -2 3]),
// which may span several tokens. All references are intersected.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "input/bounding_list.h"
#include "input/directive_context.h"

namespace tessarin::input {

enum class ExpressionOwner { Cell, Macrobody };

enum class [[nodiscard]] BoundingTokenResult {
  Failed,         // the message has been printed
  NextTokenRead,  // the token only closed brackets; `token` holds the next one (or nothing)
  Added,          // the reference has been taken (it may only have opened a bracket)
};

// What one token refers to.
struct SurfaceReference {
  enum class Kind { None, RegularSurface, WholeMacrobody, Facet };
  Kind kind = Kind::None;  // None: the token only opened a bracket
  int sign = 1;
  int index = -1;  // surface index, or macrobody index
  int facet = 0;   // 1-based facet number for Kind::Facet
  int closedBrackets = 0;
};

class SurfaceExpression {
 public:
  // Entries are appended to `list`; in macrobody mode each one also counts
  // as a use of its surface.
  SurfaceExpression(DirectiveContext& context, ExpressionOwner owner, std::int32_t ownerId, BoundingList& list)
      : context_(context), owner_(owner), ownerId_(ownerId), list_(list) {}

  BoundingTokenResult AddBoundingToken(std::optional<std::string>& token);

  // The reference a token makes, updating the bracket state; false after
  // the message has been printed.
  [[nodiscard]] bool ParseSurfaceToken(std::string_view token, SurfaceReference& reference);

  int Depth() const { return depth_; }

 private:
  bool Fail(const std::string& text) { return context_.Fail(text); }
  [[nodiscard]] bool ParseAfterDot(std::string_view& text, long long number, int sign,
                     SurfaceReference& reference, bool& opened);
  [[nodiscard]] bool ParsePlain(std::string_view token, std::string_view rest, long long number, int sign,
                  SurfaceReference& reference);
  [[nodiscard]] bool ParseFacet(std::string_view afterDot, int body, int sign, SurfaceReference& reference);
  [[nodiscard]] bool ReadClosings(std::string_view rest, int& closings) const;
  void OpenBracket(int body, int sign, std::string_view& text);
  [[nodiscard]] bool AppendReference(const SurfaceReference& reference);
  [[nodiscard]] bool AppendEntry(const BoundingEntry& entry);
  const char* OwnerName() const { return owner_ == ExpressionOwner::Cell ? "cell" : "macrobody"; }

  DirectiveContext& context_;
  ExpressionOwner owner_;
  std::int32_t ownerId_;
  BoundingList& list_;
  // Brackets nest at most two deep; each depth keeps its sign and the
  // macrobody whose facets it lists.
  int depth_ = 0;
  std::array<int, 3> signInForce_{1, 1, 1};
  std::array<int, 3> bracketBody_{-1, -1, -1};
};

}  // namespace tessarin::input

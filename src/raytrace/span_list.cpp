#include "raytrace/span_list.h"

#include <algorithm>

namespace tessarin::raytrace {

void Merge(std::vector<Span>& spans) {
  std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.entry < b.entry; });
  std::size_t kept = 0;
  for (const Span& span : spans) {
    if (span.Empty()) continue;
    if (kept > 0 && span.entry <= spans[kept - 1].exit) {
      Span& last = spans[kept - 1];
      if (span.exit > last.exit) {
        last.exit = span.exit;
        last.exitSurface = span.exitSurface;
      }
      continue;
    }
    spans[kept++] = span;
  }
  spans.resize(kept);
}

void Subtract(const std::vector<Span>& from, const std::vector<Span>& removed, std::vector<Span>& out) {
  out.clear();
  std::size_t next = 0;
  for (Span piece : from) {
    while (next < removed.size() && removed[next].exit <= piece.entry) ++next;
    for (std::size_t k = next; k < removed.size() && removed[k].entry < piece.exit; ++k) {
      const Span& cut = removed[k];
      if (cut.entry > piece.entry) {
        Span before = piece;
        before.exit = cut.entry;
        before.exitSurface = cut.entrySurface;
        out.push_back(before);
      }
      if (cut.exit >= piece.exit) {
        piece.entry = piece.exit;  // nothing left
        break;
      }
      piece.entry = cut.exit;
      piece.entrySurface = cut.exitSurface;
    }
    if (!piece.Empty()) out.push_back(piece);
  }
}

}  // namespace tessarin::raytrace

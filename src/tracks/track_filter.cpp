#include "tracks/track_filter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "tracks/track_statistics.h"

namespace tessarin::tracks {
namespace {


double SquaredDistance(const TrackVertex& a, const TrackVertex& b) {
  const double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  return dx * dx + dy * dy + dz * dz;
}

double Distance(const TrackVertex& a, const TrackVertex& b) { return std::sqrt(SquaredDistance(a, b)); }

// The point `length` beyond `from` on the way to `towards`.
TrackVertex PointTowards(const TrackVertex& from, const TrackVertex& towards, double length) {
  const double piece = Distance(from, towards);
  if (piece == 0) return from;
  const double t = length / piece;
  return {from.x + (towards.x - from.x) * t, from.y + (towards.y - from.y) * t, from.z + (towards.z - from.z) * t,
          from.energy};
}

double RelativeLoss(double energy, double reference) { return reference == 0 ? 0 : 1 - energy / reference; }

// What the filter block judges, of a whole track or of a segment. The
// geometric quantities are asked for only when a bound needs them.
struct Judged {
  int generation = 0;
  int typeMask = 0;
  int vertexCount = 0;
  double initialEnergy = 0;
  double finalEnergy = 0;
  bool hasLength = false;
  double displacement = 0;
  double path = 0;
  double peakDisplacement = 0;
};

bool FailsBounds(double value, double minimum, double maximum) {
  return BelowMinimum(value, minimum) || (maximum >= 0 && AboveMaximum(value, maximum));
}

bool PassesFilterBlock(const Judged& t, const settings::TrackFilter& f) {
  if (t.generation > 0 && (t.generation < f.genMin || (f.genMax >= 0 && t.generation > f.genMax))) return false;
  if ((t.typeMask & f.originTypeMask) == 0) return false;
  if (t.vertexCount < f.nVerticesMin || (f.nVerticesMax > 0 && t.vertexCount > f.nVerticesMax)) return false;
  if (FailsBounds(t.initialEnergy, f.trackEstartMin, f.trackEstartMax)) return false;
  if (FailsBounds(t.finalEnergy, f.trackEfinalMin, f.trackEfinalMax)) return false;
  if (FailsBounds(t.initialEnergy - t.finalEnergy, f.trackElossMin, f.trackElossMax)) return false;
  const double relativeLoss = RelativeLoss(t.finalEnergy, t.initialEnergy);
  if (BelowMinimum(relativeLoss, f.trackRelElossMin) || AboveMaximum(relativeLoss, f.trackRelElossMax)) return false;
  if (!t.hasLength) return true;
  if (FailsBounds(t.displacement, f.trackDisplacementMin, f.trackDisplacementMax)) return false;
  if (FailsBounds(t.path, f.trackPathMin, f.trackPathMax)) return false;
  return !FailsBounds(t.peakDisplacement, f.trackPeakDisplacementMin, f.trackPeakDisplacementMax);
}

// The lengths of the pieces before vertices i and i + 1 into piece[0] and
// piece[1], as Distance gives them. Square roots are the slow part of a
// path: SSE2 takes two in one instruction, with the same rounding.
void TwoPieces(const TrackVertex* v, std::size_t i, double* piece) {
#if defined(__SSE2__)
  const __m128d dx = _mm_sub_pd(_mm_set_pd(v[i].x, v[i - 1].x), _mm_set_pd(v[i + 1].x, v[i].x));
  const __m128d dy = _mm_sub_pd(_mm_set_pd(v[i].y, v[i - 1].y), _mm_set_pd(v[i + 1].y, v[i].y));
  const __m128d dz = _mm_sub_pd(_mm_set_pd(v[i].z, v[i - 1].z), _mm_set_pd(v[i + 1].z, v[i].z));
  const __m128d squared = _mm_add_pd(_mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy)), _mm_mul_pd(dz, dz));
  _mm_storeu_pd(piece, _mm_sqrt_pd(squared));
#else
  piece[0] = Distance(v[i - 1], v[i]);
  piece[1] = Distance(v[i], v[i + 1]);
#endif
}

// Path length from vertex 0 to every vertex, in a buffer reused per thread.
const std::vector<double>& CumulativePath(std::span<const TrackVertex> v) {
  thread_local std::vector<double> path;
  const std::size_t n = v.size();
  path.resize(n);
  if (n == 0) return path;
  double* const p = path.data();
  p[0] = 0;
  std::size_t i = 1;
  for (; i + 1 < n; i += 2) TwoPieces(v.data(), i, p + i);
  if (i < n) p[i] = Distance(v[i - 1], v[i]);
  // The running sum, in order.
  for (std::size_t k = 1; k < n; ++k) p[k] += p[k - 1];
  return path;
}

// Narrows [first, last] to the run whose loss since the segment start lies
// in [a, b], scanning from the end.
template <class Loss>
bool NarrowByLoss(int& first, int& last, double a, double b, Loss loss) {
  if (a > b) return false;
  int newLast = -1;
  int stop = first - 1;
  for (int i = last; i >= first; --i) {
    const double value = loss(i);
    if (BelowMinimum(value, a)) {
      stop = i;
      break;
    }
    if (newLast < 0 && !AboveMaximum(value, b)) {
      newLast = i;
      if (a == 0) break;
    }
  }
  if (newLast < 0) return false;
  first = stop + 1;
  last = newLast;
  return true;
}

struct Segment {
  int first = 0, last = 0;
  bool interpolatedStart = false, interpolatedEnd = false;
  double startPath = 0, endPath = 0;  // measured from vertex 0
  TrackVertex start, end;
};

Segment WholeTrack(std::span<const TrackVertex> v, const std::vector<double>& path) {
  const int c = static_cast<int>(v.size());
  return {0, c - 1, false, false, 0, path.back(), v.front(), v.back()};
}

bool NarrowByEnergy(std::span<const TrackVertex> v, const settings::SegmentFilter& s, int& f, int& l) {
  auto startEnergy = [&](int i) { return i > 0 && s.segmentPathMin > 0 ? v[i - 1].energy : v[i].energy; };
  const double a = s.segmentEmin;
  const double b = s.segmentEmax < 0 ? v[f].energy : s.segmentEmax;
  if (!BelowMinimum(v[l].energy, a) && !AboveMaximum(v[f].energy, b)) return true;
  if (a > b) return false;
  const bool lastInWindow = !BelowMinimum(v[l].energy, a);
  int newFirst = -1, scannedTo = -1;
  for (int i = f; i <= l; ++i) {
    if (BelowMinimum(startEnergy(i), a)) break;
    if (newFirst < 0 && !AboveMaximum(v[i].energy, b)) {
      newFirst = i;
      if (lastInWindow) {
        scannedTo = l;
        break;
      }
    }
    scannedTo = i;
  }
  if (newFirst < 0) return false;
  f = newFirst;
  l = scannedTo;
  return true;
}

std::optional<Segment> SelectSegment(std::span<const TrackVertex> v, const std::vector<double>& path,
                                     const settings::SegmentFilter& s) {
  const int c = static_cast<int>(v.size());
  int f = std::max(s.segmentCollMin, 0);
  int l = s.segmentCollMax < 0 || s.segmentCollMax >= c ? c - 1 : s.segmentCollMax;
  if (l < f) return std::nullopt;
  if (!NarrowByEnergy(v, s, f, l)) return std::nullopt;
  auto startEnergy = [&](int i) { return i > 0 && s.segmentPathMin > 0 ? v[i - 1].energy : v[i].energy; };

  double G = startEnergy(f);
  const double totalLoss = v[f].energy - v[l].energy;
  double b = s.segmentElossMax < 0 ? totalLoss : s.segmentElossMax;
  if (s.segmentElossMin > 0 || AboveMaximum(totalLoss, b)) {
    if (!NarrowByLoss(f, l, s.segmentElossMin, b, [&](int i) { return G - v[i].energy; })) return std::nullopt;
  }

  G = startEnergy(f);
  const double totalRelativeLoss = RelativeLoss(v[l].energy, v[f].energy);
  b = s.segmentRelElossMax == 1 ? totalRelativeLoss : s.segmentRelElossMax;
  if (s.segmentRelElossMin > 0 || AboveMaximum(totalRelativeLoss, b)) {
    if (!NarrowByLoss(f, l, s.segmentRelElossMin, b, [&](int i) { return RelativeLoss(v[i].energy, G); }))
      return std::nullopt;
  }

  const double u = s.segmentPathMin;
  const double w = s.segmentPathMax;
  const bool hasMaximum = w >= 0;
  if (hasMaximum && w < u) return std::nullopt;
  int start = -1, end = l;
  double reached = 0;
  for (int i = f; i <= l; ++i) {
    const double p = path[i] - path[f];
    if (start < 0 && !BelowMinimum(p, u)) {
      start = i;
      reached = p;
    }
    if (hasMaximum && AboveMaximum(p, w)) {
      end = i - 1;
      break;
    }
  }
  if (start < 0) return std::nullopt;

  Segment segment{start, end, false, false, path[start], path[end], v[start], v[end]};
  // Within the tolerance a vertex lies on the bound; only a clear overshoot
  // puts the start between two vertices.
  if (AboveMaximum(reached, u)) {
    segment.interpolatedStart = true;
    segment.start = PointTowards(v[start], v[start - 1], reached - u);
    segment.start.energy = v[start - 1].energy;
    segment.startPath = path[start] - (reached - u);
  }
  const double pathToEnd = path[end] - path[f];
  if (hasMaximum && BelowMinimum(pathToEnd, w) && end < l) {
    segment.interpolatedEnd = true;
    segment.end = PointTowards(v[end], v[end + 1], w - pathToEnd);
    segment.end.energy = v[end].energy;
    segment.endPath = path[f] + w;
  }
  return segment;
}

// Compares squares: one square root per track instead of one per vertex.
double PeakDisplacement(std::span<const TrackVertex> v, const Segment& s) {
  double peak = SquaredDistance(s.end, s.start);
  for (int i = s.first + 1; i <= s.last; ++i) peak = std::max(peak, SquaredDistance(v[i], s.start));
  return std::sqrt(peak);
}

SegmentQuantities Measure(const TrackInput& track, std::span<const TrackVertex> v, const std::vector<double>& path,
                          const Segment& s) {
  SegmentQuantities q;
  q.history = track.history;
  q.track = track.track;
  q.points = (s.last - s.first + 1) + s.interpolatedStart + s.interpolatedEnd;
  q.initialCollisions = s.first - s.interpolatedStart;
  q.collisions = q.points - 1 - s.interpolatedEnd;
  q.initialEnergy = s.start.energy;
  q.finalEnergy = v[s.last].energy;
  q.trackInitialEnergy = v[0].energy;
  q.initialDisplacement = Distance(v[0], s.start);
  q.displacement = Distance(s.end, s.start);
  q.peakDisplacement = PeakDisplacement(v, s);
  q.initialPath = s.startPath;
  q.path = s.endPath - s.startPath;
  q.collisionPath = path[s.last] - path[s.interpolatedStart ? s.first - 1 : s.first];
  const int realVertices = static_cast<int>(v.size());
  q.escaped = track.endFlag == kTrackEscaped && s.last == realVertices - 1 && !s.interpolatedEnd;
  return q;
}

bool BoundsNeedPath(double minimum, double maximum) { return minimum > 0 || maximum >= 0; }

Judged JudgeWholeTrack(const TrackInput& track, std::span<const TrackVertex> v, const std::vector<double>& path,
                       const settings::TrackFilter& f) {
  Judged j{track.generation, track.typeMask, static_cast<int>(v.size()), v.front().energy, v.back().energy,
           v.size() > 1};
  if (!j.hasLength) return j;
  j.displacement = Distance(v.back(), v.front());
  j.path = path.back();
  if (BoundsNeedPath(f.trackPeakDisplacementMin, f.trackPeakDisplacementMax)) {
    double peak = 0;
    for (const TrackVertex& vertex : v) peak = std::max(peak, SquaredDistance(vertex, v[0]));
    j.peakDisplacement = std::sqrt(peak);
  }
  return j;
}

Judged JudgeSegment(const TrackInput& track, const SegmentQuantities& q, bool interpolatedEnd) {
  return {track.generation, track.typeMask, q.points - interpolatedEnd, q.initialEnergy, q.finalEnergy,
          q.points > 1, q.displacement, q.path, q.peakDisplacement};
}

}  // namespace

std::optional<SelectedSegment> FilterTrack(const TrackInput& track, const FilterSettings& settings,
                                           TrackStatistics* statistics) {
  // The escape point takes no part in the decision.
  std::span<const TrackVertex> v = track.vertices;
  if (track.endFlag == kTrackEscaped && !v.empty()) v = v.first(v.size() - 1);
  if (v.empty()) return std::nullopt;
  const std::vector<double>& path = CumulativePath(v);

  const bool filterFirst = settings.filterBeforeSelection || settings.segments == nullptr;
  if (settings.filter != nullptr && filterFirst &&
      !PassesFilterBlock(JudgeWholeTrack(track, v, path, *settings.filter), *settings.filter))
    return std::nullopt;

  std::optional<Segment> segment =
      settings.segments == nullptr ? WholeTrack(v, path) : SelectSegment(v, path, *settings.segments);
  if (!segment) return std::nullopt;
  const SegmentQuantities quantities = Measure(track, v, path, *segment);
  if (settings.filter != nullptr && !filterFirst &&
      !PassesFilterBlock(JudgeSegment(track, quantities, segment->interpolatedEnd), *settings.filter))
    return std::nullopt;

  if (statistics != nullptr) statistics->Add(quantities);
  return SelectedSegment{segment->first, segment->last, segment->interpolatedStart, segment->interpolatedEnd,
                         segment->start, segment->end};
}

}  // namespace tessarin::tracks

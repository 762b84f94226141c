#pragma once
// One ray walked through the engine's cells from front to back, a settled
// stretch at a time: the hierarchy's boxes are opened nearest first, and
// the part of the ray in front of every box not yet opened is final, since
// every cell that could be there is known. A caller that needs only the
// first few cells stops early; the rest of the ray is never looked at.

#include <cstdint>
#include <vector>

#include "raytrace/ray_engine.h"

namespace tessarin::raytrace {

// A cell on a stretch of the ray; `continued` when it goes on from the end
// of the previous stretch (the two pieces are one).
struct CellPiece {
  std::int32_t cell = -1;
  Span span;
  bool continued = false;
};

// The working storage of one tracing thread: grown to fit the engine on
// first use, then reused ray after ray. Not shared between threads.
class TraceScratch {
 public:
  TraceScratch() = default;

  struct Opened {  // a box of the hierarchy waiting to be opened
    double entry;
    std::int32_t node;
  };
  struct Candidate {  // a cell whose box the ray passes through
    std::int32_t cell;
    std::int32_t depth;
    double boxExit;
    std::uint32_t ownFirst, ownCount;  // its own stretches along the whole walk, in ownPool_
  };

 private:
  friend class RayWalk;
  friend class RayEngine;

  void Fit(const RayEngine& engine);
  std::uint32_t NextStamp(std::vector<std::uint32_t>& marks, std::uint32_t& stamp);

  std::vector<std::uint32_t> surfaceMark_;
  std::vector<Span> surfaceSide_;  // negative side of each surface met by this ray
  std::uint32_t surfaceStamp_ = 0;
  std::vector<std::uint32_t> cellMark_;
  std::vector<std::int32_t> cellSlot_;  // the cell's place among the candidates
  std::uint32_t cellStamp_ = 0;
  std::vector<Opened> heap_;
  std::vector<Candidate> candidates_;
  std::vector<std::int32_t> order_;              // candidates, deepest first
  std::vector<std::vector<Span>> excluded_;      // per candidate: its nested cells' stretches
  std::vector<Span> ownPool_;
  std::vector<Span> own_, holes_, region_;
  std::vector<std::int32_t> runningOn_;          // cells that reached the end of the last stretch
  std::vector<std::int32_t> nextRunningOn_;
  std::vector<std::int32_t> lastSpan_;           // Trace: per cell, its last stretch in the output
  std::vector<CellPiece> pieces_;
};

class RayWalk {
 public:
  // Walks [from, to] of the ray, cut to the world box.
  RayWalk(const RayEngine& engine, TraceScratch& scratch, const Ray& ray, double from, double to);

  // The cells of the next settled stretch, ordered by entry, into `pieces`
  // (emptied first; it may stay empty). False when the walk has ended.
  [[nodiscard]] bool Next(std::vector<CellPiece>& pieces);
  // Up to where the ray is settled.
  double SettledTo() const { return settled_; }

 private:
  void Open(std::int32_t node);
  void AddCell(std::int32_t cell);
  const Span& SideOf(std::int32_t surface);
  // The cell's own stretches along the walk into scratch own_: its
  // surfaces' sides, without the cells it excludes.
  void OwnRegion(std::int32_t cell);
  void Settle(double from, double to, std::vector<CellPiece>& pieces);

  const RayEngine& engine_;
  TraceScratch& scratch_;
  Ray ray_;
  BoxProbe probe_;
  double start_ = 0, end_ = 0, settled_ = 0;
  bool finished_ = false;
};

}  // namespace tessarin::raytrace

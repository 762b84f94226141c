#pragma once
// The selected tracks as VTK XML PolyData (.vtp), the format ParaView reads:
// one polyline per track or segment, the energy at every point, and the
// particle type, generation, history and track number of every line.

#include <cstdint>
#include <iosfwd>
#include <vector>

#include "tracks/reading_progress.h"

namespace tessarin::tracks {

class PolyDataExport : public SelectedTrackSink {
 public:
  // With `segments`, only the selected segment of each track is kept.
  explicit PolyDataExport(bool segments) : segments_(segments) {}

  void Add(const TrackInput& track, const SelectedSegment& segment, int layout) override;
  void Finish() override {}

  std::size_t Lines() const { return lineEnds_.size(); }
  // Writes the document; false when the stream failed.
  [[nodiscard]] bool Write(std::ostream& out) const;

 private:
  void AddPoint(const TrackVertex& vertex);

  bool segments_;
  std::vector<double> coordinates_;  // x, y, z per point
  std::vector<double> energies_;     // eV per point
  std::vector<std::int64_t> lineEnds_;
  std::vector<std::int32_t> types_, generations_, histories_, trackNumbers_;
};

}  // namespace tessarin::tracks

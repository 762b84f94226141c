#pragma once
// The faults a search found as a list a window shows: one row per
// overlapping pair (or group) of cells and per undefined region, each with
// the point to show and the box around it, and the closing line.

#include <string>
#include <vector>

#include "input/geometry_model.h"
#include "preview/overlap_search.h"

namespace tessarin::ui {

struct FaultRow {
  std::string text;
  bool overlap = false;  // else an undefined region
  input::Vec3 at;
  preview::Box3 bounds;
};

struct FaultReport {
  std::vector<FaultRow> rows;  // overlaps first
  std::string summary;
  bool complete = false;  // false when stopped
};

FaultReport MakeFaultReport(const input::GeometryModel& model, const preview::OverlapSearchResult& result,
                            double seconds);

}  // namespace tessarin::ui

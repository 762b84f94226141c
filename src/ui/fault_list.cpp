#include "ui/fault_list.h"

#include "preview/fault_text.h"

namespace tessarin::ui {

FaultReport MakeFaultReport(const input::GeometryModel& model, const preview::OverlapSearchResult& result,
                            double seconds) {
  FaultReport report;
  for (const preview::OverlapFinding& overlap : result.overlaps)
    report.rows.push_back({preview::OverlapLine(model, overlap), true, overlap.extent.at, overlap.extent.bounds});
  for (const preview::UndefinedFinding& gap : result.undefined)
    report.rows.push_back({preview::UndefinedLine(model, gap), false, gap.extent.at, gap.extent.bounds});
  report.summary = preview::ClosingLine(model, result, seconds);
  report.complete = !result.cancelled;
  return report;
}

}  // namespace tessarin::ui

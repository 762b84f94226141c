#include "ui/fault_search_job.h"

#include <algorithm>
#include <chrono>
#include <exception>

#include "platform/format_text.h"
#include "preview/cell_ray_engine.h"
#include "preview/fault_messages.h"
#include "preview/set_world.h"

namespace tessarin::ui {

preview::Box3 FaultSearchBox(const settings::VIEWPARM& set) {
  return preview::ViewCube(preview::ViewCentreOf(set), set.viewSize);
}

FaultSearchJob::FaultSearchJob(std::shared_ptr<const GeometryViewScene> scene, const preview::Box3& wanted,
                               std::function<void(FaultReport)> finished)
    : thread_([this, scene = std::move(scene), wanted, finished = std::move(finished)] {
        const auto started = std::chrono::steady_clock::now();
        FaultReport report;
        try {
          const preview::PointLocator& locator = scene->locator;
          const raytrace::RayEngine engine = preview::RayEngineOver(scene->model, locator.World(), locator.Bounds());
          preview::OverlapSearchOptions options;
          options.region = preview::SearchRegion(wanted, locator.Bounds());
          const preview::OverlapSearchResult result = preview::SearchOverlaps(engine, options, &cancel_, &progress_);
          const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
          report = MakeFaultReport(scene->model, result, seconds);
        } catch (const std::exception& error) {
          report.summary = platform::FormatText(preview::messages::kSearchFailed, error.what());
        }
        finished(std::move(report));
      }) {}

FaultSearchJob::~FaultSearchJob() {
  cancel_ = true;
  thread_.join();
}

double FaultSearchJob::Progress() const {
  const long long total = progress_.raysTotal.load();
  return total > 0 ? std::min(1.0, static_cast<double>(progress_.raysDone.load()) / static_cast<double>(total)) : 0.0;
}

}  // namespace tessarin::ui

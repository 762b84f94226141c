#pragma once
// One search for overlaps and undefined regions of a scene's model, on a
// thread of its own so that the window never waits: it can be stopped, says
// how far it has come, and hands its report over when done.

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "preview/overlap_search.h"
#include "settings/viewparm.h"
#include "ui/fault_list.h"
#include "ui/geometry_view_scene.h"

namespace tessarin::ui {

// What a view of `set` searches: its view cube.
preview::Box3 FaultSearchBox(const settings::VIEWPARM& set);

class FaultSearchJob {
 public:
  // Searches the part of `wanted` where the scene's cells are. `finished`
  // runs on the job's thread, also when stopped.
  FaultSearchJob(std::shared_ptr<const GeometryViewScene> scene, const preview::Box3& wanted,
                 std::function<void(FaultReport)> finished);
  ~FaultSearchJob();  // stops the search and waits for it
  FaultSearchJob(const FaultSearchJob&) = delete;
  FaultSearchJob& operator=(const FaultSearchJob&) = delete;

  void Stop() { cancel_ = true; }
  // From 0 to 1.
  double Progress() const;

 private:
  std::atomic<bool> cancel_{false};
  preview::SearchProgress progress_;
  std::thread thread_;
};

}  // namespace tessarin::ui

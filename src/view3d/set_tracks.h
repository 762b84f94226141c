#pragma once
// Reads the selected tracks of a set for a 3D picture: the set's filter,
// segment selection and allowances, as the RT script's track files hold
// them. Both the window and tessarin-cli render read them this way.

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "launch/launch_context.h"
#include "settings/viewparm.h"
#include "view3d/track_scene.h"

namespace tessarin::view3d {

struct SetTracks {
  std::shared_ptr<TrackScene> scene;  // none: the file is missing or the reading was stopped
  std::vector<std::string> messages;  // the reading's messages, then what was left out, then the count
};

// Nothing (and no messages) when the set names no track data file; `stop`
// ends the reading early.
SetTracks ReadSetTracks(const settings::VIEWPARM& set, const launch::LaunchContext& context,
                        const std::atomic<bool>& stop);

}  // namespace tessarin::view3d

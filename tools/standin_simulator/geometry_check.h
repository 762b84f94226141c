#pragma once
// The stand-in reads the input file's geometry with the program's own
// reader, user programs included, as its syntax check: the reader's messages
// go to the console, and a geometry read without error gives the source's
// position and direction.

#include <string>

#include "input/read_summary.h"
#include "launch/launch_context.h"
#include "settings/viewparm.h"

namespace tessarin::standin {

struct GeometrySummary {
  bool loaded = false;
  std::string problem;  // why the file could not be read at all
  input::ModelCounts counts;  // as `check` counts them
  double sourcePosition[3] = {0, 0, 0};
  double sourceDirection[3] = {0, 0, 1};
};

GeometrySummary CheckGeometry(const settings::VIEWPARM& set, const launch::LaunchContext& context);

}  // namespace tessarin::standin

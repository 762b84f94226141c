#include "geometry_check.h"

#include <cmath>
#include <iostream>

#include "input/engine_user_code.h"
#include "input/input_reader.h"
#include "platform/stream_console.h"

namespace tessarin::standin {
namespace {

constexpr double kUserProgramTimeLimitSeconds = 60;

}  // namespace

GeometrySummary CheckGeometry(const settings::VIEWPARM& set, const launch::LaunchContext& context) {
  settings::VIEWPARM reading = set;
  reading.checkSyntax_Tessarin = 1;
  platform::StreamConsole console(std::cout);
  input::GeometryModel model;
  // Nobody watches the console for Esc and Q, so a user program that never
  // ends is stopped after a while instead.
  input::EngineUserCode engine(kUserProgramTimeLimitSeconds);
  input::InputReadResult result = input::ReadInputFile({reading, context, console, model, engine});
  GeometrySummary summary;
  summary.loaded = result.status == input::InputReadStatus::Loaded;
  summary.problem = result.message;
  summary.counts = input::CountModel(model);
  if (summary.loaded) {
    const input::SourceSpec& source = model.source;
    summary.sourcePosition[0] = source.beamStart.x;
    summary.sourcePosition[1] = source.beamStart.y;
    summary.sourcePosition[2] = source.beamStart.z;
    double length = std::sqrt(input::Dot(source.direction, source.direction));
    if (length > 0) {
      summary.sourceDirection[0] = source.direction.x / length;
      summary.sourceDirection[1] = source.direction.y / length;
      summary.sourceDirection[2] = source.direction.z / length;
    }
  }
  return summary;
}

}  // namespace tessarin::standin

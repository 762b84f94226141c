#pragma once
// The files that belong to a run, named from the parameter set: the
// simulator's output, log and track data files and the RT script. Names are
// returned as derived; a relative one is relative to the start-up directory
// (platform::AbsolutePath makes it absolute).

#include <string>

#include "launch/launch_context.h"
#include "settings/viewparm.h"

namespace tessarin::launch {

// InputFN without folder and extension.
std::string InputBaseName(const settings::VIEWPARM& set);

// Input folder + base name + expanded suffix + ".txt", or OutputFileName when
// the suffix is empty.
std::string OutputFilePath(const settings::VIEWPARM& set, const LaunchContext& context);

// As the output file, with logSuffix and LogFileName.
std::string LogFilePath(const settings::VIEWPARM& set, const LaunchContext& context);

// TrackFN when custom; else the file "<name>_tracks.txt" in the folder
// "Files_<output file name>" beside the output file. Empty when there is no
// output file name to derive it from.
std::string TrackDataFilePath(const settings::VIEWPARM& set, const LaunchContext& context);

// (ScriptFolder or the start-up directory) + base name + expanded MGEDsuffix + ".rt".
std::string RtScriptPath(const settings::VIEWPARM& set, const LaunchContext& context);

struct DerivedFileNames {
  std::string output;
  std::string log;
  std::string trackData;
  std::string rtScript;
};
DerivedFileNames DeriveFileNames(const settings::VIEWPARM& set, const LaunchContext& context);

}  // namespace tessarin::launch

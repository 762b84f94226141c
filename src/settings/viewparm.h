#pragma once
// One parameter set: every setting of one simulation run and its rendering.
// Text fields are std::string; their length limits (kMax...) are enforced by
// the parameter file and by the editors, not by the storage.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/color_entry.h"
#include "settings/colors.h"
#include "settings/regiondata.h"
#include "settings/track_types.h"

namespace tessarin::settings {

inline constexpr std::size_t kMaxPathLength = 259;
inline constexpr std::size_t kMaxNameLength = 200;
inline constexpr std::size_t kMaxSuffixLength = 50;
inline constexpr std::size_t kMaxAdditionalArgsLength = 518;
inline constexpr int kSystemVariableCount = 10;

// Runtime state of the processes started for a set; never stored.
struct ProcessState {
  int consoleProcessId = 0;
  std::uint64_t consoleTimerId = 0;
  std::int64_t consoleListPosition = -1;
  bool consoleWindowSeen = false;
  int mgedProcessId = 0;
  std::uint64_t mgedTimerId = 0;
  std::int64_t mgedListPosition = -1;
  bool mgedWindowSeen = false;
  friend bool operator==(const ProcessState&, const ProcessState&) = default;
};

// The default filter block: copied as a whole into every set before its
// filter keys are read. History and track numbers are 0-based here; a
// maximum of -1 means no upper limit.
struct TrackFilter {
  int historyNumStart = 0;
  int historyNumEnd = -1;
  int trackNumStart = 0;
  int trackNumEnd = -1;
  int nVerticesMin = 1;
  int nVerticesMax = 0;  // 0 = no limit
  int genMin = 1;
  int genMax = -1;
  int originTypeMask = kDefaultOriginTypeMask;
  double trackEstartMin = 0, trackEstartMax = -1;
  double trackEfinalMin = 0, trackEfinalMax = -1;
  double trackElossMin = 0, trackElossMax = -1;
  double trackRelElossMin = 0, trackRelElossMax = 1;
  double trackDisplacementMin = 0, trackDisplacementMax = -1;
  double trackPeakDisplacementMin = 0, trackPeakDisplacementMax = -1;
  double trackPathMin = 0, trackPathMax = -1;
  friend bool operator==(const TrackFilter&, const TrackFilter&) = default;
};

// The selection of track segments.
struct SegmentFilter {
  int segmentCollMin = 0;
  int segmentCollMax = -1;
  double segmentEmin = 0, segmentEmax = -1;
  double segmentElossMin = 0, segmentElossMax = -1;
  double segmentRelElossMin = 0, segmentRelElossMax = 1;
  double segmentPathMin = 0, segmentPathMax = -1;
  friend bool operator==(const SegmentFilter&, const SegmentFilter&) = default;
};

struct Vector3 {
  double x = 0, y = 0, z = 0;
  friend bool operator==(const Vector3&, const Vector3&) = default;
};

struct VIEWPARM {
  // General and simulator settings.
  std::string name;
  std::string InputFileFolder;
  std::string InputFN;
  int cmdFolderOption = 2;
  std::string cmdFolder;
  std::string VarnholtFolder;
  std::string VarnholtExeName = "Varnholt";
  int nThreads = -1;
  std::string suffix = "_out";
  std::string OutputFileName;
  std::string AltCSinfoFN;
  std::string ENDFfolder;
  int createLog = 2;
  std::string logSuffix = "_log";
  std::string LogFileName;
  int checkSyntax_Varnholt = 2;
  int quitAfterChecking = 0;
  int checkSyntax_Tessarin = 1;
  int MCNP_style_cmdLine = 0;
  std::array<double, kSystemVariableCount> systemVariables{};
  std::string additionalArgs;
  int useCustomTrackFN = 0;
  std::string TrackFN;
  std::string ScriptFolder;
  std::string MGEDcmdLine = "mged";
  std::string MGEDsuffix;
  int copyToClipboard = 0;

  // Graphical settings ("Reset all" restores these and nThreads).
  double maximumObjectSizeRatio = 50;
  double sourceSizeRatio = 0.003;
  double viewSize = 15;
  Vector3 viewCenter{0, 0, 0};
  double azimuth = 25;
  double elevation = 15;
  double twist = 0;
  double perspective = 0;
  int useCutawayPlane = 0;
  Vector3 cutawayPlanePoint{0, 0, 0};
  Vector3 cutawayPlaneNormal{0, 0, 1};
  int portNum = 1;
  int nIterations = 20;
  int unitEnergy = 0;
  int unitDistance = 2;
  int raytraceInGraphicsWindow = 0;
  int showWireframe = 1;
  int raytraceInLingeringWindow = 1;
  int showTracks = 1;
  int showTrackSegments = 0;
  int extendEscapeTracks = 1;
  int keepTrackDataInMemory = 1;
  int nVerticesTotalMax = 1000000;
  int nVerticesTrackMax = 10000;
  std::array<ColorEntry, kTrackTypeCount> trackColorRGB = kDefaultTrackColors;
  ColorEntry beamAxisColorRGB = kDefaultBeamAxisColor;  // the button-face colour means "None"
  ColorEntry backgroundColorRGB = kDefaultBackgroundColor;

  // Track filtering.
  TrackFilter filter;
  SegmentFilter segments;
  int trackFilteringBeforeSegmentSelection = 1;

  // The material rows; their count is the stored "nRows" (at least 1).
  std::vector<REGIONDATA> rows = DefaultRegionRows();

  ProcessState process;

  friend bool operator==(const VIEWPARM&, const VIEWPARM&) = default;
};

// The fresh set: every field at its default, 13 material rows, process
// state idle. The same as a value-initialised VIEWPARM.
VIEWPARM DefaultParameterSet();

// With graphicsOnly ("Reset all"): the graphical fields, nThreads and the
// material rows (13 palette-coloured default rows) take their defaults; the
// name, files, simulator options, filters and process state are kept.
// Without: every field takes its default.
void ResetToDefaults(VIEWPARM& set, bool graphicsOnly);

}  // namespace tessarin::settings

#include "settings/parameter_set_reader.h"

#include <algorithm>
#include <string>

#include "platform/paths.h"
#include "settings/mged_command_line.h"

namespace tessarin::settings {

namespace {

constexpr int kLogOptionsGeneration = 4;  // log file, checks, command-line style, system variables
constexpr int kIterationsGeneration = 3;
constexpr int kFilterGeneration = 2;  // history range, generations, type mask, escape tracks, twelve colours

bool ReadPath(FieldReader& reader, std::string_view key, std::string& field, int keyGeneration = kFirstGeneration) {
  return reader.Text(key, field, kMaxPathLength, TextKind::Path, kTextLineLength, keyGeneration);
}

bool ReadFileName(FieldReader& reader, std::string_view key, std::string& field) {
  return reader.Text(key, field, kMaxPathLength, TextKind::Plain);
}

bool ReadSystemVariables(FieldReader& reader, VIEWPARM& set) {
  for (int i = 0; i < kSystemVariableCount; ++i) {
    const std::string key = "@" + std::to_string(i);
    double& value = set.systemVariables[static_cast<std::size_t>(i)];
    if (!reader.Real(key, value, kAnyFiniteRange, kLogOptionsGeneration)) return false;
  }
  return true;
}

bool ReadSimulatorSettings(FieldReader& reader, VIEWPARM& set) {
  constexpr int g4 = kLogOptionsGeneration;
  return reader.Name(set.name, kMaxNameLength, kSetNameLineLength) &&
         ReadPath(reader, "InputFileFolder", set.InputFileFolder) &&
         ReadFileName(reader, "InputFN", set.InputFN) &&
         reader.Int("cmdFolderOption", set.cmdFolderOption, kCmdFolderOptionRange) &&
         (set.cmdFolderOption != 3 || ReadPath(reader, "cmdFolder", set.cmdFolder)) &&
         ReadPath(reader, "VarnholtFolder", set.VarnholtFolder) &&
         ReadFileName(reader, "VarnholtExeName", set.VarnholtExeName) &&
         reader.Int("nThreads", set.nThreads, kThreadCountRange) &&
         reader.Suffix("suffix", set.suffix) &&
         (!set.suffix.empty() || ReadPath(reader, "OutputFileName", set.OutputFileName)) &&
         ReadPath(reader, "AltCSinfoFN", set.AltCSinfoFN) &&
         ReadPath(reader, "ENDFfolder", set.ENDFfolder) &&
         reader.Int("createLog", set.createLog, kTriStateRange, g4) &&
         reader.Suffix("logSuffix", set.logSuffix, g4) &&
         (!set.logSuffix.empty() || ReadPath(reader, "LogFileName", set.LogFileName, g4)) &&
         reader.Int("checkSyntax_Varnholt", set.checkSyntax_Varnholt, kTriStateRange, g4) &&
         reader.Int("quitAfterChecking", set.quitAfterChecking, kFlagRange, g4) &&
         reader.Int("checkSyntax_Tessarin", set.checkSyntax_Tessarin, kFlagRange, g4) &&
         reader.Int("MCNP_style_cmdLine", set.MCNP_style_cmdLine, kFlagRange, g4) &&
         ReadSystemVariables(reader, set) &&
         reader.Text("additionalArgs", set.additionalArgs, kMaxAdditionalArgsLength, TextKind::Plain,
                     kAdditionalArgsLineLength) &&
         reader.Flag("useCustomTrackFN", set.useCustomTrackFN) &&
         (set.useCustomTrackFN == 0 || ReadPath(reader, "TrackFN", set.TrackFN)) &&
         ReadPath(reader, "ScriptFolder", set.ScriptFolder);
}

// Only the program is a path: an unquoted line's first word, else the
// quoted part. The arguments stay as they are.
bool ReadMgedCommandLine(FieldReader& reader, VIEWPARM& set) {
  if (!reader.Text("MGEDcmdLine", set.MGEDcmdLine, kMaxPathLength, TextKind::Plain)) return false;
  MgedCommandLine parts = SplitMgedCommandLine(set.MGEDcmdLine);
  if (!parts.quoted) {
    const std::size_t blank = std::min(parts.program.find(' '), parts.program.size());
    set.MGEDcmdLine = platform::NormalizeSeparators(parts.program.substr(0, blank)) + parts.program.substr(blank);
    return true;
  }
  set.MGEDcmdLine = JoinMgedCommandLine(parts, [](const std::string& program) {
    return platform::NormalizeSeparators(program);
  });
  return true;
}

bool ReadView(FieldReader& reader, VIEWPARM& set) {
  if (!(reader.Flag("copyToClipboard", set.copyToClipboard) &&
        reader.Real("maximumObjectSizeRatio", set.maximumObjectSizeRatio, kObjectSizeRatioRange) &&
        reader.Real("sourceSizeRatio", set.sourceSizeRatio, kSourceSizeRatioRange) &&
        reader.Real("viewSize", set.viewSize, kViewSizeRange) &&
        reader.Vector("viewCenter", set.viewCenter, kCoordinateRange) &&
        reader.Real("azimuth", set.azimuth, kFullAngleRange) &&
        reader.Real("elevation", set.elevation, kElevationRange) &&
        reader.Real("twist", set.twist, kFullAngleRange) &&
        reader.Real("perspective", set.perspective, kPerspectiveRange) &&
        reader.Flag("useCutawayPlane", set.useCutawayPlane) &&
        reader.Vector("cutawayPlanePoint", set.cutawayPlanePoint, kCoordinateRange) &&
        reader.Vector("cutawayPlaneNormal", set.cutawayPlaneNormal, kCoordinateRange)))
    return false;
  const Vector3& normal = set.cutawayPlaneNormal;
  if (normal.x == 0 && normal.y == 0 && normal.z == 0) return reader.RejectLastValue();
  return reader.Int("portNum", set.portNum, kPortRange) &&
         reader.Int("nIterations", set.nIterations, kIterationRange, kIterationsGeneration) &&
         reader.Int("unitEnergy", set.unitEnergy, kEnergyUnitRange) &&
         reader.Int("unitDistance", set.unitDistance, kDistanceUnitRange) &&
         reader.Suffix("MGEDsuffix", set.MGEDsuffix);
}

bool ReadRange(FieldReader& reader, std::string_view minKey, double& min, std::string_view maxKey, double& max,
               bool relative) {
  return reader.Real(minKey, min, relative ? kFractionRange : kFilterMinRange) &&
         reader.Real(maxKey, max, relative ? kFractionRange : kFilterMaxRange);
}

bool ReadTrackFilter(FieldReader& reader, TrackFilter& filter) {
  constexpr int g2 = kFilterGeneration;
  return reader.OneBased("historyNumStart", filter.historyNumStart, kOneBasedStartRange, g2) &&
         reader.OneBased("historyNumEnd", filter.historyNumEnd, kOneBasedEndRange, g2) &&
         reader.OneBased("trackNumStart", filter.trackNumStart, kOneBasedStartRange) &&
         reader.OneBased("trackNumEnd", filter.trackNumEnd, kOneBasedEndRange) &&
         reader.Int("nVerticesMin", filter.nVerticesMin, kVertexCountMinRange) &&
         reader.Int("nVerticesMax", filter.nVerticesMax, kVertexCountMaxRange) &&
         ReadRange(reader, "trackEstartMin", filter.trackEstartMin, "trackEstartMax", filter.trackEstartMax, false) &&
         ReadRange(reader, "trackEfinalMin", filter.trackEfinalMin, "trackEfinalMax", filter.trackEfinalMax, false) &&
         ReadRange(reader, "trackElossMin", filter.trackElossMin, "trackElossMax", filter.trackElossMax, false) &&
         ReadRange(reader, "trackRelElossMin", filter.trackRelElossMin, "trackRelElossMax", filter.trackRelElossMax,
                   true) &&
         ReadRange(reader, "trackDisplacementMin", filter.trackDisplacementMin, "trackDisplacementMax",
                   filter.trackDisplacementMax, false) &&
         ReadRange(reader, "trackPeakDisplacementMin", filter.trackPeakDisplacementMin, "trackPeakDisplacementMax",
                   filter.trackPeakDisplacementMax, false) &&
         ReadRange(reader, "trackPathMin", filter.trackPathMin, "trackPathMax", filter.trackPathMax, false) &&
         reader.Int("genMin", filter.genMin, kGenerationMinRange, g2) &&
         reader.Int("genMax", filter.genMax, kGenerationMaxRange, g2) &&
         reader.Int("originTypeMask", filter.originTypeMask, kOriginTypeMaskRange, g2);
}

bool ReadSegmentFilter(FieldReader& reader, SegmentFilter& segments) {
  return reader.Int("segmentCollMin", segments.segmentCollMin, kCollisionMinRange) &&
         reader.Int("segmentCollMax", segments.segmentCollMax, kCollisionMaxRange) &&
         ReadRange(reader, "segmentEmin", segments.segmentEmin, "segmentEmax", segments.segmentEmax, false) &&
         ReadRange(reader, "segmentElossMin", segments.segmentElossMin, "segmentElossMax", segments.segmentElossMax,
                   false) &&
         ReadRange(reader, "segmentRelElossMin", segments.segmentRelElossMin, "segmentRelElossMax",
                   segments.segmentRelElossMax, true) &&
         ReadRange(reader, "segmentPathMin", segments.segmentPathMin, "segmentPathMax", segments.segmentPathMax, false);
}

bool ReadDrawingOptions(FieldReader& reader, VIEWPARM& set) {
  return reader.Flag("trackFilteringBeforeSegmentSelection", set.trackFilteringBeforeSegmentSelection) &&
         reader.Int("raytraceInGraphicsWindow", set.raytraceInGraphicsWindow, kFlagRange) &&
         reader.Int("showWireframe", set.showWireframe, kFlagRange) &&
         reader.Int("raytraceInLingeringWindow", set.raytraceInLingeringWindow, kFlagRange) &&
         reader.Int("showTracks", set.showTracks, kFlagRange) &&
         reader.Flag("showTrackSegments", set.showTrackSegments) &&
         reader.Flag("extendEscapeTracks", set.extendEscapeTracks, kFilterGeneration) &&
         reader.Int("keepTrackDataInMemory", set.keepTrackDataInMemory, kFlagRange) &&
         reader.VertexLimit("nVerticesTotalMax", set.nVerticesTotalMax, kMinTotalVertexLimit) &&
         reader.VertexLimit("nVerticesTrackMax", set.nVerticesTrackMax, kMinTrackVertexLimit);
}

// Twelve colours from the second generation on; before, one line for the
// source particles while the other types keep their defaults.
bool ReadTrackColors(FieldReader& reader, VIEWPARM& set) {
  if (!reader.Color("trackColorRGB[0]", set.trackColorRGB[0], false, kFilterGeneration)) return false;
  if (reader.generation() < kFilterGeneration) return reader.Color("trackColorRGB", set.trackColorRGB[0], false);
  for (int i = 1; i < kTrackTypeCount; ++i) {
    const std::string key = "trackColorRGB[" + std::to_string(i) + "]";
    if (!reader.Color(key, set.trackColorRGB[static_cast<std::size_t>(i)], false)) return false;
  }
  return true;
}

bool ReadRows(FieldReader& reader, VIEWPARM& set) {
  int rowCount = 0;
  if (!reader.Int("nRows", rowCount, kRowCountRange)) return false;
  set.rows.clear();
  for (int i = 0; i < rowCount; ++i) {
    REGIONDATA row;
    if (!(reader.Name(row.name, kMaxRowNameLength, kRowNameLineLength) &&
          reader.Color("colorRGB", row.color, true) &&
          reader.Real("transparency", row.transparency, kFractionRange) &&
          reader.Real("reflectivity", row.reflectivity, kFractionRange) &&
          reader.Flag("show", row.show)))
      return false;
    set.rows.push_back(std::move(row));
  }
  return true;
}

}  // namespace

bool ReadParameterSet(FieldReader& reader, VIEWPARM& set) {
  return ReadSimulatorSettings(reader, set) && ReadMgedCommandLine(reader, set) && ReadView(reader, set) &&
         ReadTrackFilter(reader, set.filter) && ReadSegmentFilter(reader, set.segments) &&
         ReadDrawingOptions(reader, set) && ReadTrackColors(reader, set) &&
         reader.BeamAxisColor("beamAxisColorRGB", set.beamAxisColorRGB) &&
         reader.Color("backgroundColorRGB", set.backgroundColorRGB, false) && ReadRows(reader, set);
}

}  // namespace tessarin::settings

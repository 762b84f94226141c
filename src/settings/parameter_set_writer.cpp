#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "settings/mged_command_line.h"
#include "settings/parameter_numbers.h"
#include "settings/parameter_file.h"

namespace tessarin::settings {

namespace {

constexpr int kSystemVariableDigits = 16;

// A text that its reader can take back: one line, within its limit.
std::string Storable(std::string_view text, std::size_t maxCharacters) {
  std::string result(text.substr(0, maxCharacters));
  for (char& c : result)
    if (c == '\n' || c == '\r') c = ' ';
  return result;
}

class SetWriter {
 public:
  SetWriter(std::ostream& out, std::string_view startupDirectory) : out_(out), startupDirectory_(startupDirectory) {}

  void Line(std::string_view text) { out_ << text << '\n'; }
  void Int(std::string_view key, std::int64_t value) { out_ << key << " = " << std::to_string(value) << '\n'; }
  void Real(std::string_view key, double value, int digits = 6) {
    out_ << key << " = " << FormatReal(value, digits) << '\n';
  }
  void Vector(std::string_view key, const Vector3& v) {
    out_ << key << " = (" << FormatReal(v.x) << ", " << FormatReal(v.y) << ", " << FormatReal(v.z) << ")\n";
  }
  void Color(std::string_view key, int red, int green, int blue) {
    out_ << key << " = (" << std::to_string(red) << ", " << std::to_string(green) << ", " << std::to_string(blue)
         << ")\n";
  }
  void Color(std::string_view key, const ColorEntry& color) { Color(key, color.red, color.green, color.blue); }
  void Text(std::string_view key, std::string_view value, std::size_t maxCharacters = kMaxPathLength) {
    out_ << key << " = " << Storable(value, maxCharacters) << '\n';
  }
  void Path(std::string_view key, std::string_view path) { Text(key, Relative(path)); }
  void Suffix(std::string_view key, std::string_view suffix) { Text(key, suffix, kMaxSuffixLength); }
  // Stored 0-based with -1 for no limit; written 1-based with 0 for no limit.
  void OneBased(std::string_view key, int value) { Int(key, static_cast<std::int64_t>(value) + 1); }
  void Range(std::string_view minKey, double min, std::string_view maxKey, double max) {
    Real(minKey, min);
    Real(maxKey, max);
  }

  std::string Relative(std::string_view path) const {
    return platform::RelativePath(path, startupDirectory_, startupDirectory_);
  }
  // A quoted program is a path like any other. An unquoted line is taken as
  // a whole, so only a leading start-up directory goes: its arguments keep
  // their backslashes, as the reader keeps them.
  std::string RelativeMgedCommandLine(std::string_view commandLine) const {
    const MgedCommandLine parts = SplitMgedCommandLine(commandLine);
    if (parts.quoted)
      return JoinMgedCommandLine(parts, [this](const std::string& program) { return Relative(program); });
    if (commandLine.substr(0, startupDirectory_.size()) == startupDirectory_)
      commandLine.remove_prefix(startupDirectory_.size());
    return std::string(commandLine);
  }

 private:
  std::ostream& out_;
  std::string_view startupDirectory_;
};

void WriteSimulatorSettings(SetWriter& w, const VIEWPARM& set) {
  w.Line(Storable(set.name, kMaxNameLength));
  w.Path("InputFileFolder", set.InputFileFolder);
  w.Text("InputFN", set.InputFN);
  w.Int("cmdFolderOption", set.cmdFolderOption);
  if (set.cmdFolderOption == 3) w.Path("cmdFolder", set.cmdFolder);
  w.Path("VarnholtFolder", set.VarnholtFolder);
  w.Text("VarnholtExeName", set.VarnholtExeName);
  w.Int("nThreads", set.nThreads);
  w.Suffix("suffix", set.suffix);
  if (set.suffix.empty()) w.Path("OutputFileName", set.OutputFileName);
  w.Path("AltCSinfoFN", set.AltCSinfoFN);
  w.Path("ENDFfolder", set.ENDFfolder);
  w.Int("createLog", set.createLog);
  w.Suffix("logSuffix", set.logSuffix);
  if (set.logSuffix.empty()) w.Path("LogFileName", set.LogFileName);
  w.Int("checkSyntax_Varnholt", set.checkSyntax_Varnholt);
  w.Int("quitAfterChecking", set.quitAfterChecking);
  w.Int("checkSyntax_Tessarin", set.checkSyntax_Tessarin);
  w.Int("MCNP_style_cmdLine", set.MCNP_style_cmdLine);
  for (int i = 0; i < kSystemVariableCount; ++i)
    w.Real("@" + std::to_string(i), set.systemVariables[static_cast<std::size_t>(i)], kSystemVariableDigits);
  w.Text("additionalArgs", set.additionalArgs, kMaxAdditionalArgsLength);
  w.Int("useCustomTrackFN", set.useCustomTrackFN != 0);
  if (set.useCustomTrackFN != 0) w.Path("TrackFN", set.TrackFN);
  w.Path("ScriptFolder", set.ScriptFolder);
  w.Text("MGEDcmdLine", w.RelativeMgedCommandLine(set.MGEDcmdLine));
  w.Int("copyToClipboard", set.copyToClipboard != 0);
}

void WriteView(SetWriter& w, const VIEWPARM& set) {
  w.Real("maximumObjectSizeRatio", set.maximumObjectSizeRatio);
  w.Real("sourceSizeRatio", set.sourceSizeRatio);
  w.Real("viewSize", set.viewSize);
  w.Vector("viewCenter", set.viewCenter);
  w.Real("azimuth", set.azimuth);
  w.Real("elevation", set.elevation);
  w.Real("twist", set.twist);
  w.Real("perspective", set.perspective);
  w.Int("useCutawayPlane", set.useCutawayPlane != 0);
  w.Vector("cutawayPlanePoint", set.cutawayPlanePoint);
  w.Vector("cutawayPlaneNormal", set.cutawayPlaneNormal);
  w.Int("portNum", set.portNum);
  w.Int("nIterations", set.nIterations);
  w.Int("unitEnergy", set.unitEnergy);
  w.Int("unitDistance", set.unitDistance);
  w.Suffix("MGEDsuffix", set.MGEDsuffix);
}

void WriteFilters(SetWriter& w, const VIEWPARM& set) {
  const TrackFilter& f = set.filter;
  w.OneBased("historyNumStart", f.historyNumStart);
  w.OneBased("historyNumEnd", f.historyNumEnd);
  w.OneBased("trackNumStart", f.trackNumStart);
  w.OneBased("trackNumEnd", f.trackNumEnd);
  w.Int("nVerticesMin", f.nVerticesMin);
  w.Int("nVerticesMax", f.nVerticesMax);
  w.Range("trackEstartMin", f.trackEstartMin, "trackEstartMax", f.trackEstartMax);
  w.Range("trackEfinalMin", f.trackEfinalMin, "trackEfinalMax", f.trackEfinalMax);
  w.Range("trackElossMin", f.trackElossMin, "trackElossMax", f.trackElossMax);
  w.Range("trackRelElossMin", f.trackRelElossMin, "trackRelElossMax", f.trackRelElossMax);
  w.Range("trackDisplacementMin", f.trackDisplacementMin, "trackDisplacementMax", f.trackDisplacementMax);
  w.Range("trackPeakDisplacementMin", f.trackPeakDisplacementMin, "trackPeakDisplacementMax",
          f.trackPeakDisplacementMax);
  w.Range("trackPathMin", f.trackPathMin, "trackPathMax", f.trackPathMax);
  w.Int("genMin", f.genMin);
  w.Int("genMax", f.genMax);
  w.Line("originTypeMask= " + std::to_string(f.originTypeMask));
  const SegmentFilter& s = set.segments;
  w.Int("segmentCollMin", s.segmentCollMin);
  w.Int("segmentCollMax", s.segmentCollMax);
  w.Range("segmentEmin", s.segmentEmin, "segmentEmax", s.segmentEmax);
  w.Range("segmentElossMin", s.segmentElossMin, "segmentElossMax", s.segmentElossMax);
  w.Range("segmentRelElossMin", s.segmentRelElossMin, "segmentRelElossMax", s.segmentRelElossMax);
  w.Range("segmentPathMin", s.segmentPathMin, "segmentPathMax", s.segmentPathMax);
  w.Int("trackFilteringBeforeSegmentSelection", set.trackFilteringBeforeSegmentSelection != 0);
}

void WriteDrawing(SetWriter& w, const VIEWPARM& set, platform::Rgb buttonFace) {
  w.Int("raytraceInGraphicsWindow", set.raytraceInGraphicsWindow);
  w.Int("showWireframe", set.showWireframe);
  w.Int("raytraceInLingeringWindow", set.raytraceInLingeringWindow);
  w.Int("showTracks", set.showTracks);
  w.Int("showTrackSegments", set.showTrackSegments != 0);
  w.Int("extendEscapeTracks", set.extendEscapeTracks != 0);
  w.Int("keepTrackDataInMemory", set.keepTrackDataInMemory);
  w.Int("nVerticesTotalMax", set.nVerticesTotalMax);
  w.Int("nVerticesTrackMax", set.nVerticesTrackMax);
  for (int i = 0; i < kTrackTypeCount; ++i)
    w.Color("trackColorRGB[" + std::to_string(i) + "]", set.trackColorRGB[static_cast<std::size_t>(i)]);
  const ColorEntry& beam = set.beamAxisColorRGB;
  if (platform::Rgb{beam.red, beam.green, beam.blue} == buttonFace)
    w.Color("beamAxisColorRGB", -1, -1, -1);
  else
    w.Color("beamAxisColorRGB", beam);
  w.Color("backgroundColorRGB", set.backgroundColorRGB);
}

void WriteRows(SetWriter& w, const VIEWPARM& set) {
  // "nRows = 0" would make this set and every later one unreadable.
  const std::vector<REGIONDATA> oneDefaultRow{PaletteRegionRow(0)};
  const std::vector<REGIONDATA>& rows = set.rows.empty() ? oneDefaultRow : set.rows;
  w.Int("nRows", static_cast<std::int64_t>(rows.size()));
  for (const REGIONDATA& row : rows) {
    w.Line(Storable(row.name, kMaxRowNameLength));
    w.Color("colorRGB", row.color);
    w.Real("transparency", row.transparency);
    w.Real("reflectivity", row.reflectivity);
    w.Int("show", row.show != 0);
  }
}

}  // namespace

void WriteParameterSetLines(std::ostream& out, const VIEWPARM& set, std::string_view startupDirectory,
                            platform::Rgb buttonFace) {
  SetWriter writer(out, startupDirectory);
  WriteSimulatorSettings(writer, set);
  WriteView(writer, set);
  WriteFilters(writer, set);
  WriteDrawing(writer, set, buttonFace);
  WriteRows(writer, set);
}

}  // namespace tessarin::settings

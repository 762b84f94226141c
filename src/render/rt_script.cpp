#include "render/rt_script.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "launch/run_folders.h"
#include "launch/suffix_expansion.h"
#include "platform/file_replacement.h"
#include "platform/format_text.h"
#include "platform/paths.h"
#include "render/fast_script.h"
#include "render/messages.h"
#include "render/script_bodies.h"
#include "render/script_cells.h"
#include "render/script_names_check.h"
#include "render/script_number_check.h"
#include "render/script_regions.h"
#include "render/script_scene.h"
#include "render/script_world.h"
#include "render/tcl_quoted.h"
#include "render/track_files.h"

namespace tessarin::render {

namespace {

// Removes the writer's planes from the model whatever way the command ends.
class BoundingPlanesGuard {
 public:
  explicit BoundingPlanesGuard(ScriptScene& scene) : scene_(scene) {}
  ~BoundingPlanesGuard() { scene_.RemoveBoundingPlanes(); }
  BoundingPlanesGuard(const BoundingPlanesGuard&) = delete;
  BoundingPlanesGuard& operator=(const BoundingPlanesGuard&) = delete;

 private:
  ScriptScene& scene_;
};

void WriteOpening(ScriptScene& scene, const std::string& databasePath) {
  const settings::VIEWPARM& set = scene.set;
  scene.text += "set glob_compat_mode 0\n";
  if (set.raytraceInLingeringWindow) scene.Append("catch {exec fbfree -F %d} fbfreeErr\n", set.portNum);
  scene.text += "closedb\n";
  if (set.raytraceInLingeringWindow) {
    scene.Append("catch {exec fbfree -F %d} fbfreeErr\n", set.portNum);
    scene.text += "catch {exec sleep 0.5} sleepErr\n";
  }
  const std::string path = TclQuoted(databasePath);
  scene.Append("catch {file delete \"%s\"} result\n", path.c_str());
  scene.Append("file delete \"%s\"\n", path.c_str());
  scene.Append("opendb \"%s\" y\n\n", path.c_str());
  scene.text += "units cm\n";
}

// The source sphere when the source has a position to show; sets the
// suffix that subtracts it from every cell.
bool WriteSourceSphere(ScriptScene& scene) {
  const input::SourceSpec& source = scene.model.source;
  if (source.positionType >= 3 || !(scene.set.sourceSizeRatio > 0)) return false;
  const input::Vec3 c = scene.Scaled(source.centre);
  scene.Append("in S_source sph   %.15g %.15g %.15g    %.15g\n\n", c.x, c.y, c.z,
               0.5 * scene.set.sourceSizeRatio * scene.scale * scene.set.viewSize);
  const std::size_t sourceRow = RegionNames(scene.model, true).size() - 1;
  const bool hidden = sourceRow < scene.set.rows.size() && !scene.set.rows[sourceRow].show;
  scene.sourceSuffix = hidden ? "" : " - S_source";
  return true;
}

// A file that is not there at all, as opposed to one that cannot be read.
bool IsMissing(const std::string& path) {
  std::error_code error;
  return std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found;
}

// Draws the tracks into their files and loads each file from the script.
void WriteTracks(const RtScriptRequest& request, ScriptScene& scene, RtScriptResult& result) {
  const std::string trackDataPath = SetTrackDataPath(request.set, request.launch);
  if (!trackDataPath.empty() && IsMissing(trackDataPath)) {
    request.host.ShowMessage(platform::FormatText(messages::kNoTrackDataYet, trackDataPath.c_str()),
                             platform::MessageIcon::Information);
    result.trackDataMissing = true;
    return;
  }
  const TrackReadingForDrawing read =
      request.readTracks ? request.readTracks : DirectTrackReading(request.set, trackDataPath, request.host);
  TrackDrawingSettings settings = DrawingSettingsForSet(request.set, result.trackBasePath, trackDataPath);
  settings.form = result.form;
  TrackFilesResult tracks = WriteTrackFiles(settings, read, request.host);
  result.trackFiles = tracks.files;
  result.trackFilesFailed = tracks.filesFailed;
  result.trackFilesUnwritten = tracks.unwritten;
  result.selectedTracks = tracks.selectedTracks;
  for (const std::string& name : tracks.files)
    if (!name.empty()) scene.Append(messages::kSourceLine, TclQuoted(name).c_str());
}

// The script so far into its file, translated when the fast form is
// written (`fast` not null), unless it holds a number MGED cannot use or
// a member no line makes.
bool Save(const std::string& readable, FastScriptTranslator* fast, platform::FileReplacement& file,
          platform::Host& host, RtScriptResult& result) {
  std::optional<std::string> message = NonFiniteNumberMessage(readable);
  if (!message) message = UndefinedObjectMessage(readable);
  std::string translated;
  // Numbers the stored form derives (radius vectors, millimetres) may
  // overflow where the readable ones did not.
  if (!message && fast) {
    translated = fast->Translate(readable);
    message = NonFiniteNumberMessage(translated);
  }
  if (message) {
    file.Discard();
    host.ShowMessage(*message, platform::MessageIcon::Error);
    result.outcome = RtScriptOutcome::NonFiniteNumber;
    return false;
  }
  const std::string& text = fast ? translated : readable;
  file.Write(text);
  result.scriptBytes += text.size();
  return true;
}

}  // namespace

RtScriptResult WriteRtScript(const RtScriptRequest& request) {
  const auto started = std::chrono::steady_clock::now();
  const settings::VIEWPARM& set = request.set;
  RtScriptResult result;
  // The database goes beside the script, whether or not the folder was
  // given with its closing separator.
  const std::string& startup = request.launch.startupDirectory;
  result.trackBasePath = platform::AbsolutePath(launch::FolderOrStartupDirectory(set.ScriptFolder, startup) +
                                                    request.inputBaseName +
                                                    launch::ExpandSuffix(set.MGEDsuffix, request.launch.setNumber),
                                                startup);
  result.databasePath = result.trackBasePath + ".g";

  const std::optional<std::string> linkTarget = platform::SymbolicLinkTarget(request.scriptPath);
  const bool askAboutLink = linkTarget && request.overwritePrompt && request.askAboutLinks;
  std::error_code error;
  if (askAboutLink || (request.overwritePrompt && !linkTarget && std::filesystem::exists(request.scriptPath, error))) {
    const std::string question =
        askAboutLink
            ? platform::FormatText(messages::kOverwriteLinkQuestion, request.scriptPath.c_str(), linkTarget->c_str())
            : platform::FormatText(messages::kOverwriteQuestion, request.scriptPath.c_str());
    if (request.host.ShowMessage(question, platform::MessageIcon::Warning, platform::MessageButtons::YesNo,
                                 platform::MessageAnswer::No) != platform::MessageAnswer::Yes) {
      result.outcome = RtScriptOutcome::NotOverwritten;
      return result;
    }
  }
  // The old script stays until the new one is complete.
  platform::FileReplacement file(request.scriptPath,
                                 askAboutLink ? platform::LinkHandling::kReplaceLink : platform::LinkHandling::kRefuse);
  if (file.Failed()) {
    request.host.ShowMessage(
        platform::FormatText(messages::kCouldNotOpen, request.scriptPath.c_str(), file.Reason().c_str()),
        platform::MessageIcon::Error);
    result.outcome = RtScriptOutcome::CouldNotOpen;
    return result;
  }
  if (const std::optional<std::string> warning = ViewOffScaleWarning(set.viewSize))
    request.host.ShowMessage(*warning, platform::MessageIcon::Warning);

  result.cells = request.model.cells.size();
  result.form = ResolveScriptForm(request.form, result.cells);
  FastScriptTranslator translator;
  FastScriptTranslator* const fast = result.form == ScriptForm::Fast ? &translator : nullptr;

  ScriptScene scene(request.model, set);
  BoundingPlanesGuard guard(scene);
  WriteOpening(scene, result.databasePath);
  if (!WriteWorld(scene)) {
    file.Discard();
    request.host.ShowMessage(messages::kWorldVolumeZero, platform::MessageIcon::Error);
    result.outcome = RtScriptOutcome::WorldVolumeZero;
    return result;
  }
  WriteStandAloneSurfaces(scene);
  WriteMacrobodies(scene);
  scene.text += "\n";
  const bool sourceWritten = WriteSourceSphere(scene);
  const auto cellsStarted = std::chrono::steady_clock::now();
  WriteCells(scene);
  result.times.cellsSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - cellsStarted).count();
  result.emptyCells = scene.emptyCells;
  scene.text += "\n";
  WriteRegions(scene, sourceWritten);
  WriteViewAndRaytrace(scene, sourceWritten, request.host.ButtonFaceColor());
  if (set.showTracks) {
    // The geometry is judged before the long reading of the tracks starts.
    if (!Save(scene.text, fast, file, request.host, result)) return result;
    scene.text.clear();
    WriteTracks(request, scene, result);
    // A script whose track drawings could not be written would replace a
    // whole one; the drawing has said which file failed.
    if (result.trackFilesUnwritten) {
      file.Discard();
      result.outcome = RtScriptOutcome::CouldNotWrite;
      return result;
    }
  }

  result.times.regionTestSeconds = scene.clip.times.regionTestSeconds;
  result.times.vertexSearchSeconds = scene.clip.times.vertexSearchSeconds;
  result.times.clippingSeconds = scene.clip.times.clippingSeconds;
  if (!Save(scene.text, fast, file, request.host, result)) return result;
  if (!file.Commit()) {
    request.host.ShowMessage(
        platform::FormatText(messages::kCouldNotWrite, request.scriptPath.c_str(), file.Reason().c_str()),
        platform::MessageIcon::Error);
    result.outcome = RtScriptOutcome::CouldNotWrite;
    return result;
  }
  result.outcome = RtScriptOutcome::Written;
  if (set.copyToClipboard && request.clipboard) platform::CopyFileToClipboard(request.scriptPath, *request.clipboard);
  result.times.totalSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return result;
}

}  // namespace tessarin::render

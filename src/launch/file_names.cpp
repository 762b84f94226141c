#include "launch/file_names.h"

#include "launch/run_folders.h"
#include "launch/suffix_expansion.h"
#include "platform/paths.h"

namespace tessarin::launch {
namespace {

constexpr std::string_view kTrackFolderPrefix = "Files_";
constexpr std::string_view kTrackFileEnding = "_tracks.txt";

// The input file's folder and base name with an expanded suffix: the common
// stem of the derived output, log and track names.
std::string DerivedStem(const settings::VIEWPARM& set, std::string_view suffix, const LaunchContext& context) {
  return InputBaseName(set) + ExpandSuffix(suffix, context.setNumber);
}

std::string InputFolder(const settings::VIEWPARM& set, const LaunchContext& context) {
  return FolderOrStartupDirectory(set.InputFileFolder, context.startupDirectory);
}

std::string DerivedOrCustom(const settings::VIEWPARM& set, std::string_view suffix, std::string_view customName,
                            const LaunchContext& context) {
  if (suffix.empty()) return std::string(customName);
  return InputFolder(set, context) + DerivedStem(set, suffix, context) + ".txt";
}

}  // namespace

std::string InputBaseName(const settings::VIEWPARM& set) { return platform::SplitPath(set.InputFN).name; }

std::string OutputFilePath(const settings::VIEWPARM& set, const LaunchContext& context) {
  return DerivedOrCustom(set, set.suffix, set.OutputFileName, context);
}

std::string LogFilePath(const settings::VIEWPARM& set, const LaunchContext& context) {
  return DerivedOrCustom(set, set.logSuffix, set.LogFileName, context);
}

std::string TrackDataFilePath(const settings::VIEWPARM& set, const LaunchContext& context) {
  if (set.useCustomTrackFN) return set.TrackFN;
  std::string folder;
  std::string name;
  std::string extension;
  if (!set.suffix.empty()) {
    folder = InputFolder(set, context);
    name = DerivedStem(set, set.suffix, context);
    extension = ".txt";
  } else {
    if (set.OutputFileName.empty()) return {};
    platform::PathParts output = platform::SplitPath(set.OutputFileName);
    folder = output.folder;
    name = output.name;
    extension = output.extension;
  }
  std::string path = folder;
  path += kTrackFolderPrefix;
  path += name + extension + "/" + name;
  path += kTrackFileEnding;
  return path;
}

std::string RtScriptPath(const settings::VIEWPARM& set, const LaunchContext& context) {
  return FolderOrStartupDirectory(set.ScriptFolder, context.startupDirectory) + InputBaseName(set) + ExpandSuffix(set.MGEDsuffix, context.setNumber) + ".rt";
}

DerivedFileNames DeriveFileNames(const settings::VIEWPARM& set, const LaunchContext& context) {
  return {OutputFilePath(set, context), LogFilePath(set, context), TrackDataFilePath(set, context),
          RtScriptPath(set, context)};
}

}  // namespace tessarin::launch

#include "ui/text_fields.h"

#include <optional>

#include "launch/file_names.h"
#include "platform/paths.h"
#include "ui/suffix_rules.h"
#include "ui/store_if_different.h"

namespace tessarin::ui {
namespace {

using settings::VIEWPARM;

std::string Shown(std::string_view path, const launch::LaunchContext& context) {
  if (path.empty()) return {};
  return platform::RelativePath(path, context.startupDirectory, context.startupDirectory);
}

std::string WithFolder(const std::string& folder, const std::string& name) {
  return name.empty() ? std::string() : folder + name;
}

std::string ConsoleFolderOf(const VIEWPARM& set) {
  switch (set.cmdFolderOption) {
    case 0: return set.InputFileFolder;
    case 1: return set.VarnholtFolder;
    case 3: return set.cmdFolder;
    default: return {};
  }
}

std::string Limited(std::string_view text, std::size_t limit) { return std::string(text.substr(0, limit)); }

// The custom name field of a suffix: an empty suffix hands the derived name
// over as the custom one; a non-empty suffix clears the custom name.
bool CommitSuffix(VIEWPARM& set, std::string VIEWPARM::*suffix, std::string VIEWPARM::*customName,
                  TextField nameField, std::string_view text, const launch::LaunchContext& context) {
  std::optional<std::string> normalized = NormalizeSuffix(text);
  if (!normalized || *normalized == set.*suffix) return false;
  std::string derived = TextFieldText(set, nameField, context);
  set.*suffix = *normalized;
  if (customName) set.*customName = normalized->empty() ? derived : std::string();
  return true;
}

bool SplitInto(VIEWPARM& set, std::string VIEWPARM::*folder, std::string VIEWPARM::*name, std::string_view text) {
  platform::PathParts parts = platform::SplitPath(Limited(text, settings::kMaxPathLength));
  std::string newName = parts.name + parts.extension;
  if (set.*folder == parts.folder && set.*name == newName) return false;
  set.*folder = parts.folder;
  set.*name = newName;
  return true;
}

}  // namespace

std::string TextFieldText(const VIEWPARM& set, TextField field, const launch::LaunchContext& context) {
  switch (field) {
    case TextField::OutputSuffix: return set.suffix;
    case TextField::LogSuffix: return set.logSuffix;
    case TextField::RtSuffix: return set.MGEDsuffix;
    case TextField::OutputFile: return Shown(launch::OutputFilePath(set, context), context);
    case TextField::LogFile: return Shown(launch::LogFilePath(set, context), context);
    case TextField::TrackFile: return Shown(launch::TrackDataFilePath(set, context), context);
    case TextField::RtScript: return Shown(launch::RtScriptPath(set, context), context);
    case TextField::InputFile: return Shown(WithFolder(set.InputFileFolder, set.InputFN), context);
    case TextField::VarnholtExecutable: return Shown(WithFolder(set.VarnholtFolder, set.VarnholtExeName), context);
    case TextField::MgedCommandLine: return set.MGEDcmdLine;
    case TextField::EndfFolder: return Shown(set.ENDFfolder, context);
    case TextField::AltCrossSectionsFile: return Shown(set.AltCSinfoFN, context);
    case TextField::ConsoleFolder: return Shown(ConsoleFolderOf(set), context);
    case TextField::AdditionalArguments: return set.additionalArgs;
  }
  return {};
}

bool IsTextFieldEditable(const VIEWPARM& set, TextField field) {
  switch (field) {
    case TextField::OutputFile: return set.suffix.empty();
    case TextField::LogFile: return set.logSuffix.empty();
    case TextField::TrackFile: return set.useCustomTrackFN != 0;
    case TextField::RtScript: return false;
    case TextField::ConsoleFolder: return set.cmdFolderOption == 3;
    default: return true;
  }
}

bool CommitTextField(VIEWPARM& set, TextField field, std::string_view text, const launch::LaunchContext& context) {
  if (!IsTextFieldEditable(set, field)) return false;
  const std::size_t path = settings::kMaxPathLength;
  switch (field) {
    case TextField::OutputSuffix:
      return CommitSuffix(set, &VIEWPARM::suffix, &VIEWPARM::OutputFileName, TextField::OutputFile, text, context);
    case TextField::LogSuffix:
      return CommitSuffix(set, &VIEWPARM::logSuffix, &VIEWPARM::LogFileName, TextField::LogFile, text, context);
    case TextField::RtSuffix: return CommitSuffix(set, &VIEWPARM::MGEDsuffix, nullptr, TextField::RtScript, text, context);
    case TextField::OutputFile: return StoreIfDifferent(set.OutputFileName, Limited(text, path));
    case TextField::LogFile: return StoreIfDifferent(set.LogFileName, Limited(text, path));
    case TextField::TrackFile: return StoreIfDifferent(set.TrackFN, Limited(text, path));
    case TextField::InputFile: return SplitInto(set, &VIEWPARM::InputFileFolder, &VIEWPARM::InputFN, text);
    case TextField::VarnholtExecutable:
      return SplitInto(set, &VIEWPARM::VarnholtFolder, &VIEWPARM::VarnholtExeName, text);
    case TextField::MgedCommandLine: return StoreIfDifferent(set.MGEDcmdLine, Limited(text, path));
    case TextField::EndfFolder: return StoreIfDifferent(set.ENDFfolder, Limited(text, path));
    case TextField::AltCrossSectionsFile: return StoreIfDifferent(set.AltCSinfoFN, Limited(text, path));
    case TextField::ConsoleFolder: return StoreIfDifferent(set.cmdFolder, Limited(text, path));
    case TextField::AdditionalArguments:
      return StoreIfDifferent(set.additionalArgs, Limited(text, settings::kMaxAdditionalArgsLength));
    case TextField::RtScript: return false;
  }
  return false;
}

}  // namespace tessarin::ui

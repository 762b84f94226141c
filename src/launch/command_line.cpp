#include "launch/command_line.h"

#include <algorithm>

#include "launch/file_names.h"
#include "launch/run_folders.h"
#include "platform/paths.h"
#include "platform/process_command_line.h"
#include "platform/text_case.h"
#include "settings/parameter_numbers.h"

namespace tessarin::launch {
namespace {

// Values of checkSyntax_Varnholt and createLog.
constexpr int kNo = 0;
constexpr int kYes = 1;

// The simulator derives these names itself, so they are never passed.
constexpr std::string_view kDefaultOutputSuffix = "_out";
constexpr std::string_view kDefaultLogSuffix = "_log";

// System variables go out with 16 significant digits.
constexpr int kSystemVariableDigits = 16;

// A file name worth passing: neither empty nor a folder.
bool NamesFile(std::string_view path) { return !path.empty() && !platform::EndsWithSeparator(path); }

class CommandLineWriter {
 public:
  explicit CommandLineWriter(std::string_view startupDirectory) : startupDirectory_(startupDirectory) {}

  void Append(std::string_view text) { text_ += text; }
  void AppendNumber(std::string_view keyword, long long value) {
    Append(keyword);
    Append(std::to_string(value));
  }
  // `keyword` followed by the path in its form relative to `base`, quoted when needed.
  void AppendPath(std::string_view keyword, std::string_view path, std::string_view base) {
    Append(keyword);
    Append(QuoteWhenNeeded(platform::RelativePath(path, base, startupDirectory_)));
  }
  std::string& text() { return text_; }

 private:
  std::string_view startupDirectory_;
  std::string text_;
};

void AppendCheckOption(const settings::VIEWPARM& set, CommandLineWriter& line) {
  if (set.checkSyntax_Varnholt == kNo) line.Append(" check 0");
  else if (set.quitAfterChecking) line.Append(" check -1");
  else if (set.checkSyntax_Varnholt == kYes) line.Append(" check 1");
}

void AppendLogOption(const settings::VIEWPARM& set, CommandLineWriter& line) {
  if (set.createLog == kNo) line.Append(" writeLog 0");
  else if (set.createLog == kYes) line.Append(" writeLog 1");
}

void AppendSystemVariables(const settings::VIEWPARM& set, CommandLineWriter& line) {
  for (int index = 0; index < settings::kSystemVariableCount; ++index) {
    double value = set.systemVariables[static_cast<std::size_t>(index)];
    if (value == 0) continue;
    line.AppendNumber(" @", index);
    line.Append(" ");
    line.Append(settings::FormatReal(value, kSystemVariableDigits));
  }
}

void AppendEndfFolder(const settings::VIEWPARM& set, std::string_view startupDirectory, CommandLineWriter& line) {
  if (set.ENDFfolder.empty()) return;
  std::string folder = platform::RelativePath(
      set.ENDFfolder, FolderOrStartupDirectory(set.VarnholtFolder, startupDirectory), startupDirectory);
  if (folder.empty()) folder = "./";
  line.Append(" dir ");
  line.Append(QuoteWhenNeeded(folder));
}

}  // namespace

std::string QuoteWhenNeeded(std::string_view piece) {
  // Characters the console's shell gives no meaning anywhere in a word
  // (bytes of non-ASCII letters included); "=" is not among them, as a first
  // word holding it would be taken for an assignment.
  constexpr std::string_view kPlain =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-+./:,@%^";
  const bool plain = std::all_of(piece.begin(), piece.end(), [&](char c) {
    return static_cast<unsigned char>(c) >= 0x80 || kPlain.find(c) != std::string_view::npos;
  });
  if (plain) return std::string(piece);
  // Inside double quotes only these keep a meaning; without them the
  // readable form serves.
  if (piece.find_first_of("$`\"\\!") == std::string_view::npos) {
    std::string quoted = "\"";
    quoted += piece;
    quoted += '"';
    return quoted;
  }
  return platform::QuoteForShell(piece);
}

CommandLine BuildCommandLine(settings::VIEWPARM& workingCopy, const LaunchContext& context) {
  const settings::VIEWPARM& set = workingCopy;
  if (set.VarnholtExeName.empty()) return {};
  FillEmptyFolders(workingCopy, context.startupDirectory);
  const std::string consoleDirectory = ConsoleDirectory(set, context.startupDirectory);
  const std::string outputFile = OutputFilePath(set, context);
  const std::string logFile = LogFilePath(set, context);
  const bool mcnpStyle = set.MCNP_style_cmdLine != 0;

  CommandLineWriter line(context.startupDirectory);
  std::string program = platform::RelativePath(FolderOrStartupDirectory(set.VarnholtFolder, context.startupDirectory),
                                               consoleDirectory, context.startupDirectory);
  line.Append(QuoteWhenNeeded(program + set.VarnholtExeName));
  if (set.nThreads >= 0) line.AppendNumber(" tasks ", set.nThreads);
  AppendCheckOption(set, line);
  AppendLogOption(set, line);
  if (!set.additionalArgs.empty()) {
    line.Append(" ");
    line.Append(set.additionalArgs);
  }
  AppendSystemVariables(set, line);
  AppendEndfFolder(set, context.startupDirectory, line);
  if (NamesFile(set.AltCSinfoFN)) line.AppendPath(" alt ", set.AltCSinfoFN, consoleDirectory);
  if (!InputBaseName(set).empty())
    line.AppendPath(mcnpStyle ? " in= " : " in ",
                    FolderOrStartupDirectory(set.InputFileFolder, context.startupDirectory) + set.InputFN,
                    consoleDirectory);
  if (set.createLog != kNo && !platform::EqualsIgnoringCase(set.logSuffix, kDefaultLogSuffix) && NamesFile(logFile))
    line.AppendPath(" log ", logFile, consoleDirectory);
  if (!platform::EqualsIgnoringCase(set.suffix, kDefaultOutputSuffix) && NamesFile(outputFile))
    line.AppendPath(mcnpStyle ? " out= " : " out ", outputFile, consoleDirectory);

  if (line.text().size() > kMaxCommandLineLength) return {std::string(), true};
  return {std::move(line.text()), false};
}

}  // namespace tessarin::launch

#include "ui/cmd_line_dialog.h"

#include <optional>

#include "platform/paths.h"
#include "platform/text_case.h"
#include "ui/messages.h"
#include "ui/open_file_command.h"

namespace tessarin::ui {
namespace {

using settings::VIEWPARM;

// The fields the dialog owns; everything else of the working copy stays.
bool SameSimulatorFields(const VIEWPARM& a, const VIEWPARM& b) {
  return a.cmdFolderOption == b.cmdFolderOption && a.nThreads == b.nThreads && a.createLog == b.createLog &&
         a.checkSyntax_Varnholt == b.checkSyntax_Varnholt && a.quitAfterChecking == b.quitAfterChecking &&
         a.MCNP_style_cmdLine == b.MCNP_style_cmdLine && a.VarnholtFolder == b.VarnholtFolder &&
         a.VarnholtExeName == b.VarnholtExeName && a.InputFileFolder == b.InputFileFolder && a.InputFN == b.InputFN &&
         a.suffix == b.suffix && a.OutputFileName == b.OutputFileName && a.logSuffix == b.logSuffix &&
         a.LogFileName == b.LogFileName && a.cmdFolder == b.cmdFolder && a.AltCSinfoFN == b.AltCSinfoFN &&
         a.ENDFfolder == b.ENDFfolder && platform::EqualsIgnoringCase(a.additionalArgs, b.additionalArgs);
}

void CopySimulatorFields(const VIEWPARM& from, VIEWPARM& to) {
  to.cmdFolderOption = from.cmdFolderOption;
  to.nThreads = from.nThreads;
  to.createLog = from.createLog;
  to.checkSyntax_Varnholt = from.checkSyntax_Varnholt;
  to.quitAfterChecking = from.quitAfterChecking;
  to.MCNP_style_cmdLine = from.MCNP_style_cmdLine;
  to.VarnholtFolder = from.VarnholtFolder;
  to.VarnholtExeName = from.VarnholtExeName;
  to.InputFileFolder = from.InputFileFolder;
  to.InputFN = from.InputFN;
  to.suffix = from.suffix;
  to.OutputFileName = from.OutputFileName;
  to.logSuffix = from.logSuffix;
  to.LogFileName = from.LogFileName;
  to.cmdFolder = from.cmdFolder;
  to.AltCSinfoFN = from.AltCSinfoFN;
  to.ENDFfolder = from.ENDFfolder;
  to.additionalArgs = from.additionalArgs;
}

struct BrowseRequest {
  std::string_view title;
  bool folder = false;
  std::string_view filter = messages::kTextFileFilter;
};

std::optional<BrowseRequest> BrowseRequestOf(TextField field) {
  switch (field) {
    case TextField::VarnholtExecutable: return BrowseRequest{messages::kLocateVarnholtTitle, false, messages::kProgramFilter};
    case TextField::EndfFolder: return BrowseRequest{messages::kEndfFolderTitle, true};
    case TextField::InputFile: return BrowseRequest{messages::kSelectInputFileTitle, false, messages::kInputFileFilter};
    case TextField::LogFile: return BrowseRequest{messages::kSelectLogFileTitle};
    case TextField::OutputFile: return BrowseRequest{messages::kSelectOutputFileTitle};
    case TextField::AltCrossSectionsFile: return BrowseRequest{messages::kSelectAltCrossSectionsTitle};
    case TextField::ConsoleFolder: return BrowseRequest{messages::kConsoleFolderTitle, true};
    default: return std::nullopt;
  }
}

}  // namespace

std::string NormalizeAdditionalArguments(std::string_view text) {
  std::string result;
  std::size_t at = 0;
  while (true) {
    std::size_t start = text.find_first_not_of(" \t\r\n", at);
    if (start == std::string_view::npos) break;
    std::size_t end = text.find_first_of(" \t\r\n", start);
    if (!result.empty()) result += ' ';
    result += text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (end == std::string_view::npos) break;
    at = end;
  }
  return result;
}

CCmdLineDlg::CCmdLineDlg(VIEWPARM& workingCopy, launch::LaunchContext context, platform::Host& host,
                         ShellServices& shell)
    : workingCopy_(workingCopy), copy_(workingCopy), context_(std::move(context)), host_(host), shell_(shell) {}

std::string CCmdLineDlg::Text(TextField field) const { return TextFieldText(copy_, field, context_); }
bool CCmdLineDlg::IsEditable(TextField field) const { return IsTextFieldEditable(copy_, field); }
// A refused text leaves the copy as it was; the window shows the copy again.
void CCmdLineDlg::Commit(TextField field, std::string_view text) {
  static_cast<void>(CommitTextField(copy_, field, text, context_));
}
std::string CCmdLineDlg::Text(NumberField field) const { return NumberFieldText(copy_, field); }
void CCmdLineDlg::Commit(NumberField field, std::string_view text) {
  static_cast<void>(CommitNumberField(copy_, field, text));
}
int CCmdLineDlg::State(CheckField field) const { return CheckFieldState(copy_, field); }
void CCmdLineDlg::SetState(CheckField field, int state) { static_cast<void>(SetCheckField(copy_, field, state)); }

void CCmdLineDlg::SetConsoleFolderOption(int option) {
  if (option < 0 || option > 3) return;
  copy_.cmdFolderOption = option;
}

void CCmdLineDlg::Browse(TextField field) {
  std::optional<BrowseRequest> request = BrowseRequestOf(field);
  if (!request || !IsEditable(field)) return;
  std::string current = platform::AbsolutePath(Text(field), context_.startupDirectory);
  std::optional<std::string> chosen;
  if (request->folder) {
    chosen = host_.ChooseFolder(request->title, current);
    if (chosen) chosen = platform::WithTrailingSeparator(*chosen);
  } else {
    chosen = host_.ChooseFileToOpen({std::string(request->title), {}, std::string(request->filter), current, false});
  }
  if (chosen) Commit(field, *chosen);
}

void CCmdLineDlg::OpenFile(TextField field) { OpenShownFile(Text(field), context_.startupDirectory, shell_, host_); }

bool CCmdLineDlg::Accept() {
  copy_.additionalArgs = NormalizeAdditionalArguments(copy_.additionalArgs);
  if (SameSimulatorFields(copy_, workingCopy_)) return false;
  CopySimulatorFields(copy_, workingCopy_);
  return true;
}

}  // namespace tessarin::ui

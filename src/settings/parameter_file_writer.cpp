#include <algorithm>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>

#include "settings/message_format.h"
#include "settings/messages.h"
#include "settings/parameter_file.h"
#include "settings/replace_file.h"

namespace tessarin::settings {

bool WriteParameterFile(std::ostream& out, const ParameterSetList& list, std::string_view startupDirectory,
                        const platform::Host& host) {
  const platform::Rgb buttonFace = host.ButtonFaceColor();
  out << "nParmSets = " << std::to_string(list.sets.size()) << '\n';
  // An index outside the list would make the whole file unreadable.
  const int last = static_cast<int>(list.sets.size()) - 1;
  out << "curParmSet = " << std::to_string(std::clamp(list.current, 0, std::max(last, 0))) << '\n';
  for (const VIEWPARM& set : list.sets) WriteParameterSetLines(out, set, startupDirectory, buttonFace);
  out.flush();
  return out.good();
}

bool WriteParameterFile(const std::string& path, const ParameterSetList& list, std::string_view startupDirectory,
                        platform::Host& host) {
  // The file a link points to is never written; the link itself only when
  // the user says so.
  platform::LinkHandling links = platform::LinkHandling::kRefuse;
  if (const std::optional<std::string> target = platform::SymbolicLinkTarget(path)) {
    if (host.ShowMessage(FillMessage(messages::kReplaceLinkQuestion, {path, *target}), platform::MessageIcon::Warning,
                         platform::MessageButtons::YesNo, platform::MessageAnswer::No) != platform::MessageAnswer::Yes)
      return false;
    links = platform::LinkHandling::kReplaceLink;
  }
  std::ostringstream contents;
  if (!WriteParameterFile(contents, list, startupDirectory, host) ||
      !ReplaceFileContents(path, contents.str(), links)) {
    host.ShowMessage(FillMessage(messages::kCannotOpenForWriting, {path}), platform::MessageIcon::Error);
    return false;
  }
  std::ifstream reopened(path, std::ios::binary);
  if (!reopened.is_open())
    host.ShowMessage(FillMessage(messages::kCannotReopen, {path}), platform::MessageIcon::Warning);
  return true;
}

}  // namespace tessarin::settings

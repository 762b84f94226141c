#include <filesystem>
#include <fstream>
#include <string>

#include "platform/regular_file.h"
#include "settings/field_reader.h"
#include "settings/parameter_file_lines.h"
#include "settings/message_format.h"
#include "settings/messages.h"
#include "settings/parameter_file.h"
#include "settings/parameter_set_reader.h"

namespace tessarin::settings {

namespace {

ParameterFileReadResult OneDefaultSet(bool opened) {
  ParameterFileReadResult result;
  result.list.sets.push_back(DefaultParameterSet());
  result.list.current = 0;
  result.opened = opened;
  result.defaultCreated = true;
  return result;
}

// The warning, then on a line of its own where the reading stopped.
void ShowFormatError(std::string warning, const FieldReader& reader, platform::Host& host) {
  if (!reader.FailureDetail().empty()) warning += "\n" + reader.FailureDetail();
  host.ShowMessage(warning, platform::MessageIcon::Error);
}

ParameterFileReadResult DefaultAfterFormatError(std::string_view path, const FieldReader& reader,
                                                platform::Host& host) {
  ShowFormatError(FillMessage(messages::kIncorrectFormat, {path}), reader, host);
  ParameterFileReadResult result = OneDefaultSet(true);
  result.readInPart = true;
  result.failureDetail = reader.FailureDetail();
  return result;
}

}  // namespace

ParameterFileReadResult ReadParameterFile(std::istream& in, std::string_view path, platform::Host& host) {
  ParameterFileLines source(in);
  FieldReader reader(source, host.ButtonFaceColor(), std::string(path.substr(path.find_last_of('/') + 1)));
  int count = 0;
  int current = 0;
  if (!reader.Int("nParmSets", count, kParameterSetCountRange) ||
      !reader.Int("curParmSet", current, IntRange{0, count - 1}))
    return DefaultAfterFormatError(path, reader, host);

  ParameterFileReadResult result;
  result.opened = true;
  for (int index = 0; index < count; ++index) {
    VIEWPARM set;  // the defaults, track colours and filter block included, for keys older files lack
    if (!ReadParameterSet(reader, set)) {
      if (index == 0) return DefaultAfterFormatError(path, reader, host);
      ShowFormatError(FillMessage(messages::kErrorInParameterSet, {std::to_string(index + 1), path}), reader, host);
      result.readInPart = true;
      result.failureDetail = reader.FailureDetail();
      if (current >= index) current = index - 1;
      break;
    }
    result.list.sets.push_back(std::move(set));
  }
  result.list.current = current;
  return result;
}

ParameterFileReadResult ReadParameterFile(const std::string& path, bool reportOpenFailure, platform::Host& host) {
  std::ifstream in;
  if (!platform::OpenRegularFile(path, in)) {
    if (reportOpenFailure)
      host.ShowMessage(FillMessage(messages::kCannotOpenForReading, {path}), platform::MessageIcon::Error);
    ParameterFileReadResult result = OneDefaultSet(false);
    std::error_code ignored;
    result.readInPart = std::filesystem::exists(path, ignored);
    return result;
  }
  return ReadParameterFile(in, path, host);
}

}  // namespace tessarin::settings

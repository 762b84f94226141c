#include <filesystem>
#include <fstream>
#include <string>

#include "settings/field_reader.h"
#include "settings/line_source.h"
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

ParameterFileReadResult DefaultAfterFormatError(std::string_view path, platform::Host& host) {
  host.ShowMessage(FillMessage(messages::kIncorrectFormat, {path}), platform::MessageIcon::Error);
  return OneDefaultSet(true);
}

}  // namespace

ParameterFileReadResult ReadParameterFile(std::istream& in, std::string_view path, platform::Host& host) {
  LineSource source(in);
  FieldReader reader(source, host.ButtonFaceColor());
  int count = 0;
  int current = 0;
  if (!reader.Int("nParmSets", count, kParameterSetCountRange) ||
      !reader.Int("curParmSet", current, IntRange{0, count - 1}))
    return DefaultAfterFormatError(path, host);

  ParameterFileReadResult result;
  result.opened = true;
  for (int index = 0; index < count; ++index) {
    VIEWPARM set;  // the defaults, track colours and filter block included, for keys older files lack
    if (!ReadParameterSet(reader, set)) {
      if (index == 0) return DefaultAfterFormatError(path, host);
      host.ShowMessage(FillMessage(messages::kErrorInParameterSet, {std::to_string(index + 1), path}),
                       platform::MessageIcon::Error);
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
  std::error_code ignored;
  if (!std::filesystem::is_directory(path, ignored)) in.open(path, std::ios::binary);
  if (!in.is_open()) {
    if (reportOpenFailure)
      host.ShowMessage(FillMessage(messages::kCannotOpenForReading, {path}), platform::MessageIcon::Error);
    return OneDefaultSet(false);
  }
  return ReadParameterFile(in, path, host);
}

}  // namespace tessarin::settings

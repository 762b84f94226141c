#include "input/directive_origin.h"

#include "input/messages.h"
#include "platform/console.h"
#include "platform/format_text.h"

namespace tessarin::input {

std::string DescribeOrigin(const DirectiveOrigin& origin) {
  std::string text = origin.shortened ? origin.text + " ..." : origin.text;
  std::string lines = std::to_string(origin.firstLine);
  if (origin.lastLine > origin.firstLine) lines += "-" + std::to_string(origin.lastLine);
  if (!origin.generated)
    return platform::FormatText(messages::kOriginInFile, origin.fileName.c_str(), lines.c_str(), text.c_str());
  if (origin.program.empty())
    return platform::FormatText(messages::kOriginFromParameters, origin.fileName.c_str(), origin.firstLine,
                                text.c_str());
  return platform::FormatText(messages::kOriginFromProgram, origin.program.c_str(), origin.fileName.c_str(),
                              origin.firstLine, text.c_str());
}

void WriteWithOrigin(platform::Console& console, const std::string& message, const DirectiveOrigin& origin) {
  std::string text = message;
  if (!text.empty() && text.back() != '\n') text += "\n";
  console.Write(text + DescribeOrigin(origin));
}

}  // namespace tessarin::input

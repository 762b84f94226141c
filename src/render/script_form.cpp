#include "render/script_form.h"

#include <array>
#include <cmath>

#include "platform/format_text.h"
#include "render/messages.h"

namespace tessarin::render {

namespace {

struct NamedForm {
  ScriptForm form;
  std::string_view name;
};
inline constexpr std::array<NamedForm, 3> kFormNames{
    {{ScriptForm::Auto, "auto"}, {ScriptForm::Readable, "readable"}, {ScriptForm::Fast, "fast"}}};

}  // namespace

std::string_view ScriptFormName(ScriptForm form) {
  for (const NamedForm& named : kFormNames)
    if (named.form == form) return named.name;
  return kFormNames.front().name;
}

std::optional<ScriptForm> ParseScriptForm(std::string_view name) {
  for (const NamedForm& named : kFormNames)
    if (named.name == name) return named.form;
  return std::nullopt;
}

ScriptForm ResolveScriptForm(ScriptForm form, std::size_t cells) {
  if (form != ScriptForm::Auto) return form;
  return cells > static_cast<std::size_t>(kAutoFastAboveCells) ? ScriptForm::Fast : ScriptForm::Readable;
}

// Fitted to measurements (see ReadableLoadSeconds).
constexpr double kSecondsPerCell = 0.01;
constexpr double kSecondsPerCellSquared = 1e-5;

double ReadableLoadSeconds(std::size_t cells) {
  // Measured with MGED 7.32.6 sourcing the readable scripts of lattice
  // models: a second of start-up, then `comb` and `r` lines whose cost grows
  // with the database they are added to.
  const double n = static_cast<double>(cells);
  return 1 + kSecondsPerCell * n + kSecondsPerCellSquared * n * n;
}

}  // namespace tessarin::render

namespace tessarin::render {

namespace {

// A readable script that loads in less is not worth a remark.
constexpr double kLongLoadSeconds = 30;

// "40 seconds", "4 minutes", "2.5 hours": rounded as an estimate deserves.
std::string Duration(double seconds) {
  if (seconds < 90) return platform::FormatText("%.0f seconds", std::round(seconds / 10) * 10);
  if (seconds < 90 * 60) return platform::FormatText("%.0f minutes", std::round(seconds / 60));
  return platform::FormatText("%.1f hours", std::round(seconds / 360) / 10);
}

}  // namespace

std::string ScriptFormSummary(ScriptForm written, std::size_t cells) {
  if (written == ScriptForm::Fast) return platform::FormatText(messages::kFastFormWritten, cells);
  const double seconds = ReadableLoadSeconds(cells);
  if (seconds < kLongLoadSeconds) return platform::FormatText(messages::kReadableFormWritten, cells);
  return platform::FormatText(messages::kReadableFormSlow, cells, Duration(seconds).c_str());
}

}  // namespace tessarin::render

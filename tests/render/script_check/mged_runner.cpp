#include "render/script_check/mged_runner.h"

#include <sys/stat.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "render/script_check/command_run.h"
#include "support/test_files.h"

namespace tessarin::render::script_check {
namespace {

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

bool NeedsDisplay(const std::string& line) {
  static const std::array<const char*, 8> prefixes = {"catch {exec fbfree", "exec fbserv", "catch {exec sleep",
                                                      "set width_height", "set width ", "set height ",
                                                      "set ratio ", "rt "};
  for (const char* prefix : prefixes)
    if (StartsWith(line, prefix)) return true;
  return StartsWith(line, "after ") && line.find(" rt ") != std::string::npos;
}

// What MGED prints when a command failed.
bool ReportsFailure(const std::string& line) {
  static const std::array<const char*, 12> signs = {
      "error",      "ERROR",       "Error",   "invalid command name", "not made", "wrong # args",
      "Usage:",     "usage:",      "does not exist", "skipping",        "unknown", "failed"};
  for (const char* sign : signs)
    if (line.find(sign) != std::string::npos) return true;
  return false;
}

std::string Quoted(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += " " + ShellQuoted(word);
  return text;
}

}  // namespace

std::optional<std::string> BrlcadBinFolder() {
  std::string folder = TESSARIN_BRLCAD_BIN;
  struct stat info;
  if (folder.empty() || stat((folder + "/mged").c_str(), &info) != 0) return std::nullopt;
  return folder;
}

std::string HeadlessScript(const std::string& script) {
  std::istringstream in(script);
  std::string line, kept;
  while (std::getline(in, line))
    if (!NeedsDisplay(line)) kept += line + "\n";
  return kept;
}

std::string DatabasePath(const std::string& script) {
  std::istringstream in(script);
  std::string line;
  while (std::getline(in, line)) {
    if (!StartsWith(line, "opendb \"")) continue;
    std::size_t end = line.find('"', 8);
    if (end != std::string::npos) return line.substr(8, end - 8);
  }
  return {};
}

MgedRun RunThroughMged(const std::string& scriptPath) {
  MgedRun run;
  std::optional<std::string> bin = BrlcadBinFolder();
  if (!bin) {
    run.transcript = kNoBrlcad;
    return run;
  }
  std::string headless = scriptPath + ".headless";
  tessarin::testing::WriteWholeFile(headless, HeadlessScript(tessarin::testing::ReadWholeFile(scriptPath)));
  CommandOutcome outcome = RunCommand(ShellQuoted(*bin + "/mged") + " -c < " + ShellQuoted(headless), 600);
  run.transcript = outcome.output;
  std::istringstream in(outcome.output);
  std::string line;
  while (std::getline(in, line))
    if (ReportsFailure(line)) run.errorLines.push_back(line);
  run.passed = outcome.exitStatus == 0 && run.errorLines.empty();
  return run;
}

Raytrace RaytraceToPng(const std::string& databasePath, const std::vector<std::string>& regions,
                       const std::string& pngPath, int size) {
  Raytrace result;
  std::optional<std::string> bin = BrlcadBinFolder();
  if (!bin) {
    result.message = kNoBrlcad;
    return result;
  }
  // A raw image first, whose pixels can be counted here, then the PNG of it.
  std::string pix = pngPath + ".pix";
  std::string sizeText = std::to_string(size);
  CommandOutcome rt = RunCommand(ShellQuoted(*bin + "/rt") + " -P1 -s " + sizeText + " -a 35 -e 25 -C0/0/0 -o " +
                                     ShellQuoted(pix) + " " + ShellQuoted(databasePath) + Quoted(regions),
                                 600);
  CommandOutcome png = RunCommand(ShellQuoted(*bin + "/pix-png") + " -s " + sizeText + " -o " + ShellQuoted(pngPath) +
                                      " " + ShellQuoted(pix),
                                  120);
  std::ifstream image(pix, std::ios::binary);
  std::array<unsigned char, 3> rgb;
  while (image.read(reinterpret_cast<char*>(rgb.data()), 3)) {
    ++result.pixels;
    if (rgb[0] || rgb[1] || rgb[2]) ++result.hitPixels;
  }
  std::remove(pix.c_str());
  struct stat info;
  bool pngWritten = stat(pngPath.c_str(), &info) == 0 && info.st_size > 0;
  result.passed = rt.exitStatus == 0 && png.exitStatus == 0 && pngWritten &&
                  result.pixels == static_cast<long>(size) * size && result.hitPixels > 0;
  result.message = "rt: " + rt.output + "\npix-png: " + png.output;
  return result;
}

std::string NirtShot(const std::string& databasePath, const std::vector<std::string>& regions, const double origin[3],
                     const double direction[3]) {
  std::ostringstream query;
  query.precision(17);
  query << "xyz " << origin[0] << " " << origin[1] << " " << origin[2] << "; dir " << direction[0] << " "
        << direction[1] << " " << direction[2] << "; s";
  return RunNirt(databasePath, regions, query.str());
}

std::string RunNirt(const std::string& databasePath, const std::vector<std::string>& regions,
                    const std::string& commands) {
  std::optional<std::string> bin = BrlcadBinFolder();
  if (!bin) return kNoBrlcad;
  return RunCommand(ShellQuoted(*bin + "/nirt") + " -e " + ShellQuoted(commands) + " " + ShellQuoted(databasePath) +
                        Quoted(regions),
                    300)
      .output;
}

}  // namespace tessarin::render::script_check
